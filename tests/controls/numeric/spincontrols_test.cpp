// The spin controls on real (offscreen) windows: auto-repeat held through Qt
// mouse events, the numeric spin's arrows and keys, and pictures of its states.
#include <gtest/gtest.h>

#include <memory>

#include "controls/numeric/flashcontrols.h"
#include "controls/numeric/numspin.h"
#include "controls/numeric/spinbutton.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/resources.h"
#include "platform/vcl/regions.h"
#include "platform/vcl/scrollbars.h"
#include "separators.h"
#include "testinput.h"

namespace {

class SpinFixture : public ::testing::Test {
protected:
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);

    void SetUp() override {
        Form->SetBounds(0, 0, 240, 160);
        Form->Show();
        PumpPending();
    }
    void TearDown() override {
        Form.reset();
        PumpPending();
    }
    // A spin button on the form; a quick one repeats at once, every 50 ms.
    TVcSpinButton* AddSpin(bool Quick = false) {
        auto* spin = new TVcSpinButton(Form.get());
        spin->SetParent(Form.get());
        if (Quick) {
            spin->SetStartDelay(0);
            spin->SetInterval(50);
        }
        return spin;
    }
    // Holds the left button down on B until Clicks reaches N (or a hang).
    static bool HoldUntil(TControl* B, const int& Clicks, int N) {
        MousePress(B, 3, 3);
        return PumpUntil([&] { return Clicks >= N; });
    }
};

} // namespace

TEST_F(SpinFixture, SpinButtonSizes) {
    auto* spin = AddSpin();
    EXPECT_EQ(spin->Width(), 15);
    EXPECT_EQ(spin->Height(), 24);
    spin->SetBounds(0, 0, 10, 24);
    EXPECT_EQ(spin->Width(), 15);
    spin->SetBounds(0, 0, 18, 43);
    EXPECT_EQ(spin->UpButton()->Height(), 21);
    EXPECT_EQ(spin->DownButton()->Height(), 22);
    EXPECT_EQ(spin->DownButton()->Top(), 21);
    EXPECT_EQ(spin->UpButton()->Width(), 18);
    // Size constraints: the buttons share the height the control gets, not
    // the one asked for, also when that leaves the control as it was.
    spin->Constraints()->SetMaxHeight(30);
    for (int i = 0; i < 2; ++i) {
        spin->SetBounds(0, 0, 18, 60);
        EXPECT_EQ(spin->Height(), 30);
        EXPECT_EQ(spin->UpButton()->BoundsRect(), Bounds(0, 0, 18, 15));
        EXPECT_EQ(spin->DownButton()->BoundsRect(), Bounds(0, 15, 18, 15));
    }
    EXPECT_EQ(spin->UpNumGlyphs(), 2);
    EXPECT_EQ(spin->UpGlyph()->Width(), 18);
    EXPECT_EQ(spin->UpGlyph()->Height(), 6);
}

TEST_F(SpinFixture, DefaultGlyphsAreTheNamedResources) {
    auto* spin = AddSpin();
    TBitmap down;
    LoadBitmapResource(down, "VcSpinDown");
    EXPECT_EQ(down.Width(), 18);
    EXPECT_EQ(spin->DownGlyph()->Pixel(4, 1), down.Pixel(4, 1));
    // A program's own arrow under that name is what nil puts back.
    RegisterBitmapResource("VcSpinUp", [](TBitmap& B) {
        B.SetSize(18, 6);
        B.Canvas()->Brush()->SetColor(clRed);
        B.Canvas()->FillRect(Rect(0, 0, 18, 6));
    });
    spin->SetUpGlyph(nullptr);
    EXPECT_EQ(spin->UpGlyph()->Pixel(4, 1), clRed);
    EXPECT_EQ(spin->UpNumGlyphs(), 2);
}

