// Forms: modal forms closed by ModalResult and by scripted dialog answers,
// close questions, message boxes, and the creation and destruction events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include "platform/rtl/dialogs.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"

TEST(Forms, ModalFormEndsWithTheScriptedAnswer) {
    TScriptedDialogsScope dialogs;
    dialogs->QueueAnswer(mrYes);
    auto form = MakeForm();
    std::vector<std::string> events;
    form->OnShow = [&](TObject*) {
        events.push_back("show");
        // The question is asked from inside the modal loop.
        PostMessage(form.get(), WM_USER + 1);
    };
    const TWndMethod old = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) {
            const int answer = MessageDlg("Opslaan ?", mtConfirmation, mbYesNo);
            form->SetModalResult(answer == mrYes ? mrOk : mrCancel);
            return;
        }
        old(m);
    };
    form->OnClose = [&](TObject*, TCloseAction& Action) {
        events.push_back("close");
        EXPECT_EQ(caHide, Action);
    };
    EXPECT_EQ(mrOk, form->ShowModal());
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(events, (std::vector<std::string>{"show", "close"}));
    ASSERT_EQ(1u, dialogs->Asked().size());
    EXPECT_EQ("Opslaan ?", dialogs->Asked()[0].Text);
    form->WindowProc = old;
}

TEST(Forms, CloseQueryCanRefuseAModalClose) {
    auto form = MakeForm();
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = ++asked > 1; };
    form->OnShow = [&](TObject*) { form->SetModalResult(mrCancel); };
    auto* rec = new TRecorder(form.get());
    rec->SetParent(form.get());
    // After the refusal the loop goes on; a later message closes it for good.
    SetTimer(rec, 1, 1);
    rec->WindowProc = [&, old = rec->WindowProc](TMessage& m) {
        if (m.Msg == WM_TIMER && form->ModalResult() == mrNone) form->SetModalResult(mrAbort);
        old(m);
    };
    EXPECT_EQ(mrAbort, form->ShowModal());
    EXPECT_EQ(2, asked);
    KillTimer(rec, 1);
}

TEST(Forms, CloseOfAModalFormIsCancel) {
    auto form = MakeForm();
    form->OnShow = [&](TObject*) { PostMessage(form.get(), WM_USER + 2); };
    form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
        if (m.Msg == WM_USER + 2)
            form->Close();
        else
            old(m);
    };
    EXPECT_EQ(mrCancel, form->ShowModal());
}

TEST(Forms, ShowingAVisibleFormModallyIsRefused) {
    auto form = MakeForm();
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
    form->Hide();
}

TEST(Forms, CloseActionDecides) {
    auto form = MakeForm();
    TCloseAction wanted = caNone;
    form->OnClose = [&](TObject*, TCloseAction& Action) { Action = wanted; };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->Visible());
    wanted = caHide;
    form->Close();
    EXPECT_FALSE(form->Visible());
}

TEST(Forms, ReleasedFormIsFreedByTheMessageLoop) {
    auto* form = new TForm(Application);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->Release();
    EXPECT_FALSE(destroyed);
    Application->ProcessMessages();
    EXPECT_TRUE(destroyed);
}

TEST(Forms, CreateEventRunsOnceAfterConstruction) {
    auto form = MakeForm();
    int created = 0;
    form->OnCreate = [&](TObject*) { ++created; };
    form->AfterConstruction();
    form->AfterConstruction();
    EXPECT_EQ(1, created);
}

