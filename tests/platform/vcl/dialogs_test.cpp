// Dialogs: the file dialogs ask through the scripted service; Dutch buttons;
// the platform's filter text; the folder and file lists of a data-file page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/qtapp.h"
#include "platform/vcl/qtdialogs.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

TEST(Dialogs, SaveDialogAsksTheServiceAndAddsTheDefaultExtension) {
    TScriptedDialogsScope dialogs;
    dialogs->QueueFileName("Groep 0"); // no folder anywhere: as typed
    dialogs->QueueFileName("/tmp/Groep A");
    dialogs->QueueCancel();
    dialogs->QueueFileName("Groep B"); // typed without a folder
    dialogs->QueueFileName("Groep C");
    dialogs->QueueFileName("/tmp/Groep D"); // typed with its folder
    TSaveDialog save(nullptr);
    save.Title = "Bewaar csv bestand";
    save.Filter = "Excel files (*.csv)|*.csv|";
    save.DefaultExt = "csv";
    save.FileName = "Groep A.csv";
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ("Groep 0.csv", save.FileName);
    save.FileName = "Groep A.csv";
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ("/tmp/Groep A.csv", save.FileName);
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ("/tmp/Groep A.csv", save.FileName); // a cancel keeps the name
    // A bare name lands in the folder the dialog shows: the proposed file's,
    // else the initial one.
    save.InitialDir = "/data";
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ("/tmp/Groep B.csv", save.FileName);
    save.FileName = "Groep A.csv";
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ("/data/Groep C.csv", save.FileName);
    EXPECT_TRUE(save.Execute());
    EXPECT_EQ("/tmp/Groep D.csv", save.FileName);
    ASSERT_EQ(6u, dialogs->Asked().size());
    EXPECT_EQ("Bewaar csv bestand", dialogs->Asked()[0].Text);
}

TEST(Dialogs, ButtonTextsAreDutch) {
    EXPECT_EQ("Ja", DutchButtonText(mbYes));
    EXPECT_EQ("Nee", DutchButtonText(mbNo));
    EXPECT_EQ("OK", DutchButtonText(mbOK));
    EXPECT_EQ("Annuleren", DutchButtonText(mbCancel));
    EXPECT_EQ("Afbreken", DutchButtonText(mbAbort));
    EXPECT_EQ("Opnieuw", DutchButtonText(mbRetry));
    EXPECT_EQ("Negeren", DutchButtonText(mbIgnore));
    EXPECT_EQ("Nee op alles", DutchButtonText(mbNoToAll));
    EXPECT_EQ("Ja op alles", DutchButtonText(mbYesToAll));
}

// A message with a long list keeps its buttons on the screen: the box shows the
// first lines, and the whole list scrolls in its details.
TEST(Dialogs, LongMessageKeepsItsButtonsWithinReach) {
    EnsureQtApplication();
    std::string msg = "Het voorbeeld is niet helemaal uitgepakt.\r";
    for (int i = 1; i <= 200; ++i)
        msg += "\rVoorbeeld/groep " + IntToStr(i) + ".csv: bestaat al en is niet vervangen";
    std::string text, details;
    int height = 0;
    QTimer timer;
    timer.setInterval(10);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++ticks > 500)
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
            return;
        }
        text = box->text().toStdString();
        details = box->detailedText().toStdString();
        height = box->sizeHint().height();
        box->accept();
    });
    timer.start();
    TQtDialogService service;
    service.MessageDlg(msg, mtInformation, mbOKOnly, "");
    timer.stop();
    EXPECT_NE(std::string::npos, text.find("groep 18.csv"));
    EXPECT_EQ(std::string::npos, text.find("groep 19.csv"));
    EXPECT_NE(std::string::npos, text.find("... en nog 182 regels"));
    EXPECT_NE(std::string::npos, details.find("groep 200.csv: bestaat al"));
    EXPECT_LT(height, 700);
}

// The platform's save dialog speaks Dutch and leaves the overwrite question to
// the program: choosing an existing file closes it without a question of its own.
TEST(Dialogs, SaveDialogIsDutchAndAsksNothingItself) {
    EnsureQtApplication();
    const TTestFolder folder("vz_dialogs");
    WriteFileAtomic(folder.File("Groep A.csv"), "oud");
    TQtDialogService service;
    TFileDialogRequest request;
    request.Save = true;
    request.Title = "Bewaar csv bestand";
    request.Filter = "Excel files (*.csv)|*.csv|";
    request.InitialDir = folder.Path();
    request.FileName = folder.File("Groep A.csv");
    request.DefaultExt = "csv";
    std::vector<std::string> labels;
    bool askedItself = false;
    std::string picture;
    // Looks at whatever the modal loop shows until the dialog is gone.
    QTimer timer;
    timer.setInterval(10);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        QWidgetList shown = QApplication::topLevelWidgets();
        if (QWidget* modal = QApplication::activeModalWidget()) shown.prepend(modal);
        for (QWidget* w : shown) {
            if (!w->isVisible()) continue;
            if (auto* dialog = qobject_cast<QFileDialog*>(w)) {
                if (picture.empty()) {
                    for (const QLabel* l : dialog->findChildren<QLabel*>())
                        labels.push_back(l->text().toStdString());
                    picture = ArtifactsDir() + "/save_dialog.png";
                    dialog->grab().save(QString::fromStdString(picture));
                    dialog->selectFile(QString::fromStdString(request.FileName));
                    static_cast<QDialog*>(dialog)->accept();
                } else if (askedItself || ticks > 200) {
                    dialog->reject(); // still open after a question of its own
                }
            } else if (auto* other = qobject_cast<QDialog*>(w)) {
                askedItself = true;
                other->reject();
            }
        }
    });
    timer.start();
    const bool chosen = service.PromptForFileName(request);
    timer.stop();
    EXPECT_FALSE(askedItself);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(folder.File("Groep A.csv"), request.FileName);
    // Qt's Dutch texts: "Zoeken in:" for "Look in:", "Bestandsnaam:" for "File name:".
    const auto has = [&](const std::string& Part) {
        for (const std::string& l : labels)
            if (l.find(Part) != std::string::npos) return true;
        return false;
    };
    EXPECT_FALSE(has("Look in")) << ::testing::PrintToString(labels);
    EXPECT_FALSE(has("File name")) << ::testing::PrintToString(labels);
    EXPECT_FALSE(has("Files of type")) << ::testing::PrintToString(labels);
    EXPECT_FALSE(picture.empty());
}

