#pragma once
// The dialog service on real windows, and the file dialog components. Every
// question still goes through DialogService(), so tests script the same calls.

#include <cstddef>
#include <string>

#include "platform/rtl/classes.h"
#include "platform/rtl/dialogs.h"

// A message of more lines than MaxMessageLines shows its first
// ShownMessageLines in the box and the whole text in the box's details.
inline constexpr size_t MaxMessageLines = 25;
inline constexpr size_t ShownMessageLines = 20;

// Message boxes with Dutch buttons, an input box and the file dialogs, on Qt.
class TQtDialogService : public TDialogService {
public:
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   const std::string& Caption) override;
    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value,
                    bool Password) override;
    bool PromptForFileName(TFileDialogRequest& Request) override;
};

// Puts a TQtDialogService behind DialogService() (the running program).
void InstallQtDialogs();

// The button text of a message box button ("Ja", "Nee", "Annuleren", ...).
std::string DutchButtonText(TMsgDlgBtn Button);

// Qt's filter text for the platform's "Description|*.ext|Description|*.a;*.b".
std::string QtFileFilter(const std::string& Filter);

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofPathMustExist,
    ofFileMustExist,
    ofAllowMultiSelect,
    ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TOpenDialog"; }
    std::string Title;
    std::string Filter;
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;
    std::string DefaultExt;
    TOpenOptions Options = {ofHideReadOnly, ofEnableSizing};
    // Asks through the dialog service; true with FileName set when chosen.
    virtual bool Execute();

protected:
    bool FSave = false;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) { FSave = true; }
    std::string ClassName() const override { return "TSaveDialog"; }
};
