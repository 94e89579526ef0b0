// Keys: a Qt key event becomes key down, character and key up with the
// platform's codes; dialog keys move the focus unless the control wants them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <cctype>

#include "platform/vcl/comctrls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

namespace {

struct KeyFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = MakeForm();
    TRecorder* First = new TRecorder(Form.get());
    TRecorder* Second = new TRecorder(Form.get());
    void SetUp() override {
        First->SetParent(Form.get());
        First->SetBounds(10, 10, 100, 30);
        Second->SetParent(Form.get());
        Second->SetBounds(10, 50, 100, 30);
    }
    static std::vector<UINT> Keys(const TRecorder* R) {
        return R->Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    }
};

} // namespace

TEST_F(KeyFixture, LetterArrivesAsKeyDownCharKeyUp) {
    SendKey(First, Qt::Key_A, "a");
    EXPECT_EQ(Keys(First), (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ('A', First->Only(WM_KEYDOWN)[0].WParam);
    EXPECT_EQ('a', First->Only(WM_CHAR)[0].WParam);
    EXPECT_EQ('A', First->Only(WM_KEYUP)[0].WParam);
}

TEST_F(KeyFixture, AccentedLetterTypesItsCodePageByte) {
    SendKey(First, Qt::Key_Eacute, QString(QChar(0xE9)));
    ASSERT_EQ(1u, First->Only(WM_CHAR).size());
    EXPECT_EQ(0xE9u, First->Only(WM_CHAR)[0].WParam);
    SendKey(First, Qt::Key_onehalf, QString(QChar(0xBD)));
    EXPECT_EQ(0xBDu, First->Only(WM_CHAR)[1].WParam);
}

TEST_F(KeyFixture, ShiftAndControlReachTheHandlers) {
    WORD seenKey = 0;
    TShiftState seenShift;
    First->OnKeyDown = [&](TObject*, WORD& Key, TShiftState Shift) {
        seenKey = Key;
        seenShift = Shift;
    };
    SendKey(First, Qt::Key_Right, QString(), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(VK_RIGHT, seenKey);
    EXPECT_EQ((TShiftState{ssShift, ssCtrl}), seenShift);
    // Ctrl+C types the control character 3, as the platform does.
    SendKey(First, Qt::Key_C, QString(), Qt::ControlModifier);
    EXPECT_EQ(3u, First->Only(WM_CHAR).back().WParam);
}

TEST_F(KeyFixture, CharacterFollowsEvenWhenTheKeyDownWasUsedUp) {
    First->OnKeyDown = [](TObject*, WORD& Key, TShiftState) { Key = 0; };
    std::string typed;
    First->OnKeyPress = [&](TObject*, char& Key) { typed += Key; };
    SendKey(First, Qt::Key_X, "x");
    EXPECT_EQ("x", typed);
}

TEST_F(KeyFixture, KeypadDecimalCarriesTheKeypadScanCode) {
    SendKey(First, Qt::Key_Period, ".", Qt::KeypadModifier);
    SendKey(First, Qt::Key_Period, ".");
    const auto downs = First->Only(WM_KEYDOWN);
    ASSERT_EQ(2u, downs.size());
    EXPECT_EQ(VK_DECIMAL, downs[0].WParam);
    EXPECT_TRUE(ScanCodeOf(downs[0].LParam) & 0x40);
    EXPECT_EQ(VK_OEM_PERIOD, downs[1].WParam);
    EXPECT_FALSE(ScanCodeOf(downs[1].LParam) & 0x40);
    EXPECT_EQ('.', First->Only(WM_CHAR)[0].WParam);
}

TEST_F(KeyFixture, FunctionAndNavigationKeysTypeNothing) {
    SendKey(First, Qt::Key_F2);
    SendKey(First, Qt::Key_Delete, QString(QChar(0x7F)));
    SendKey(First, Qt::Key_Home);
    EXPECT_TRUE(First->Only(WM_CHAR).empty());
    const auto downs = First->Only(WM_KEYDOWN);
    ASSERT_EQ(3u, downs.size());
    EXPECT_EQ(VK_F2, downs[0].WParam);
    EXPECT_EQ(VK_DELETE, downs[1].WParam);
    EXPECT_EQ(VK_HOME, downs[2].WParam);
}

TEST_F(KeyFixture, TabMovesTheFocusUnlessTheControlWantsIt) {
    ShowActive(Form.get());
    First->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return First->Focused(); }));
    EXPECT_EQ(First, Form->ActiveControl());
    SendKey(First, Qt::Key_Tab, "\t");
    EXPECT_TRUE(ProcessUntil([&] { return Second->Focused(); }));
    EXPECT_EQ(Second, Form->ActiveControl());
    EXPECT_TRUE(First->Only(WM_KEYDOWN).empty()); // the dialog key never came as a key
    // A control that asks for Tab gets it as a key and keeps the focus.
    Second->DlgCode = DLGC_WANTTAB;
    SendKey(Second, Qt::Key_Tab, "\t");
    ASSERT_EQ(1u, Second->Only(WM_KEYDOWN).size());
    EXPECT_EQ(VK_TAB, Second->Only(WM_KEYDOWN)[0].WParam);
    EXPECT_EQ(9u, Second->Only(WM_CHAR)[0].WParam);
    EXPECT_TRUE(Second->Focused());
    // Shift+Tab goes back.
    Second->DlgCode = 0;
    SendKey(Second, Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_TRUE(ProcessUntil([&] { return First->Focused(); }));
}

TEST_F(KeyFixture, AltKeysComeAsSystemKeysWithTheirCharacter) {
    TShiftState seenShift;
    First->OnKeyDown = [&](TObject*, WORD&, TShiftState Shift) { seenShift = Shift; };
    std::string pressed;
    First->OnKeyPress = [&](TObject*, char& Key) { pressed += Key; };
    SendKey(First, Qt::Key_A, QString(), Qt::AltModifier);
    EXPECT_EQ(
        First->Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}),
        (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}));
    EXPECT_EQ('A', First->Only(WM_SYSKEYDOWN)[0].WParam);
    EXPECT_EQ('a', First->Only(WM_SYSCHAR)[0].WParam);
    EXPECT_TRUE(First->Only(WM_SYSCHAR)[0].LParam & KF_ALTDOWN_BIT);
    EXPECT_EQ(TShiftState{ssAlt}, seenShift); // the key handlers still see it
    EXPECT_EQ("", pressed);                   // a system character is no typed one
    // With Shift the character is the capital.
    SendKey(First, Qt::Key_B, QString(), Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ('B', First->Only(WM_SYSCHAR).back().WParam);
}