TEST_F(SpinFixture, HeldArrowRepeatsUntilReleased) {
    auto* spin = AddSpin(true);
    spin->SetBounds(10, 10, 18, 43);
    int ups = 0, downs = 0;
    spin->OnUpClick = [&](TObject* s) {
        EXPECT_EQ(s, spin);
        ++ups;
    };
    spin->OnDownClick = [&](TObject*) { ++downs; };
    ASSERT_TRUE(HoldUntil(spin->UpButton(), ups, 4)); // four repeated steps while held
    EXPECT_TRUE(spin->UpButton()->Repeating());
    MouseRelease(spin->UpButton(), 3, 3);
    EXPECT_FALSE(spin->UpButton()->Repeating());
    EXPECT_FALSE(IsFlashClient(spin->UpButton()));
    const int held = ups;
    EXPECT_EQ(downs, 0);
    // Nothing more arrives: the timer rests.
    PumpPending();
    EXPECT_EQ(ups, held);
}

TEST_F(SpinFixture, ShortPressClicksOnce) {
    auto* spin = AddSpin();
    int downs = 0;
    spin->OnDownClick = [&](TObject*) { ++downs; };
    MousePress(spin->DownButton(), 3, 3);
    MouseRelease(spin->DownButton(), 3, 3);
    PumpPending();
    EXPECT_EQ(downs, 1);
}

TEST_F(SpinFixture, TimerDisabledNeverRepeats) {
    auto* spin = AddSpin();
    spin->UpButton()->SetTimerEnabled(false);
    MousePress(spin->UpButton(), 3, 3);
    EXPECT_FALSE(IsFlashClient(spin->UpButton()));
    MouseRelease(spin->UpButton(), 3, 3);
}

TEST_F(SpinFixture, DisablingOrHidingAHeldArrowStopsIt) {
    auto* spin = AddSpin(true);
    int ups = 0;
    spin->OnUpClick = [&](TObject*) {
        if (++ups == 2) spin->UpButton()->SetEnabled(false);
    };
    ASSERT_TRUE(HoldUntil(spin->UpButton(), ups, 2));
    EXPECT_FALSE(IsFlashClient(spin->UpButton()));

    spin->UpButton()->SetEnabled(true);
    ups = 0;
    spin->OnUpClick = [&](TObject*) {
        if (++ups == 2) spin->SetVisible(false);
    };
    ASSERT_TRUE(HoldUntil(spin->UpButton(), ups, 2));
    PumpUntil([&] { return !IsFlashClient(spin->UpButton()); });
    EXPECT_FALSE(IsFlashClient(spin->UpButton()));
}

TEST_F(SpinFixture, ArrowThatLosesTheMouseStops) {
    auto* spin = AddSpin(true);
    int ups = 0;
    spin->OnUpClick = [&](TObject*) { ++ups; };
    ASSERT_TRUE(HoldUntil(spin->UpButton(), ups, 1));
    // The release goes elsewhere (a dialog took the mouse meanwhile).
    MouseRelease(Form.get(), 200, 150);
    ASSERT_TRUE(PumpUntil([&] { return !IsFlashClient(spin->UpButton()); }));
}

TEST_F(SpinFixture, ArrowFreedWhileHeldIsForgotten) {
    auto* spin = AddSpin(true);
    int ups = 0;
    spin->OnUpClick = [&](TObject*) { ++ups; };
    ASSERT_TRUE(HoldUntil(spin->UpButton(), ups, 1));
    TControl* up = spin->UpButton();
    delete spin;
    EXPECT_FALSE(IsFlashClient(up));
    PumpPending(); // a tick on its way finds nobody
}

TEST_F(SpinFixture, FocusControlIsClearedWhenItGoes) {
    auto* spin = AddSpin();
    auto* edit = new TVcNumEdit(Form.get());
    edit->SetParent(Form.get());
    spin->SetFocusControl(edit);
    EXPECT_EQ(spin->FocusControl(), edit);
    delete edit;
    EXPECT_EQ(spin->FocusControl(), nullptr);
}

TEST_F(SpinFixture, ArrowPressFocusesTheFocusControlElseTheSpinWithTabStop) {
    auto* spin = AddSpin();
    spin->SetBounds(10, 10, 15, 24);
    auto* edit = new TVcNumEdit(Form.get());
    edit->SetParent(Form.get());
    edit->SetBounds(40, 10, 65, 21);
    spin->SetFocusControl(edit);
    MousePress(spin->UpButton(), 3, 3);
    MouseRelease(spin->UpButton(), 3, 3);
    EXPECT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    delete edit;
    MousePress(spin->UpButton(), 3, 3);
    MouseRelease(spin->UpButton(), 3, 3);
    PumpPending();
    EXPECT_FALSE(spin->Focused()); // no TabStop: the spin button stays out of the way
    spin->SetTabStop(true);
    MousePress(spin->DownButton(), 3, 3);
    MouseRelease(spin->DownButton(), 3, 3);
    EXPECT_TRUE(PumpUntil([&] { return spin->Focused(); }));
}

