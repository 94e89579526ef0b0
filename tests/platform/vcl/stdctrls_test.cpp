// Standard controls: the edit types what the key handlers leave; buttons,
// check boxes, radio buttons, speed buttons, labels, panels and timers.
#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QWidget>

#include "platform/vcl/buttons.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

namespace {

struct EditFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = MakeForm();
    TEdit* Edit = new TEdit(Form.get());
    int Changes = 0;
    void SetUp() override {
        Edit->SetParent(Form.get());
        Edit->OnChange = [this](TObject*) { ++Changes; };
    }
    void Type(const std::string& Text) {
        for (char ch : Text) {
            const int key = ch >= 'a' && ch <= 'z' ? Qt::Key_A + (ch - 'a') : 0;
            SendKey(Edit, key, QString(QChar(ch)));
        }
    }
};

} // namespace

TEST_F(EditFixture, TypingChangesTheText) {
    Type("abc");
    EXPECT_EQ("abc", Edit->Text());
    EXPECT_EQ(3, Changes);
    SendKey(Edit, Qt::Key_Backspace, "\b");
    EXPECT_EQ("ab", Edit->Text());
    SendKey(Edit, Qt::Key_Home);
    EXPECT_EQ(0, Edit->SelStart());
    EXPECT_EQ("ab", Edit->Text());
    SendKey(Edit, Qt::Key_Delete);
    EXPECT_EQ("b", Edit->Text());
}

// Letters outside the program's code page become their plain letter (or go),
// and the edit says so; text the program sets is left alone.
TEST_F(EditFixture, LettersTheCodePageLacksBecomePlainLetters) {
    int adjusted = 0;
    Edit->CodePageLetters = true;
    Edit->OnTextAdjusted = [&adjusted](TObject*) { ++adjusted; };
    SendKey(Edit, 0, QString(QChar(0x141))); // L with stroke
    Type("ukasz");
    SendKey(Edit, 0, QString(QChar(0x15B)));  // s with acute
    SendKey(Edit, 0, QString(QChar(0x4E2D))); // a CJK ideograph: left out
    EXPECT_EQ("Lukaszs", Edit->Text());
    EXPECT_EQ(3, adjusted);
    SendKey(Edit, 0, QString(QChar(0xE9))); // in the code page already
    EXPECT_EQ("Lukaszs\xE9", Edit->Text());
    EXPECT_EQ(3, adjusted);
    Edit->SetText("Jos\xE9");
    EXPECT_EQ(3, adjusted);
    // Each letter without a decomposition has its own plain letter.
    Edit->SetText("");
    for (const char16_t c : {u'\u0142', u'\u0110', u'\u0111', u'\u0131'})
        SendKey(Edit, 0, QString(QChar(c)));
    EXPECT_EQ("lDdi", Edit->Text());
    EXPECT_EQ(7, adjusted);
    // Off (as by default), the letter stays in the edit.
    Edit->CodePageLetters = false;
    SendKey(Edit, 0, QString(QChar(0x141)));
    EXPECT_EQ(7, adjusted);
}

TEST_F(EditFixture, KeyPressHandlerCanDropOrChangeTheCharacter) {
    Edit->OnKeyPress = [](TObject*, char& Key) {
        if (Key == 'x') Key = 0;
        if (Key == 'c') Key = 'C';
    };
    Type("axc");
    EXPECT_EQ("aC", Edit->Text());
}

TEST_F(EditFixture, UsedUpKeyDownDoesNotMoveTheCaret) {
    Type("ab");
    Edit->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
        if (Key == VK_LEFT) Key = 0;
    };
    SendKey(Edit, Qt::Key_Left);
    EXPECT_EQ(2, Edit->SelStart());
}

TEST_F(EditFixture, SelectionAndLimits) {
    Edit->SetText("Vivazozodi");
    EXPECT_EQ(1, Changes);
    Edit->SetSelStart(2);
    Edit->SetSelLength(3);
    EXPECT_EQ("vaz", Edit->SelText());
    Edit->SetSelText("XY");
    EXPECT_EQ("ViXYozodi", Edit->Text());
    Edit->SetMaxLength(4);
    Edit->SetText("");
    Type("abcdef");
    EXPECT_EQ("abcd", Edit->Text());
    Edit->SetReadOnly(true);
    Type("z");
    EXPECT_EQ("abcd", Edit->Text());
}