TEST(Dialogs, FilterTextBecomesQtFilters) {
    EXPECT_EQ("Excel files (*.csv)", QtFileFilter("Excel files (*.csv)|*.csv|"));
    EXPECT_EQ("Excel (*.csv)", QtFileFilter("Excel|*.csv|"));
    EXPECT_EQ("Tekst (*.txt);;Alles (*.a *.b)", QtFileFilter("Tekst|*.txt|Alles|*.a;*.b"));
    EXPECT_EQ("", QtFileFilter(""));
}

namespace {

struct FolderFixture : ::testing::Test {
    const TTestFolder Folder{"vclfiles"};
    const std::string Root = Folder.Path();
    void SetUp() override {
        ForceDirectories(Root + "/Voorbeeld/Oud");
        ForceDirectories(Root + "/Voorbeeld/.cache");
        WriteFileAtomic(Root + "/Voorbeeld/Snelschaken 2016-04-20 A.csv", "x");
        WriteFileAtomic(Root + "/Voorbeeld/b.CSV", "x");
        WriteFileAtomic(Root + "/Voorbeeld/notities.txt", "x");
    }
};

} // namespace

TEST_F(FolderFixture, FileListShowsMatchingFilesAndTheFolderListFeedsIt) {
    auto form = MakeForm();
    auto* files = new TFileListBox(form.get());
    files->SetParent(form.get());
    files->SetMask("*.csv");
    auto* dirs = new TDirectoryListBox(form.get());
    dirs->SetParent(form.get());
    dirs->FileList = files;
    dirs->SetDirectory(Root + "/Voorbeeld");
    EXPECT_EQ(Root + "/Voorbeeld", files->Directory());
    ASSERT_EQ(2, files->Items()->Count());
    EXPECT_EQ("b.CSV", files->Items()->Get(0));
    EXPECT_EQ("", files->FileName());
    files->SetItemIndex(1);
    EXPECT_EQ(Root + "/Voorbeeld/Snelschaken 2016-04-20 A.csv", files->FileName());
    // The folder list: the path down to the folder, then its sub-folder; a
    // hidden folder (".cache") is not offered.
    const int last = dirs->Items()->Count() - 1;
    EXPECT_EQ(Root + "/Voorbeeld", dirs->GetItemPath(last - 1));
    EXPECT_EQ(Root + "/Voorbeeld/Oud", dirs->GetItemPath(last));
    EXPECT_EQ("Oud", Trim(dirs->Items()->Get(last)));
    EXPECT_EQ("/", dirs->GetItemPath(0));
    dirs->SetItemIndex(last);
    dirs->OpenCurrent();
    EXPECT_EQ(Root + "/Voorbeeld/Oud", dirs->Directory());
    EXPECT_EQ(0, files->Items()->Count());
}

TEST(Drives, MountRootsStartAtTheRoot) {
    const auto roots = MountRoots();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ("/", roots[0]);
    auto form = MakeForm();
    auto* drives = new TDriveComboBox(form.get());
    drives->SetParent(form.get());
    EXPECT_EQ("/", drives->Drive());
}

// Return and the number block's Enter press the button drawn as default: the
// first one, or the one Tab moved to (as the platform's boxes do).
TEST(Dialogs, ReturnPressesTheButtonDrawnAsDefault) {
    Application->Initialize();
    const struct {
        TMsgDlgButtons Buttons;
        int Tabs;
        bool Keypad;
        int Answer;
    } rows[] = {{mbYesNo, 0, false, mrYes},
                {mbYesNo, 0, true, mrYes},
                {mbYesNoCancel, 1, false, mrNo},
                {mbYesNoCancel, 2, true, mrCancel}};
    for (const auto& row : rows) {
        bool pressed = false;
        int ticks = 0;
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && ++ticks > 500) box->done(0); // never took the focus
            if (!box || pressed || !QApplication::focusWidget()) return;
            pressed = true;
            for (int i = 0; i < row.Tabs; ++i)
                KeyStrokeToFocus(VK_TAB);
            KeyStrokeToFocus(VK_RETURN, {}, row.Keypad);
            if (QApplication::activeModalWidget() == box) box->done(0); // the key missed
        });
        timer.start();
        EXPECT_EQ(row.Answer, DialogService().MessageDlg("Unzip", mtConfirmation, row.Buttons, ""))
            << row.Tabs << " " << row.Keypad;
    }
}