TEST_F(SpinFixture, SpinButtonIsDraggedWithDragModeAutomatic) {
    auto* spin = AddSpin();
    spin->SetBounds(10, 10, 15, 24);
    EXPECT_TRUE(spin->ControlStyle().Contains(csFramed));
    EXPECT_FALSE(spin->TabStop());
    EXPECT_EQ(spin->FocusedButton(), spin->UpButton());
    EXPECT_EQ(spin->DragMode(), dmManual);
    EXPECT_EQ(spin->DragCursor(), crDrag);
    spin->SetDragMode(dmAutomatic);
    auto* target = new TVcNumEdit(Form.get());
    target->SetParent(Form.get());
    target->SetBounds(100, 10, 60, 21);
    std::vector<std::string> log;
    spin->OnStartDrag = [&](TObject* s, TDragObject*&) {
        log.push_back(s == spin ? "start" : "?");
    };
    target->OnDragOver = [&](TObject*, TObject* s, int, int, TDragState st, bool& accept) {
        log.push_back("over " + IntToStr(st));
        accept = s == spin;
    };
    target->OnDragDrop = [&](TObject*, TObject*, int, int) { log.push_back("drop"); };
    spin->OnEndDrag = [&](TObject*, TObject* t, int, int) {
        log.push_back(t == target ? "end on target" : "end");
    };
    int clicks = 0;
    spin->OnUpClick = [&](TObject*) { ++clicks; };
    MousePress(spin, 7, 3);
    MouseMoveTo(spin, 100, 5, true);
    MouseRelease(spin, 100, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"start", "over 0", "drop", "end on target"}));
    EXPECT_EQ(clicks, 0);
    // The dock kind fires the dock events; there is no dock site to land on,
    // and a control that takes drags is not one.
    log.clear();
    spin->SetDragKind(dkDock);
    spin->OnStartDock = [&](TObject* s, TDragDockObject*&) {
        log.push_back(s == spin ? "start dock" : "?");
    };
    spin->OnEndDock = [&](TObject*, TObject* t, int, int) {
        log.push_back(t ? "docked" : "end dock");
    };
    MousePress(spin, 7, 3);
    MouseMoveTo(spin, 100, 5, true);
    MouseRelease(spin, 100, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"start dock", "end dock"}));
    EXPECT_EQ(clicks, 0);
    spin->Constraints()->SetMaxWidth(20);
    spin->SetWidth(30);
    EXPECT_EQ(spin->Width(), 20);
    EXPECT_EQ(spin->UpButton()->Width(), 20);
}

TEST_F(SpinFixture, EditOnAFormHasItsTextCommittedSoTypingIsEditing) {
    auto* edit = new TVcNumEdit(Form.get());
    edit->SetParent(Form.get()); // the window is made: "0" is committed
    edit->SetBounds(10, 10, 65, 21);
    EXPECT_EQ(edit->ValueAsBool(), "0");
    int valueChanges = 0;
    edit->OnValueChanged = [&](TObject*) { ++valueChanges; };
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    edit->SelectAll();
    TypeText(edit, "5");
    EXPECT_EQ(edit->State(), esEditing);
    EXPECT_EQ(edit->Color(), clLime);
    EXPECT_EQ(edit->Value(), 0);
    KeyStroke(edit, VK_RETURN);
    EXPECT_EQ(edit->Value(), 5);
    EXPECT_EQ(edit->State(), esNormal);
    EXPECT_EQ(valueChanges, 1);
}

TEST_F(SpinFixture, ArrowKeysPressTheArrows) {
    auto* spin = AddSpin();
    spin->SetTabStop(true);
    int ups = 0, downs = 0;
    spin->OnUpClick = [&](TObject*) { ++ups; };
    spin->OnDownClick = [&](TObject*) { ++downs; };
    spin->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return spin->Focused(); }));
    KeyStroke(spin, VK_UP);
    KeyStroke(spin, VK_DOWN);
    KeyStroke(spin, VK_DOWN);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 2);
}

