#pragma once
// The folder list, the file list and the drive box of a data-file page. The
// folder list shows the path from the root down to the current folder and the
// folder's sub-folders, but not hidden ones (names beginning with a dot); the
// file list shows the files of a folder that match a mask; the drive box
// offers the mount roots (there are no drive letters here).

#include <string>
#include <vector>

#include "platform/vcl/listctrls.h"

class TFileListBox;
class TDirectoryListBox;

class TFileListBox : public TCustomListBox {
public:
    explicit TFileListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TFileListBox"; }
    std::string Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value);
    // One or more masks separated by ';' ("*.csv").
    std::string Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    // The full name of the selected file ("" without a selection); setting it
    // selects the file in its folder.
    std::string FileName() const;
    void SetFileName(const std::string& Value);
    // Reads the folder again.
    void Update();
    TNotifyEvent OnChange;

protected:
    void UserSelected() override;

private:
    std::string FDirectory;
    std::string FMask = "*.*";
};

class TDirectoryListBox : public TCustomListBox {
public:
    explicit TDirectoryListBox(TComponent* AOwner);
    std::string ClassName() const override { return "TDirectoryListBox"; }
    std::string Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value);
    // The file list that follows this folder list.
    TFileListBox* FileList = nullptr;
    // The folder an item stands for.
    std::string GetItemPath(int Index) const;
    // Makes the selected item the current folder (what a double click does).
    void OpenCurrent();
    void Update() { SetDirectory(FDirectory); }
    TNotifyEvent OnChange;

protected:
    void DblClick() override;
    // Return opens the selected folder, as a double click does.
    void KeyPress(char& Key) override;
    // A folder chosen by a click or the arrow keys becomes the current one
    // for the file list at once; a double click or Return also opens it in
    // the tree.
    void UserSelected() override;

private:
    std::string FDirectory;
    std::vector<std::string> FPaths; // per item
};

class TDriveComboBox : public TComboBox {
public:
    explicit TDriveComboBox(TComponent* AOwner);
    std::string ClassName() const override { return "TDriveComboBox"; }
    // The mount root chosen ("/", "/home", "/media/stick", ...).
    std::string Drive() const;
    void SetDrive(const std::string& Value);
    TDirectoryListBox* DirList = nullptr;

protected:
    void Select() override;
};

// The mount points of real file systems, "/" first.
std::vector<std::string> MountRoots();
