#include "dialogs.h"

#include <string>

namespace {

std::unique_ptr<TDialogService>& CurrentService() {
    static std::unique_ptr<TDialogService> service = std::make_unique<TNonInteractiveDialogs>();
    return service;
}

// A name typed without a folder lands where the dialog stands: the folder of the
// name it proposed, else its initial folder.
std::string TypedInDialog(const TFileDialogRequest& Request, const std::string& Typed) {
    if (Typed.empty() || Typed.find('/') != std::string::npos) return Typed;
    const size_t slash = Request.FileName.rfind('/');
    std::string folder =
        slash != std::string::npos ? Request.FileName.substr(0, slash) : Request.InitialDir;
    if (folder.empty()) return Typed;
    if (folder.back() != '/') folder += '/';
    return folder + Typed;
}

} // namespace

int TNonInteractiveDialogs::CautiousAnswer(TMsgDlgButtons Buttons) {
    if (Buttons.Contains(mbCancel)) return mrCancel;
    if (Buttons.Contains(mbNo)) return mrNo;
    if (Buttons.Contains(mbNoToAll)) return mrNoToAll;
    if (Buttons.Contains(mbAbort)) return mrAbort;
    if (Buttons.Contains(mbOK)) return mrOk;
    if (Buttons.Contains(mbIgnore)) return mrIgnore;
    return mrCancel;
}

int TNonInteractiveDialogs::MessageDlg(const std::string&, TMsgDlgType, TMsgDlgButtons Buttons,
                                       const std::string&) {
    return CautiousAnswer(Buttons);
}

bool TNonInteractiveDialogs::InputQuery(const std::string&, const std::string&, std::string&,
                                        bool) {
    return false;
}

bool TNonInteractiveDialogs::PromptForFileName(TFileDialogRequest&) {
    return false;
}

int TScriptedDialogs::MessageDlg(const std::string& Msg, TMsgDlgType DlgType,
                                 TMsgDlgButtons Buttons, const std::string& Caption) {
    int answer = CautiousAnswer(Buttons);
    std::function<void()> meanwhile;
    if (!FAnswers.empty()) {
        answer = FAnswers.front().Result;
        meanwhile = std::move(FAnswers.front().Meanwhile);
        FAnswers.pop_front();
    }
    FAsked.push_back({"message", Msg, DlgType, Buttons, answer, Caption});
    if (meanwhile) meanwhile();
    return answer;
}

bool TScriptedDialogs::InputQuery(const std::string& Caption, const std::string& Prompt,
                                  std::string& Value, bool) {
    bool ok = false;
    if (!FAnswers.empty()) {
        ok = FAnswers.front().Ok;
        if (ok) Value = FAnswers.front().Text;
        FAnswers.pop_front();
    }
    FAsked.push_back({"input", Prompt, mtCustom, {}, ok ? mrOk : mrCancel, Caption});
    return ok;
}

bool TScriptedDialogs::PromptForFileName(TFileDialogRequest& Request) {
    bool ok = false;
    if (!FAnswers.empty()) {
        ok = FAnswers.front().Ok;
        if (ok) Request.FileName = TypedInDialog(Request, FAnswers.front().Text);
        FAnswers.pop_front();
    }
    FAsked.push_back({"file", Request.Title, mtCustom, {}, ok ? mrOk : mrCancel, Request.Title});
    return ok;
}

TDialogService& DialogService() {
    return *CurrentService();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> Service) {
    if (!Service) Service = std::make_unique<TNonInteractiveDialogs>();
    std::unique_ptr<TDialogService> previous = std::move(CurrentService());
    CurrentService() = std::move(Service);
    return previous;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
    return DialogService().MessageDlg(Msg, DlgType, Buttons, std::string());
}

void ShowMessage(const std::string& Msg) {
    DialogService().MessageDlg(Msg, mtCustom, mbOKOnly, std::string());
}

bool InputQuery(const std::string& Caption, const std::string& Prompt, std::string& Value) {
    return DialogService().InputQuery(Caption, Prompt, Value, false);
}

std::string InputBox(const std::string& Caption, const std::string& Prompt,
                     const std::string& Default) {
    std::string value = Default;
    return InputQuery(Caption, Prompt, value) ? value : Default;
}