namespace {

// The Berger window's player count: 4 .. 96 in steps of 2.
class NumSpinFixture : public SpinFixture {
protected:
    SeparatorScope Separators{'.', ','};
    TVcNumSpin* Spin = nullptr;
    int Limits = 0;
    int Changes = 0;

    void SetUp() override {
        Spin = new TVcNumSpin(Form.get());
        Spin->SetParent(Form.get());
        Spin->SetBounds(20, 20, 65, 21);
        Spin->SetEditBase(ebInt);
        Spin->SetOptions({eoLimitMax, eoLimitMin});
        Spin->SetMinValue(4);
        Spin->SetMaxValue(96);
        Spin->SetIncrement(2);
        Spin->SetInterval(100);
        Spin->SetStartDelay(0);
        Spin->SetColorDefault(clYellow);
        Spin->SetText("4");
        Spin->OnLimit = [this](TObject*) { ++Limits; };
        Spin->OnChange = [this](TObject*) { ++Changes; };
        SpinFixture::SetUp();
    }
    TVcTimerSpeedBtn* Up() const { return Spin->SpinButton()->UpButton(); }
    // A second control on the form, right of the spin.
    template <class T> T* AddBeside() {
        auto* c = new T(Form.get());
        c->SetParent(Form.get());
        c->SetBounds(120, 20, 60, 24);
        return c;
    }
    // Focuses the spin and replaces its text by typing Text.
    void TypeInSpin(const std::string& Text) {
        Spin->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return Spin->Focused(); }));
        Spin->SelectAll();
        TypeText(Spin, Text);
    }
    TVcTimerSpeedBtn* Down() const { return Spin->SpinButton()->DownButton(); }
};

} // namespace

TEST_F(NumSpinFixture, StartsWithItsTextCommitted) {
    EXPECT_EQ(Spin->Value(), 4);
    EXPECT_EQ(Spin->Text(), "4");
    EXPECT_EQ(Spin->State(), esNormal);
    EXPECT_EQ(Spin->Color(), clYellow);
    EXPECT_TRUE(Spin->AtMin());
    EXPECT_FALSE(Down()->Enabled());
    EXPECT_TRUE(Up()->Enabled());
}

TEST_F(NumSpinFixture, HeldUpArrowStepsToTheMaximumAndStops) {
    Spin->SetInterval(50);
    Spin->SetValue(80);
    Changes = 0;
    MousePress(Up(), 3, 3);
    ASSERT_TRUE(PumpUntil([&] { return Spin->Value() == 96; }));
    EXPECT_TRUE(Spin->AtMax());
    EXPECT_FALSE(Up()->Enabled());
    EXPECT_TRUE(Down()->Enabled());
    EXPECT_EQ(Limits, 2); // left the minimum, reached the maximum
    EXPECT_EQ(Changes, (96 - 80) / 2);
    // The arrow went off under the held mouse: no endless repeat at the limit.
    EXPECT_FALSE(IsFlashClient(Up()));
    MouseRelease(Up(), 3, 3);
    EXPECT_EQ(Spin->Value(), 96);
}

TEST_F(NumSpinFixture, ArrowKeysStepAndStopAtTheLimits) {
    Spin->SetFocus();
    KeyStroke(Spin, VK_UP);
    EXPECT_EQ(Spin->Value(), 6);
    KeyStroke(Spin, VK_DOWN);
    KeyStroke(Spin, VK_DOWN);
    EXPECT_EQ(Spin->Value(), 4);
    EXPECT_EQ(Spin->Text(), "4");
}

TEST_F(NumSpinFixture, TypingColoursAndDisablesTheArrowsUntilEnter) {
    TypeInSpin("12");
    EXPECT_EQ(Spin->State(), esEditing);
    EXPECT_EQ(Spin->Color(), clLime);
    EXPECT_FALSE(Up()->Enabled());
    EXPECT_FALSE(Down()->Enabled());
    EXPECT_EQ(Spin->Value(), 4);
    KeyStroke(Spin, VK_RETURN);
    EXPECT_EQ(Spin->Value(), 12);
    EXPECT_EQ(Spin->State(), esNormal);
    EXPECT_EQ(Spin->Color(), clYellow);
    EXPECT_TRUE(Up()->Enabled());
    EXPECT_TRUE(Down()->Enabled());
}