TEST_F(EditFixture, SentCharacterIsTypedAndCodePageTextSurvives) {
    Edit->Perform(WM_CHAR, static_cast<unsigned char>('\xBD'));
    EXPECT_EQ("\xBD", Edit->Text());
    Edit->SetText("caf\xE9");
    EXPECT_EQ("caf\xE9", Edit->Text());
}

TEST_F(EditFixture, PositionsOfCharactersAndCharactersAtPositions) {
    Edit->SetBounds(10, 10, 200, 24);
    Edit->SetText("WWii mm");
    Edit->SetSelStart(2);
    Edit->SetSelLength(3);
    std::vector<int> xs;
    for (int i = 0; i < 7; ++i) {
        const LRESULT p = Edit->Perform(EM_POSFROMCHAR, i);
        ASSERT_NE(-1, p);
        xs.push_back(SignedLo(p));
        EXPECT_GE(SignedHi(p), 0);
        EXPECT_LT(SignedHi(p), 24);
        // The character at that point (just inside it) is the same one.
        EXPECT_EQ(i, LoWord(Edit->Perform(EM_CHARFROMPOS, 0, MakeLParam(xs.back() + 1, 10))));
    }
    EXPECT_LT(xs[0], 8); // at the left margin
    // Wide letters take more room than narrow ones.
    EXPECT_GT(xs[1] - xs[0], xs[3] - xs[2]);
    EXPECT_GT(xs[6] - xs[5], xs[4] - xs[3]);
    EXPECT_EQ(-1, Edit->Perform(EM_POSFROMCHAR, 7)); // past the last character
    EXPECT_EQ(-1, Edit->Perform(EM_POSFROMCHAR, static_cast<WPARAM>(-3)));
    // Asking moved nothing.
    EXPECT_EQ(2, Edit->SelStart());
    EXPECT_EQ(3, Edit->SelLength());
    // The same from wherever the caret stands.
    Edit->SetSelStart(7);
    EXPECT_EQ(xs[4], SignedLo(Edit->Perform(EM_POSFROMCHAR, 4)));
}

TEST(Buttons, DefaultButtonTakesEnterAndEndsTheModalForm) {
    auto form = MakeForm();
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->Default = true;
    ok->ModalResult = mrOk;
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    form->OnShow = [&](TObject*) { PostMessage(edit, WM_KEYDOWN, VK_RETURN, 0); };
    EXPECT_EQ(mrOk, form->ShowModal());
    EXPECT_EQ(1, clicks);
}

