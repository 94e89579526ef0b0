#pragma once
// The one way the program asks the user something. Code at every level calls
// these functions; the service behind them is the visual layer's real dialogs in
// the running program, a non-interactive answerer on the command line, and a
// scripted answerer in tests, so that nothing ever blocks on a window.

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/sets.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
constexpr TMsgDlgButtons mbYesNo = {mbYes, mbNo};
constexpr TMsgDlgButtons mbYesNoCancel = {mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbOKCancel = {mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore = {mbAbort, mbRetry, mbIgnore};
constexpr TMsgDlgButtons mbOKOnly = {mbOK};

// Modal results, numbered as on the platform.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10
};

struct TFileDialogRequest {
    bool Save = false; // save dialog, else open dialog
    std::string Title;
    std::string Filter; // "Description|*.ext|Description|*.a;*.b"
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;   // in: proposed name; out: the chosen full name
    std::string DefaultExt; // without the dot
};

struct TDialogRecord { // what a dialog was asked, for tests and logs
    std::string Kind;  // "message", "input", "file"
    std::string Text;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons;
    int Answer = mrNone;
    std::string Caption; // the window's title
};

class TDialogService {
public:
    virtual ~TDialogService() = default;
    virtual int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                           const std::string& Caption) = 0;
    virtual bool InputQuery(const std::string& Caption, const std::string& Prompt,
                            std::string& Value, bool Password) = 0;
    virtual bool PromptForFileName(TFileDialogRequest& Request) = 0;
};

// Answers as a program without a user must: the most cautious button offered
// (Cancel, then No, then Abort, then OK), no input, no file.
class TNonInteractiveDialogs : public TDialogService {
public:
    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   const std::string& Caption) override;
    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value,
                    bool Password) override;
    bool PromptForFileName(TFileDialogRequest& Request) override;
    static int CautiousAnswer(TMsgDlgButtons Buttons);
};

// Gives the queued answers in order and records every question; when the queue
// is empty it answers as TNonInteractiveDialogs.
class TScriptedDialogs : public TNonInteractiveDialogs {
public:
    // Meanwhile runs while the question is open, before it is answered: what
    // another program does while the user thinks.
    void QueueAnswer(int ModalResult, std::function<void()> Meanwhile = {}) {
        FAnswers.push_back({ModalResult, {}, true, std::move(Meanwhile)});
    }
    void QueueInput(const std::string& Value, bool Ok = true) {
        FAnswers.push_back({Ok ? mrOk : mrCancel, Value, Ok, {}});
    }
    // A name without a folder is taken in the folder the dialog shows, as typed.
    void QueueFileName(const std::string& FileName) {
        FAnswers.push_back({mrOk, FileName, true, {}});
    }
    void QueueCancel() { FAnswers.push_back({mrCancel, {}, false, {}}); }
    const std::vector<TDialogRecord>& Asked() const { return FAsked; }
    size_t Pending() const { return FAnswers.size(); }

    int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   const std::string& Caption) override;
    bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value,
                    bool Password) override;
    bool PromptForFileName(TFileDialogRequest& Request) override;

private:
    struct Answer {
        int Result;
        std::string Text;
        bool Ok;
        std::function<void()> Meanwhile;
    };
    std::deque<Answer> FAnswers;
    std::vector<TDialogRecord> FAsked;
};

// The current service (a TNonInteractiveDialogs until one is installed).
TDialogService& DialogService();
// Installs Service and returns the one it replaces; nullptr restores the default.
std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> Service);

// Installs a service for the lifetime of the guard (tests).
class TDialogServiceScope {
public:
    explicit TDialogServiceScope(std::unique_ptr<TDialogService> Service)
        : FPrevious(SetDialogService(std::move(Service))) {}
    ~TDialogServiceScope() { SetDialogService(std::move(FPrevious)); }
    TDialogServiceScope(const TDialogServiceScope&) = delete;
    TDialogServiceScope& operator=(const TDialogServiceScope&) = delete;

private:
    std::unique_ptr<TDialogService> FPrevious;
};

// Installs a TScriptedDialogs for the lifetime of the guard (tests); its
// answers are queued and its questions read through the guard.
class TScriptedDialogsScope {
public:
    TScriptedDialogsScope() : TScriptedDialogsScope(std::make_unique<TScriptedDialogs>()) {}
    TScriptedDialogs& Dialogs() const { return *FDialogs; }
    TScriptedDialogs* operator->() const { return FDialogs; }

private:
    explicit TScriptedDialogsScope(std::unique_ptr<TScriptedDialogs> Dialogs)
        : FDialogs(Dialogs.get()), FScope(std::move(Dialogs)) {}
    TScriptedDialogs* FDialogs; // owned by the installed service until FScope ends
    TDialogServiceScope FScope;
};

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
               int HelpCtx = 0);
void ShowMessage(const std::string& Msg);
bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value);
std::string InputBox(const std::string& Caption, const std::string& Prompt,
                     const std::string& Default);