TEST_F(NumSpinFixture, KeysFireOnChangeButTextChangesDoNot) {
    TypeInSpin("");
    Changes = 0;
    TypeText(Spin, "12");
    EXPECT_EQ(Changes, 2); // one for each key, none for the two text changes
    Spin->SetText("14");   // code changes the text of the shown control
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Spin->State(), esEditing);
    KeyStroke(Spin, VK_RETURN);
    EXPECT_EQ(Changes, 3);
    EXPECT_EQ(Spin->Value(), 14);
}

TEST_F(NumSpinFixture, WrongCharacterIsMarkedAndEscapeRestores) {
    TypeInSpin("2m");
    EXPECT_EQ(Spin->State(), esError);
    EXPECT_EQ(Spin->Color(), clRed);
    EXPECT_EQ(Spin->SelStart(), 1);
    EXPECT_EQ(Spin->SelLength(), 1);
    KeyStroke(Spin, VK_ESCAPE);
    EXPECT_EQ(Spin->Text(), "4");
    EXPECT_EQ(Spin->State(), esNormal);
}

TEST_F(NumSpinFixture, HugeNumberIsLimitedWithoutRaising) {
    TypeInSpin("99999999999");
    EXPECT_NO_THROW(KeyStroke(Spin, VK_RETURN));
    EXPECT_EQ(Spin->Text(), "96");
    EXPECT_TRUE(Spin->AtMax());
}

TEST_F(NumSpinFixture, EditorDisabledSwallowsTypingButStillSteps) {
    Spin->SetEditorEnabled(false);
    Spin->SetFocus();
    TypeText(Spin, "7");
    EXPECT_EQ(Spin->Text(), "4");
    KeyStroke(Spin, VK_UP);
    EXPECT_EQ(Spin->Value(), 6);
}

TEST_F(NumSpinFixture, DisablingTheSpinDisablesItsArrows) {
    Spin->SetEnabled(false);
    EXPECT_FALSE(Up()->Enabled());
    EXPECT_FALSE(Spin->SpinButton()->Enabled());
    Spin->SetEnabled(true);
    EXPECT_TRUE(Up()->Enabled());
    EXPECT_FALSE(Down()->Enabled()); // still at the minimum
}

TEST_F(NumSpinFixture, ButtonSitsAtTheRightEdgeInsideTheFrame) {
    TVcSpinButton* b = Spin->SpinButton();
    HRGN shown = CreateRectRgn(0, 0, 0, 0);
    // The 3-D look: inside the sunken edge, a pixel short of the right side.
    EXPECT_EQ(b->Width(), 15);
    EXPECT_EQ(b->Left() + b->Width(), Spin->Width() - 2);
    EXPECT_EQ(b->Top(), 2);
    EXPECT_EQ(b->Height(), Spin->Height() - 4);
    EXPECT_EQ(GetWindowRgn(b, shown.get()), RGN_ERROR); // shown whole
    // A Top of 2 is the top of the client area on the screen: in a column
    // between the text and the button, the rows above it are the sunken
    // edge and the first row of the edit's own colour is the button's top.
    TBitmap seen;
    PaintControlTo(*Form, seen);
    const int x = Spin->Left() + b->Left() - 10;
    int inside = Spin->Top();
    while (inside < Spin->Top() + Spin->Height() && seen.Pixel(x, inside) != clYellow)
        ++inside;
    EXPECT_EQ(inside, Spin->Top() + GetSystemMetrics(SM_CYEDGE));
    EXPECT_EQ(inside, Spin->Top() + b->Top());
    // The text keeps left of the button.
    TRect r;
    Spin->Perform(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, Spin->ClientWidth() - b->Width() - 2);
    // The flat look, taken from the form: down to the single-line frame.
    Form->SetCtl3D(false);
    EXPECT_FALSE(Spin->Ctl3D());
    EXPECT_EQ(b->Left(), Spin->Width() - 15 + 2);
    EXPECT_EQ(b->Top(), 2);
    EXPECT_EQ(b->Height(), Spin->Height() - 3);
    // Its right edge hides under the frame, which stays whole.
    ASSERT_NE(GetWindowRgn(b, shown.get()), RGN_ERROR);
    TRect box;
    GetRgnBox(shown.get(), box);
    EXPECT_EQ(box, Rect(0, 0, Spin->Width() - 1 - b->Left(), b->Height()));
    PumpPending();
    EXPECT_TRUE(SaveControlPicture(Form.get(), ArtifactsDir() + "/numspin_flat.png"));
    Form->SetCtl3D(true);
    EXPECT_EQ(b->Left() + b->Width(), Spin->Width() - 2);
    EXPECT_EQ(GetWindowRgn(b, shown.get()), RGN_ERROR);
}

