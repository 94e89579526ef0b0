#pragma once
// Copies, moves, deletes or renames lists of files, asking before it
// replaces or removes anything unless told not to; deletes that may be
// undone go to the desktop's trash.

#include <functional>
#include <memory>
#include <string>

#include "desktop/dkclasses.h"
#include "platform/rtl/sets.h"
#include "platform/rtl/stringlist.h"

class TdkProgressWindow;

enum TdkFileOperationType { fotCopy, fotDelete, fotMove, fotRename };
enum TdkFileOperationFlag {
    fofAllowUndo,
    fofFilesOnly,
    fofNoConfirmation,
    fofNoConfirmMkDir,
    fofNoErrorUI,
    fofRenameCollision,
    fofSilent,
    fofSimpleProgress
};
using TdkFileOperationFlags = TSet<TdkFileOperationFlag>;

// Handled: set by a handler that reported the error itself.
using TdkFileOperationEvent =
    std::function<void(TObject* Sender, const std::string& ErrorText, bool& Handled)>;

class TdkFileOperation : public TdkComponent {
public:
    explicit TdkFileOperation(TComponent* AOwner);
    // The file list is owned; ProgressTitle heads the progress window.
    ~TdkFileOperation() override;
    std::string ClassName() const override { return "TdkFileOperation"; }

    TStringList* FileList() const { return FFileList.get(); }
    std::string DestFolder;
    std::string ProgressTitle;
    TdkFileOperationType Operation = fotCopy;
    TdkFileOperationFlags Options{fofAllowUndo, fofFilesOnly, fofRenameCollision};
    TdkFileOperationEvent OnError;

    // True when every item was done; the first failure ends the run and is
    // reported through OnError (and an error box unless fofNoErrorUI).
    bool Execute();
    // The platform's flag word of Options (and of pairs, FOF_MULTIDESTFILES).
    unsigned ShellFlags() const;
    // Whether FileList holds "source=destination" pairs.
    bool HasPairs() const;
    // The progress window while Execute runs (none with fofSilent).
    TdkProgressWindow* ProgressWindow() const { return FProgress.get(); }

private:
    struct TItem {
        std::string Source, Dest; // disk paths
    };
    bool Expand(std::vector<TItem>& Items, int& Err, std::string& ErrPath) const;
    int DoItem(const TItem& Item);
    int PlaceTarget(const std::string& Source, std::string& Target, bool& Skip, bool& Replace);
    bool Confirm(const std::string& Text) const;
    std::unique_ptr<TStringList> FFileList;
    std::unique_ptr<TdkProgressWindow> FProgress;
};