TEST(Buttons, CheckBoxAndRadioButtons) {
    auto form = MakeForm();
    auto* box = new TCheckBox(form.get());
    box->SetParent(form.get());
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(true);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(1, clicks);
    box->SetChecked(true);
    EXPECT_EQ(1, clicks);
    box->SetAllowGrayed(true);
    box->SetState(cbGrayed);
    EXPECT_EQ(cbGrayed, box->State());

    auto* a = new TRadioButton(form.get());
    auto* b = new TRadioButton(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
}

// Where a caption has room: inside a push button's face, less its glyph and
// the gap; right of a check box's box.
TEST(Buttons, CaptionRoomLiesInTheFaceBesideTheGlyphOrTheBox) {
    auto form = MakeForm();
    auto* plain = new TButton(form.get());
    auto* glyphed = new TBitBtn(form.get());
    auto* box = new TCheckBox(form.get());
    for (TButtonControl* b : std::initializer_list<TButtonControl*>{plain, glyphed, box}) {
        b->SetParent(form.get());
        b->SetBounds(0, 0, 110, 28);
    }
    const TBitmap glyph(16, 16);
    glyphed->SetGlyph(&glyph);
    const TRect face = plain->CaptionRect();
    EXPECT_TRUE(face.Left > 0 && face.Right < 110) << face.Left << ".." << face.Right;
    EXPECT_EQ(face.Width() - 16 - 4, glyphed->CaptionRect().Width());
    EXPECT_GE(box->CaptionRect().Left, 13); // the box is at least as wide
}

TEST(Buttons, SpeedButtonsOfAGroupStayDownOneAtATime) {
    auto form = MakeForm();
    auto* a = new TSpeedButton(form.get());
    auto* b = new TSpeedButton(form.get());
    for (TSpeedButton* s : {a, b}) {
        s->SetParent(form.get());
        s->SetGroupIndex(1);
        s->SetFlat(true);
    }
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    SendMouse(a, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    SendMouse(a, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(1, clicks);
    b->SetDown(true);
    EXPECT_FALSE(a->Down());
    b->SetDown(false); // the last one down stays down without AllowAllUp
    EXPECT_TRUE(b->Down());
}

TEST(Labels, AutoSizeFitsTheCaption) {
    auto form = MakeForm();
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("Kort");
    const int shortWidth = label->Width();
    label->SetCaption("Een veel langere tekst");
    EXPECT_GT(shortWidth, 0);
    EXPECT_GT(label->Width(), shortWidth);
}

TEST(Panels, BevelsShrinkTheRoomOfAlignedChildren) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 200, 100);
    panel->SetBorderWidth(2);
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    inner->SetAlign(alClient);
    EXPECT_EQ(Rect(3, 3, 197, 97), inner->BoundsRect());
}

TEST(Timers, TimerFiresWhileEnabled) {
    auto form = MakeForm();
    auto* timer = new TTimer(form.get());
    int ticks = 0;
    timer->SetInterval(1);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_TRUE(ProcessUntil([&] { return ticks >= 2; }));
    timer->SetEnabled(false);
    const int after = ticks;
    Application->ProcessMessages();
    EXPECT_EQ(after, ticks);
}

TEST(Buttons, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    auto form = MakeForm();
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->Default = true;
    auto* other = new TButton(form.get());
    other->SetParent(form.get());
    other->SetTop(40);
    int okClicks = 0, otherClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    other->OnClick = [&](TObject*) { ++otherClicks; };
    ShowActive(form.get());
    other->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return other->Focused(); }));
    SendKey(other, Qt::Key_Return, "\r");
    EXPECT_EQ(0, okClicks);
    EXPECT_EQ(1, otherClicks);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetTop(80);
    edit->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
    SendKey(edit, Qt::Key_Return, "\r");
    EXPECT_EQ(1, okClicks);
    form->Hide();
}

// Tabbing through push, bitmap, check and radio buttons: the focused one shows
// the dotted frame, the one left behind loses it.
TEST(Buttons, TheFocusedButtonShowsTheFocusFrame) {
    auto form = MakeForm(260, 170);
    // The first control takes the focus when the window comes up; the buttons
    // are seen without it first.
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(130, 10, 110, 24);
    std::vector<TButtonControl*> buttons;
    auto add = [&](TButtonControl* B, const char* Caption) {
        B->SetParent(form.get());
        B->SetBounds(10, 10 + 38 * static_cast<int>(buttons.size()), 110, 28);
        B->SetCaption(Caption);
        buttons.push_back(B);
    };
    add(new TButton(form.get()), "&Zet");
    add(new TBitBtn(form.get()), "&Klaar");
    add(new TCheckBox(form.get()), "&Bereken ZV punten");
    auto* radio = new TRadioButton(form.get());
    add(radio, "&Volledige");
    radio->SetChecked(true); // Tab stops at the checked one of a group
    ShowActive(form.get());
    auto look = [](TControl* C) { return C->Widget()->grab().toImage(); };
    std::vector<QImage> plain;
    for (TButtonControl* b : buttons)
        plain.push_back(look(b));
    buttons[0]->SetFocus();
    for (size_t i = 0; i < buttons.size(); ++i) {
        ASSERT_TRUE(ProcessUntil([&] { return buttons[i]->Focused(); })) << i;
        PumpPending();
        const QImage focused = look(buttons[i]);
        int changed = 0;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                changed += focused.pixel(x, y) != plain[i].pixel(x, y);
        EXPECT_GT(changed, 20) << i; // a frame of dots, not a pixel or two
        if (i == 1) {
            EXPECT_TRUE(SaveControlPicture(form.get(), ArtifactsDir() + "/vcl_focus_buttons.png"));
        }
        if (i > 0) {
            EXPECT_EQ(look(buttons[i - 1]), plain[i - 1]) << i;
        }
        if (i + 1 < buttons.size()) KeyStroke(buttons[i], VK_TAB);
    }
}
