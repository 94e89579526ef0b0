#include "platform/vcl/qtdialogs.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/qtapp.h"

namespace {

struct TButtonText {
    TMsgDlgBtn Button;
    const char* Text;
    int Result;
};

// In the order the buttons stand in the box.
const TButtonText ButtonTexts[] = {
    {mbYes, "&Ja", mrYes},
    {mbNo, "&Nee", mrNo},
    {mbOK, "OK", mrOk},
    {mbCancel, "Annuleren", mrCancel},
    {mbAbort, "&Afbreken", mrAbort},
    {mbRetry, "&Opnieuw", mrRetry},
    {mbIgnore, "&Negeren", mrIgnore},
    {mbAll, "&Alle", mrAll},
    {mbNoToAll, "N&ee op alles", mrNoToAll},
    {mbYesToAll, "Ja op &alles", mrYesToAll},
    {mbHelp, "&Help", mrNone},
};

const char* DlgCaption(TMsgDlgType Type) {
    switch (Type) {
    case mtWarning:
        return "Waarschuwing";
    case mtError:
        return "Fout";
    case mtInformation:
        return "Informatie";
    case mtConfirmation:
        return "Bevestigen";
    default:
        return "";
    }
}

} // namespace

std::string DutchButtonText(TMsgDlgBtn Button) {
    for (const TButtonText& b : ButtonTexts)
        if (b.Button == Button) return StringReplace(b.Text, "&", "", rfReplaceAll);
    return {};
}

int TQtDialogService::MessageDlg(const std::string& Msg, TMsgDlgType DlgType,
                                 TMsgDlgButtons Buttons, const std::string& Caption) {
    EnsureQtApplication();
    QMessageBox box;
    std::string caption = Caption;
    if (caption.empty()) caption = DlgType == mtCustom ? Application->Title : DlgCaption(DlgType);
    box.setWindowTitle(ToQString(caption));
    // A long list (every file of an archive) would make the box taller than
    // the screen, its buttons out of reach: the first lines stand in the box,
    // the whole text in its details, which scroll.
    std::vector<std::string> lines;
    for (size_t start = 0; start <= Msg.size();) {
        const size_t end = std::min(Msg.find_first_of("\r\n", start), Msg.size());
        lines.push_back(Msg.substr(start, end - start));
        start = end + (Msg.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (lines.size() > MaxMessageLines) {
        std::string shown;
        for (size_t i = 0; i < ShownMessageLines; ++i)
            shown += lines[i] + "\r";
        shown += "... en nog " + IntToStr(static_cast<int>(lines.size() - ShownMessageLines)) +
                 " regels: de hele tekst staat bij de details.";
        box.setText(ToQString(shown));
        box.setDetailedText(ToQString(StringReplace(Msg, "\r", "\n", rfReplaceAll)));
    } else {
        box.setText(ToQString(Msg));
    }
    switch (DlgType) {
    case mtWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case mtError:
        box.setIcon(QMessageBox::Critical);
        break;
    case mtInformation:
        box.setIcon(QMessageBox::Information);
        break;
    case mtConfirmation:
        box.setIcon(QMessageBox::Question);
        break;
    default:
        break;
    }
    if (Buttons.Empty()) Buttons = mbOKOnly;
    std::vector<std::pair<QAbstractButton*, int>> answers;
    for (const TButtonText& b : ButtonTexts) {
        if (!Buttons.Contains(b.Button)) continue;
        const auto role = b.Result == mrCancel || b.Result == mrNo ? QMessageBox::RejectRole
                                                                   : QMessageBox::AcceptRole;
        QPushButton* button = box.addButton(ToQString(b.Text), role);
        if (answers.empty()) box.setDefaultButton(button);
        if (b.Result == mrCancel) box.setEscapeButton(button);
        answers.emplace_back(button, b.Result);
    }
    box.exec();
    for (const auto& [button, result] : answers)
        if (box.clickedButton() == button) return result;
    return TNonInteractiveDialogs::CautiousAnswer(Buttons);
}

bool TQtDialogService::InputQuery(const std::string& Caption, const std::string& Prompt,
                                  std::string& Value, bool Password) {
    EnsureQtApplication();
    QInputDialog dialog;
    dialog.setWindowTitle(ToQString(Caption));
    dialog.setLabelText(ToQString(Prompt));
    dialog.setTextValue(ToQString(Value));
    dialog.setTextEchoMode(Password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setOkButtonText("OK");
    dialog.setCancelButtonText("Annuleren");
    if (dialog.exec() != QDialog::Accepted) return false;
    Value = FromQString(dialog.textValue());
    return true;
}

std::string QtFileFilter(const std::string& Filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= Filter.size()) {
        const size_t bar = Filter.find('|', start);
        parts.push_back(
            Filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::string out;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) continue;
        if (!out.empty()) out += ";;";
        const std::string patterns =
            "(" + StringReplace(parts[i + 1], ";", " ", rfReplaceAll) + ")";
        // A description that names its patterns already ends with them.
        const std::string& tekst = parts[i];
        const bool named =
            tekst.size() >= patterns.size() &&
            tekst.compare(tekst.size() - patterns.size(), patterns.size(), patterns) == 0;
        out += named ? tekst : tekst + " " + patterns;
    }
    return out;
}

bool TQtDialogService::PromptForFileName(TFileDialogRequest& Request) {
    EnsureQtApplication();
    QFileDialog dialog;
    dialog.setWindowTitle(ToQString(Request.Title));
    dialog.setAcceptMode(Request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(Request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters =
        ToQString(QtFileFilter(Request.Filter)).split(";;", Qt::SkipEmptyParts);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(Request.FilterIndex, 1, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!Request.InitialDir.empty())
        dialog.setDirectory(QString::fromStdString(DiskName(Request.InitialDir)));
    if (!Request.FileName.empty())
        dialog.selectFile(QString::fromStdString(DiskName(Request.FileName)));
    if (!Request.DefaultExt.empty()) dialog.setDefaultSuffix(ToQString(Request.DefaultExt));
    dialog.setLabelText(QFileDialog::Accept, Request.Save ? "Opslaan" : "Openen");
    dialog.setLabelText(QFileDialog::Reject, "Annuleren");
    // The program asks about overwriting itself, in its own words: a second,
    // earlier question from the dialog would ask twice.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    // Room for the name, size, type and date columns of the detail view.
    dialog.resize(820, 480);
    if (auto* view = dialog.findChild<QTreeView*>())
        view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    dialog.setObjectName("vzFileDialog");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    Request.FileName = ProgramName(dialog.selectedFiles().first().toStdString());
    Request.FilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

void InstallQtDialogs() {
    SetDialogService(std::make_unique<TQtDialogService>());
}

bool TOpenDialog::Execute() {
    TFileDialogRequest request;
    request.Save = FSave;
    request.Title = Title;
    request.Filter = Filter;
    request.FilterIndex = FilterIndex;
    request.InitialDir = InitialDir;
    request.FileName = FileName;
    request.DefaultExt = DefaultExt;
    if (!DialogService().PromptForFileName(request)) return false;
    FileName = request.FileName;
    // A typed name without extension gets the default one.
    if (!DefaultExt.empty() && ExtractFileExt(FileName).empty()) FileName += "." + DefaultExt;
    FilterIndex = request.FilterIndex;
    return true;
}