TEST_F(KeyFixture, F10IsASystemKeyAndAltGrTypes) {
    SendKey(First, Qt::Key_F10);
    EXPECT_EQ(
        First->Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}),
        (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP}));
    EXPECT_EQ(VK_F10, First->Only(WM_SYSKEYDOWN)[0].WParam);
    First->Log.clear();
    // Ctrl+Alt is AltGr: an ordinary key typing its character.
    SendKey(First, Qt::Key_At, "@", Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(
        First->Messages({WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP}),
        (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    EXPECT_EQ('@', First->Only(WM_CHAR)[0].WParam);
}

TEST_F(KeyFixture, UnusedSystemCharacterReachesTheFormAccelerators) {
    auto* label = new TLabel(Form.get());
    label->SetParent(Form.get());
    label->SetCaption("&Zoek");
    label->FocusControl = Second;
    ShowActive(Form.get());
    First->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return First->Focused(); }));
    SendKey(First, Qt::Key_Z, QString(), Qt::AltModifier);
    EXPECT_TRUE(ProcessUntil([&] { return Second->Focused(); }));
    // A control that answers WM_SYSCHAR itself keeps it from the accelerators.
    Second->SetFocus();
    First->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return First->Focused(); }));
    First->WindowProc = [old = First->WindowProc](TMessage& M) {
        if (M.Msg == WM_SYSCHAR) {
            M.Result = 1;
            return;
        }
        old(M);
    };
    SendKey(First, Qt::Key_Z, QString(), Qt::AltModifier);
    QApplication::processEvents();
    EXPECT_TRUE(First->Focused());
}

TEST_F(KeyFixture, FocusMovesFireExitThenEnter) {
    std::vector<std::string> events;
    First->OnEnter = [&](TObject*) { events.push_back("enter 1"); };
    First->OnExit = [&](TObject*) { events.push_back("exit 1"); };
    Second->OnEnter = [&](TObject*) { events.push_back("enter 2"); };
    ShowActive(Form.get());
    First->SetFocus();
    ProcessUntil([&] { return First->Focused(); });
    Second->SetFocus();
    ProcessUntil([&] { return Second->Focused(); });
    EXPECT_EQ(events, (std::vector<std::string>{"enter 1", "exit 1", "enter 2"}));
}