TEST(Forms, MessageBoxFlagsBecomeButtonsAndAnswers) {
    TScriptedDialogsScope dialogs;
    dialogs->QueueAnswer(mrNo);
    EXPECT_EQ(IDNO, Application->MessageBox("Verwijderen ?", "Let op", MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(IDCANCEL, Application->MessageBox("Door ?", "", MB_OKCANCEL));
    ASSERT_EQ(2u, dialogs->Asked().size());
    EXPECT_EQ(mbYesNo, dialogs->Asked()[0].Buttons);
    EXPECT_EQ(mtConfirmation, dialogs->Asked()[0].DlgType);
    EXPECT_EQ(mbOKCancel, dialogs->Asked()[1].Buttons);
}

TEST(Forms, EnterPressesTheDefaultButtonThroughDialogKey) {
    auto form = MakeForm();
    auto* rec = new TRecorder(form.get());
    rec->SetParent(form.get());
    int dialogKeys = 0;
    form->WindowProc = [&, old = form->WindowProc](TMessage& m) {
        if (m.Msg == CM_DIALOGKEY && m.WParam == VK_RETURN) ++dialogKeys;
        old(m);
    };
    SendKey(rec, Qt::Key_Return, "\r");
    EXPECT_EQ(1, dialogKeys);
    // Nobody took it, so the control gets it as a key.
    EXPECT_EQ(1u, rec->Only(WM_KEYDOWN).size());
    rec->DlgCode = DLGC_WANTALLKEYS;
    SendKey(rec, Qt::Key_Return, "\r");
    EXPECT_EQ(1, dialogKeys);
}

TEST(Forms, AcceleratorsPressTheirButtonsWithAltOrWhenTheControlTakesNoCharacters) {
    auto form = MakeForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* rec = new TRecorder(form.get());
    rec->SetParent(form.get());
    auto* done = new TButton(form.get());
    done->SetParent(form.get());
    done->SetCaption("&Klaar");
    int clicks = 0;
    done->OnClick = [&](TObject*) { ++clicks; };
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("&Naam");
    label->FocusControl = edit;
    form->Show();
    // An edit takes the letter itself.
    SendKey(edit, Qt::Key_K, "k");
    EXPECT_EQ("k", edit->Text());
    EXPECT_EQ(0, clicks);
    // With Alt the letter is an accelerator and is not typed; the window
    // system sends the letter's text with it.
    SendKey(edit, Qt::Key_K, "k", Qt::AltModifier);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ("k", edit->Text());
    // A control that takes no characters gives them to the accelerators first.
    SendKey(rec, Qt::Key_K, "K");
    EXPECT_EQ(2, clicks);
    EXPECT_TRUE(rec->Only(WM_CHAR).empty());
    SendKey(rec, Qt::Key_Q, "q");
    EXPECT_EQ(1u, rec->Only(WM_CHAR).size());
    // A label's accelerator focuses its control.
    SendKey(rec, Qt::Key_N, QString(), Qt::AltModifier);
    EXPECT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
    EXPECT_TRUE(IsAccel('k', "&Klaar"));
    EXPECT_FALSE(IsAccel('k', "&&Klaar"));
    EXPECT_FALSE(IsAccel('k', "Klaar"));
    form->Hide();
}

TEST(Forms, PositionCentresOnTheScreen) {
    auto form = MakeForm(200, 100);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ((Screen->Width() - 200) / 2, form->Left());
    EXPECT_EQ((Screen->Height() - 100) / 2, form->Top());
    form->Hide();
}

// A window's Constraints hold for the code and for the window system: neither
// SetBounds nor a resize from outside makes it smaller.
TEST(Forms, ConstraintsLimitTheWindowAlsoWhenResizedFromOutside) {
    auto form = MakeForm(400, 300);
    form->Constraints()->SetMinWidth(360);
    form->Constraints()->SetMinHeight(280);
    form->Show();
    form->SetBounds(form->Left(), form->Top(), 101, 101);
    EXPECT_EQ(360, form->Width());
    EXPECT_EQ(280, form->Height());
    form->SetBounds(form->Left(), form->Top(), 400, 300);
    form->Widget()->resize(120, 110); // the user drags the window's corner
    PumpPending();
    EXPECT_EQ(360, form->Width());
    EXPECT_EQ(280, form->Height());
    form->Hide();
}

TEST(Forms, RunHandlesMessagesUntilTheMainFormCloses) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(main, Application->MainForm());
    int created = 0;
    main->OnClose = [&](TObject*, TCloseAction&) { ++created; };
    PostMessage(main, WM_USER + 3);
    main->WindowProc = [main, old = main->WindowProc](TMessage& m) {
        if (m.Msg == WM_USER + 3)
            main->Close();
        else
            old(m);
    };
    Application->Run();
    EXPECT_FALSE(Application->Terminated());
    EXPECT_EQ(1, created);
    EXPECT_FALSE(main->Visible());

    // Terminated before it ran (a program that found itself running already),
    // Run returns at once; a hidden main form stays hidden.
    Application->ShowMainForm = false;
    Application->Terminate();
    Application->Run();
    EXPECT_FALSE(main->Visible());
    EXPECT_FALSE(Application->Terminated());
    Application->ShowMainForm = true;
    delete main;
    EXPECT_EQ(nullptr, Application->MainForm());
}

TEST(Screen, HourGlassCursorOverridesUntilReset) {
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(crHourGlass, Screen->Cursor());
    EXPECT_NE(nullptr, QApplication::overrideCursor());
    Screen->SetCursor(crDefault);
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

// A window stored off the screen, or larger than it, comes onto the free part
// of the screen, its frame included, when shown; one that fits keeps its place
// and size.
TEST(Forms, AWindowIsShownOnTheScreen) {
    auto form = MakeForm();
    form->Show(); // the window system tells its frame
    form->Hide();
    const QMargins m = form->Widget()->windowHandle()->frameMargins();
    const TRect w = Screen->WorkAreaRect();
    const TRect free{w.Left + m.left(), w.Top + m.top(), w.Right - m.right(),
                     w.Bottom - m.bottom()};
    const struct {
        TRect Stored, Shown;
    } rows[] = {
        {{30, 40, 330, 240}, {30, 40, 330, 240}},
        {{30, 99999, 330, 100199}, {30, free.Bottom - 200, 330, free.Bottom}},
        {{-500, -500, -200, -300}, {free.Left, free.Top, free.Left + 300, free.Top + 200}},
        {{30, 40, 30 + free.Width() + 50, 40 + 100000}, free},
    };
    for (const auto& row : rows) {
        form->SetBoundsRect(row.Stored);
        form->Show();
        EXPECT_EQ(row.Shown, form->BoundsRect()) << row.Stored.Top;
        form->Hide();
    }
}
