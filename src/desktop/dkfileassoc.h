#pragma once
// The registration of a file extension: its file type, description, icon and
// the open, open-new, edit, print and print-to commands. Kept as the
// platform's class keys in the layer's registry, and for the Linux desktop as
// a shared-mime-info package, a desktop entry and the default application in
// mimeapps.list.

#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "platform/vcl/gfx/pictures.h"

class TdkFileAssociation : public TdkComponent {
public:
    explicit TdkFileAssociation(TComponent* AOwner);
    ~TdkFileAssociation() override;
    std::string ClassName() const override { return "TdkFileAssociation"; }

    const std::string& Extension() const { return FExtension; }
    // Stores the extension (with its leading '.') and reads its registration.
    void SetExtension(const std::string& Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TIcon* LargeIcon() const { return FLargeIcon.get(); }
    TIcon* SmallIcon() const { return FSmallIcon.get(); }

    // The texts of the registration, by property.
    enum TField {
        afExtDescription,
        afFileDescription,
        afIconFile,
        afOpenCommand,
        afOpenCommandDescription,
        afOpenNewCommand,
        afOpenNewCommandDescription,
        afEditCommand,
        afEditCommandDescription,
        afPrintCommand,
        afPrintCommandDescription,
        afPrintToCommand,
        afPrintToCommandDescription,
        afFieldCount
    };
    const std::string& Get(TField Field) const { return FFields[Field]; }
    // Stores the value; unless ReadOnly, writes the registration at once.
    void Set(TField Field, const std::string& Value);
    int IconIndex() const { return FIconIndex; }
    void SetIconIndex(int Value);

    const std::string& ExtDescription() const { return Get(afExtDescription); }
    void SetExtDescription(const std::string& V) { Set(afExtDescription, V); }
    const std::string& FileDescription() const { return Get(afFileDescription); }
    void SetFileDescription(const std::string& V) { Set(afFileDescription, V); }
    const std::string& IconFile() const { return Get(afIconFile); }
    void SetIconFile(const std::string& V) { Set(afIconFile, V); }
    const std::string& OpenCommand() const { return Get(afOpenCommand); }
    void SetOpenCommand(const std::string& V) { Set(afOpenCommand, V); }
    const std::string& OpenCommandDescription() const { return Get(afOpenCommandDescription); }
    void SetOpenCommandDescription(const std::string& V) { Set(afOpenCommandDescription, V); }
    const std::string& OpenNewCommand() const { return Get(afOpenNewCommand); }
    void SetOpenNewCommand(const std::string& V) { Set(afOpenNewCommand, V); }
    const std::string& OpenNewCommandDescription() const {
        return Get(afOpenNewCommandDescription);
    }
    void SetOpenNewCommandDescription(const std::string& V) { Set(afOpenNewCommandDescription, V); }
    const std::string& EditCommand() const { return Get(afEditCommand); }
    void SetEditCommand(const std::string& V) { Set(afEditCommand, V); }
    const std::string& EditCommandDescription() const { return Get(afEditCommandDescription); }
    void SetEditCommandDescription(const std::string& V) { Set(afEditCommandDescription, V); }
    const std::string& PrintCommand() const { return Get(afPrintCommand); }
    void SetPrintCommand(const std::string& V) { Set(afPrintCommand, V); }
    const std::string& PrintCommandDescription() const { return Get(afPrintCommandDescription); }
    void SetPrintCommandDescription(const std::string& V) { Set(afPrintCommandDescription, V); }
    const std::string& PrintToCommand() const { return Get(afPrintToCommand); }
    void SetPrintToCommand(const std::string& V) { Set(afPrintToCommand, V); }
    const std::string& PrintToCommandDescription() const {
        return Get(afPrintToCommandDescription);
    }
    void SetPrintToCommandDescription(const std::string& V) { Set(afPrintToCommandDescription, V); }

    // Reads the registration of Extension.
    void Refresh();
    // Writes the registration and tells the desktop; false when it could not.
    bool Apply();
    // Removes the registration; true also when there was none.
    bool Remove();

    // The file-type name written (ExtDescription, else the extension without
    // its dot followed by "file"), and the MIME type the desktop knows it by.
    std::string FileTypeName() const;
    std::string MimeType() const;
    // Where the desktop's side of the registration lives.
    std::string MimePackageFile() const;
    std::string DesktopEntryFile() const;
    std::string DesktopEntryId() const;

private:
    bool WriteRegistry();
    bool WriteDesktop();
    void RemoveDesktop();
    std::string FExtension;
    std::string FFields[afFieldCount];
    int FIconIndex = 0;
    bool FReadOnly = true;
    std::unique_ptr<TIcon> FLargeIcon, FSmallIcon;
};