TEST_F(KeyFixture, PostedTabKeyDownToTheParentMovesTheFocus) {
    ShowActive(Form.get());
    First->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return First->Focused(); }));
    PostMessage(Form.get(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(ProcessUntil([&] { return Second->Focused(); }));
}

TEST_F(KeyFixture, KeyPreviewLetsTheFormSeeKeysFirst) {
    Form->SetKeyPreview(true);
    std::vector<std::string> order;
    Form->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
        order.push_back("form");
        if (Key == VK_F5) Key = 0;
    };
    First->OnKeyDown = [&](TObject*, WORD&, TShiftState) { order.push_back("control"); };
    SendKey(First, Qt::Key_F4);
    SendKey(First, Qt::Key_F5);
    EXPECT_EQ(order, (std::vector<std::string>{"form", "control", "form"}));
}

TEST(Destruction, ADyingFormFiresNoFocusEventsOfItsControls) {
    auto form = MakeForm();
    auto* a = new TRecorder(form.get());
    auto* b = new TRecorder(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    ShowActive(form.get());
    b->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return b->Focused(); }));
    int exits = 0, enters = 0;
    b->OnExit = [&](TObject*) { ++exits; };
    a->OnEnter = [&](TObject*) { ++enters; };
    form.reset();
    EXPECT_EQ(0, exits);
    EXPECT_EQ(0, enters);
}

// Ctrl+Tab and Ctrl+PgDn turn to the next page, Ctrl+Shift+Tab and Ctrl+PgUp
// back, round the ends; the focus goes along to the page shown, also from a
// control that takes Tab itself.
TEST_F(KeyFixture, ControlTabAndPageKeysTurnThePages) {
    auto* pages = new TPageControl(Form.get());
    pages->SetParent(Form.get());
    pages->SetBounds(120, 10, 300, 200);
    std::vector<TRecorder*> on;
    for (const char* caption : {"Een", "Twee", "Drie"}) {
        auto* sheet = new TTabSheet(Form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        auto* r = new TRecorder(Form.get());
        r->SetParent(sheet);
        r->SetBounds(10, 10, 80, 30);
        r->SetTabStop(true);
        on.push_back(r);
    }
    int changes = 0;
    pages->OnChange = [&changes](TObject*) { ++changes; };
    ShowActive(Form.get());
    on[0]->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return on[0]->Focused(); }));
    on[0]->DlgCode = DLGC_WANTTAB;
    SendKey(on[0], Qt::Key_Tab, "\t", Qt::ControlModifier);
    EXPECT_EQ(1, pages->ActivePageIndex());
    EXPECT_TRUE(ProcessUntil([&] { return on[1]->Focused(); }));
    SendKey(on[1], Qt::Key_PageDown, QString(), Qt::ControlModifier);
    EXPECT_EQ(2, pages->ActivePageIndex());
    EXPECT_TRUE(ProcessUntil([&] { return on[2]->Focused(); }));
    SendKey(on[2], Qt::Key_PageDown, QString(), Qt::ControlModifier);
    EXPECT_EQ(0, pages->ActivePageIndex());
    SendKey(on[0], Qt::Key_PageUp, QString(), Qt::ControlModifier);
    EXPECT_EQ(2, pages->ActivePageIndex());
    SendKey(on[2], Qt::Key_Backtab, QString(), Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(1, pages->ActivePageIndex());
    EXPECT_EQ(5, changes);
    EXPECT_TRUE(on[0]->Only(WM_KEYDOWN).empty());
}