TEST_F(NumSpinFixture, PicturesOfTheStates) {
    const std::string base = ArtifactsDir() + "/numspin_";
    Form->SetBounds(0, 0, 105, 60);
    Spin->SetValue(42);
    PumpPending();
    EXPECT_TRUE(SaveControlPicture(Form.get(), base + "normal.png"));
    TypeInSpin("44");
    ASSERT_EQ(Spin->State(), esEditing);
    PumpPending();
    EXPECT_TRUE(SaveControlPicture(Form.get(), base + "editing.png"));
    TypeText(Spin, "x");
    ASSERT_EQ(Spin->State(), esError);
    PumpPending();
    EXPECT_TRUE(SaveControlPicture(Form.get(), base + "error.png"));
}

TEST_F(NumSpinFixture, EnterCommitsInsteadOfPressingTheDefaultButton) {
    auto* ok = AddBeside<TButton>();
    ok->Default = true;
    int pressed = 0;
    ok->OnClick = [&](TObject*) { ++pressed; };
    TypeInSpin("20");
    KeyStroke(Spin, VK_RETURN);
    EXPECT_EQ(Spin->Value(), 20);
    EXPECT_EQ(pressed, 0);
}

TEST_F(NumSpinFixture, EscapeGoesToTheFormOnlyWhenNothingIsBeingEdited) {
    auto* cancel = AddBeside<TButton>();
    cancel->Cancel = true;
    int pressed = 0;
    cancel->OnClick = [&](TObject*) { ++pressed; };
    TypeInSpin("20");
    KeyStroke(Spin, VK_ESCAPE);
    EXPECT_EQ(Spin->Text(), "4");
    EXPECT_EQ(pressed, 0);
    KeyStroke(Spin, VK_ESCAPE);
    EXPECT_EQ(pressed, 1);
}

TEST_F(NumSpinFixture, LeavingCommitsTheText) {
    auto* other = AddBeside<TEdit>();
    TypeInSpin("30");
    other->SetFocus();
    PumpUntil([&] { return other->Focused(); });
    EXPECT_EQ(Spin->Value(), 30);
    EXPECT_EQ(Spin->State(), esNormal);
}

TEST_F(NumSpinFixture, LeavingWithAWrongTextKeepsTheFocus) {
    auto* other = AddBeside<TEdit>();
    TypeInSpin("3x");
    Spin->SetSelStart(2);
    other->SetFocus();
    PumpPending();
    EXPECT_EQ(Spin->State(), esError);
    EXPECT_TRUE(Spin->Focused());
    EXPECT_EQ(Spin->Value(), 4);
}

TEST_F(NumSpinFixture, TooLowASpinIsRaisedToFitItsText) {
    Spin->SetHeight(6);
    PumpPending();
    EXPECT_GT(Spin->Height(), 6);
    const TVcSpinButton* b = Spin->SpinButton();
    EXPECT_EQ(b->Height(), Spin->Height() - 4);
    EXPECT_EQ(b->UpButton()->Height() + b->DownButton()->Height(), b->Height());
}

TEST_F(NumSpinFixture, ParentColourBecomesTheNormalColour) {
    Spin->SetParentColor(true);
    Form->SetColor(clAqua);
    PumpPending();
    EXPECT_EQ(Spin->ColorDefault(), clAqua);
    EXPECT_EQ(Spin->Color(), clAqua);
}