// Tabbed into, the tab row shows the dotted frame on the active tab; Left and
// Right step to the tab beside (not round the ends), Home and End to the first
// and last, each as a click on the tab would (OnChanging may refuse it), and
// the focus stays on the row. Tabbed out of, the frame goes.
TEST_F(KeyFixture, ArrowKeysPickTabsOfTheFocusedTabRow) {
    auto* pages = new TPageControl(Form.get());
    pages->SetParent(Form.get());
    pages->SetBounds(120, 10, 260, 150);
    for (const char* caption : {"Spelers", "Ronden", "Stand"}) {
        auto* sheet = new TTabSheet(Form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
    }
    int changing = 0, changes = 0;
    bool allow = true;
    pages->OnChanging = [&](TObject*, bool& Allow) {
        ++changing;
        Allow = allow;
    };
    pages->OnChange = [&changes](TObject*) { ++changes; };
    ShowActive(Form.get());
    Second->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return Second->Focused(); }));
    auto look = [pages] { return pages->Widget()->grab().toImage(); };
    PumpPending();
    const QImage plain = look();
    KeyStroke(Second, VK_TAB);
    ASSERT_TRUE(ProcessUntil([&] { return pages->Focused(); }));
    PumpPending();
    const QImage focused = look();
    int changed = 0;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            changed += focused.pixel(x, y) != plain.pixel(x, y);
    EXPECT_GT(changed, 20); // a frame of dots, not a pixel or two
    const std::vector<std::pair<WORD, int>> steps = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 2},
                                                     {VK_HOME, 0},  {VK_LEFT, 0},  {VK_END, 2},
                                                     {VK_LEFT, 1}};
    for (const auto& [key, page] : steps) {
        KeyStroke(pages, key);
        EXPECT_EQ(page, pages->ActivePageIndex()) << key;
        EXPECT_TRUE(pages->Focused()) << key;
    }
    EXPECT_EQ(5, changing);
    EXPECT_EQ(5, changes);
    EXPECT_TRUE(SaveControlPicture(Form.get(), ArtifactsDir() + "/vcl_focus_tabs.png"));
    allow = false;
    KeyStroke(pages, VK_HOME);
    EXPECT_EQ(1, pages->ActivePageIndex());
    EXPECT_EQ(5, changes);
    allow = true;
    KeyStroke(pages, VK_LEFT);
    EXPECT_EQ(0, pages->ActivePageIndex());
    KeyStroke(pages, VK_TAB);
    ASSERT_TRUE(ProcessUntil([&] { return !pages->Focused(); }));
    PumpPending();
    EXPECT_EQ(look(), plain);
}

// Alt+letter, coming the window system's road (past Qt's shortcut map), reaches
// the form's accelerators: a button is focused and pressed at once, a check box
// toggles, a label focuses its control, a tab shows its page; one that no
// accelerator takes types nothing.
TEST(Accelerators, AltLetterReachesButtonsLabelsAndTabs) {
    auto form = MakeForm(500, 300);
    auto place = [&form](auto* c, TWinControl* Parent, int Top, const char* Caption) {
        c->SetParent(Parent);
        c->SetBounds(10, Top, 120, 24);
        c->SetCaption(Caption);
        return c;
    };
    auto* start = place(new TEdit(form.get()), form.get(), 10, "");
    auto* klaar = place(new TButton(form.get()), form.get(), 40, "&Klaar");
    auto* vink = place(new TCheckBox(form.get()), form.get(), 70, "&Vink");
    auto* label = place(new TLabel(form.get()), form.get(), 100, "&Naam");
    auto* naam = place(new TEdit(form.get()), form.get(), 130, "");
    label->FocusControl = naam;
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetBounds(150, 10, 300, 200);
    std::vector<TEdit*> on;
    for (const char* caption : {"&Een", "&Twee"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetPageControl(pages);
        sheet->SetCaption(caption);
        on.push_back(place(new TEdit(form.get()), sheet, 10, ""));
    }
    int clicks = 0;
    klaar->OnClick = [&clicks](TObject*) { ++clicks; };
    ShowActive(form.get());
    start->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return start->Focused(); }));
    auto alt = [](TWinControl* From, char Letter) {
        KeyStroke(From, static_cast<WORD>(std::toupper(Letter)), Letter, {ssAlt});
    };

    alt(start, 'k');
    EXPECT_EQ(1, clicks);
    EXPECT_TRUE(ProcessUntil([&] { return klaar->Focused(); }));
    alt(klaar, 'v');
    EXPECT_TRUE(vink->Checked());
    EXPECT_TRUE(ProcessUntil([&] { return vink->Focused(); }));
    alt(vink, 'n');
    EXPECT_TRUE(ProcessUntil([&] { return naam->Focused(); }));
    alt(naam, 't');
    EXPECT_EQ(1, pages->ActivePageIndex());
    EXPECT_TRUE(on[1]->Showing());
    EXPECT_TRUE(ProcessUntil([&] { return on[1]->Focused(); }));
    // Letters and digits no accelerator takes type nothing; AltGr (Ctrl+Alt)
    // still types its character.
    for (const char letter : {'z', 'q', '7'})
        alt(on[1], letter);
    KeyStroke(on[1], 'Q', '@', {ssCtrl, ssAlt});
    EXPECT_EQ("@", on[1]->Text());
}
