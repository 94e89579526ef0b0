// Controls: mouse and wheel translation, layout by Align and Anchors, painting.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QImage>
#include <QWidget>

#include "platform/vcl/extctrls.h"
#include "platform/vcl/gfx/qtconvert.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "vcltestenv.h"

// A flag of one set is refused where another set is expected, and so is a number.
static_assert(!std::is_constructible_v<TShiftState, TAnchorKind>);
static_assert(!std::is_constructible_v<TControlStyle, TControlStateFlag>);
static_assert(!std::is_convertible_v<unsigned, TAnchors>);
static_assert(std::is_convertible_v<TShiftStateFlag, TShiftState>);

namespace {

struct MouseFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = MakeForm();
    TRecorder* Control = new TRecorder(Form.get());
    std::vector<std::string> Events;
    void SetUp() override {
        Control->SetParent(Form.get());
        Control->SetBounds(20, 20, 100, 50);
        Control->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
            Events.push_back("down " + IntToStr(B) + " " + IntToStr(S.Bits()) + " " + IntToStr(X) +
                             "," + IntToStr(Y));
        };
        Control->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
            Events.push_back("up " + IntToStr(B) + " " + IntToStr(X) + "," + IntToStr(Y));
        };
        Control->OnClick = [this](TObject*) { Events.push_back("click"); };
        Control->OnDblClick = [this](TObject*) { Events.push_back("dblclick"); };
        Control->OnMouseMove = [this](TObject*, TShiftState S, int X, int Y) {
            Events.push_back("move " + IntToStr(X) + "," + IntToStr(Y));
        };
    }
};

} // namespace

TEST_F(MouseFixture, PressAndReleaseMakeDownClickUp) {
    SendMouse(Control, QEvent::MouseButtonPress, 5, 7, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(Control, QEvent::MouseButtonRelease, 6, 8, Qt::LeftButton);
    EXPECT_EQ(Events, (std::vector<std::string>{
                          "down 0 " + IntToStr(TShiftState{ssShift, ssLeft}.Bits()) + " 5,7",
                          "click", "up 0 6,8"}));
    EXPECT_EQ(Control->Messages({WM_LBUTTONDOWN, WM_LBUTTONUP}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_EQ(MakeLParam(5, 7), Control->Only(WM_LBUTTONDOWN)[0].LParam);
    EXPECT_EQ(MK_LBUTTON | MK_SHIFT, Control->Only(WM_LBUTTONDOWN)[0].WParam);
}

TEST_F(MouseFixture, ReleaseOutsideIsNoClick) {
    SendMouse(Control, QEvent::MouseButtonPress, 5, 7, Qt::LeftButton);
    SendMouse(Control, QEvent::MouseButtonRelease, 150, 8, Qt::LeftButton);
    EXPECT_EQ(Events,
              (std::vector<std::string>{"down 0 " + IntToStr(TShiftState{ssLeft}.Bits()) + " 5,7",
                                        "up 0 150,8"}));
}

TEST_F(MouseFixture, DoubleClickAndRightButtonAndMove) {
    SendMouse(Control, QEvent::MouseButtonPress, 1, 1, Qt::LeftButton);
    SendMouse(Control, QEvent::MouseButtonRelease, 1, 1, Qt::LeftButton);
    SendMouse(Control, QEvent::MouseButtonDblClick, 1, 1, Qt::LeftButton);
    SendMouse(Control, QEvent::MouseButtonRelease, 1, 1, Qt::LeftButton);
    SendMouse(Control, QEvent::MouseButtonPress, 3, 4, Qt::RightButton);
    SendMouse(Control, QEvent::MouseMove, 9, 9, Qt::NoButton);
    EXPECT_EQ(Events[3], "dblclick");
    EXPECT_EQ(Events[4], "down 0 " + IntToStr(TShiftState{ssLeft, ssDouble}.Bits()) + " 1,1");
    EXPECT_EQ(Events[7], "down 1 " + IntToStr(TShiftState{ssRight}.Bits()) + " 3,4");
    EXPECT_EQ(Events[8], "move 9,9");
    EXPECT_EQ(1u, Control->Only(WM_LBUTTONDBLCLK).size());
    EXPECT_EQ(1u, Control->Only(WM_RBUTTONDOWN).size());
}

TEST_F(MouseFixture, WheelNotchesAndSmallStepsAddUp) {
    int ups = 0, downs = 0;
    std::vector<int> deltas;
    Control->OnMouseWheel = [&](TObject*, TShiftState, int Delta, TPoint, bool&) {
        deltas.push_back(Delta);
    };
    Control->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++ups;
        Handled = true;
    };
    Control->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& Handled) {
        ++downs;
        Handled = true;
    };
    SendWheel(Control, 5, 5, 120);
    EXPECT_EQ(1, ups);
    for (int i = 0; i < 3; ++i)
        SendWheel(Control, 5, 5, -40);
    EXPECT_EQ(1, downs); // three thirds of a notch make one
    SendWheel(Control, 5, 5, -60);
    EXPECT_EQ(1, downs);
    SendWheel(Control, 5, 5, -240);
    EXPECT_EQ(3, downs);
    EXPECT_EQ(deltas, (std::vector<int>{120, -40, -40, -40, -60, -240}));
    const TMessage m = Control->Only(WM_MOUSEWHEEL)[0];
    EXPECT_EQ(120, static_cast<std::int16_t>(m.WParamHi()));
}

TEST_F(MouseFixture, UnusedWheelGoesToTheParent) {
    int parentSaw = 0;
    Form->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& Handled) {
        ++parentSaw;
        Handled = true;
    };
    SendWheel(Control, 5, 5, 120);
    EXPECT_EQ(1, parentSaw);
}

TEST_F(MouseFixture, EnterAndLeave) {
    int enters = 0, leaves = 0;
    Control->OnMouseEnter = [&](TObject*) { ++enters; };
    Control->OnMouseLeave = [&](TObject*) { ++leaves; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(Control->Widget(), &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Control->Widget(), &leave);
    EXPECT_EQ(1, enters);
    EXPECT_EQ(1, leaves);
}

TEST(Layout, AlignPlacesControlsAndFollowsAResize) {
    auto form = MakeForm(400, 300);
    auto make = [&](TAlign align, int w, int h) {
        auto* c = new TRecorder(form.get());
        c->SetBounds(0, 0, w, h);
        c->SetParent(form.get());
        c->SetAlign(align);
        return c;
    };
    TRecorder* top = make(alTop, 10, 30);
    TRecorder* bottom = make(alBottom, 10, 20);
    TRecorder* left = make(alLeft, 50, 10);
    TRecorder* right = make(alRight, 60, 10);
    TRecorder* client = make(alClient, 10, 10);
    EXPECT_EQ(Rect(0, 0, 400, 30), top->BoundsRect());
    EXPECT_EQ(Rect(0, 280, 400, 300), bottom->BoundsRect());
    EXPECT_EQ(Rect(0, 30, 50, 280), left->BoundsRect());
    EXPECT_EQ(Rect(340, 30, 400, 280), right->BoundsRect());
    EXPECT_EQ(Rect(50, 30, 340, 280), client->BoundsRect());
    int resized = 0;
    client->OnResize = [&](TObject*) { ++resized; };
    form->SetBounds(0, 0, 600, 500);
    EXPECT_EQ(Rect(0, 0, 600, 30), top->BoundsRect());
    EXPECT_EQ(Rect(0, 480, 600, 500), bottom->BoundsRect());
    EXPECT_EQ(Rect(540, 30, 600, 480), right->BoundsRect());
    EXPECT_EQ(Rect(50, 30, 540, 480), client->BoundsRect());
    EXPECT_EQ(1, resized);
    EXPECT_EQ(490, client->ClientWidth());
    // Hiding a docked control gives its room to the others.
    left->Hide();
    EXPECT_EQ(Rect(0, 30, 540, 480), client->BoundsRect());
}

TEST(Layout, AnchorsKeepTheDistanceToTheFarEdges) {
    auto form = MakeForm(400, 300);
    auto* stretch = AddRecorder(form.get(), 10, 10, 380, 200);
    stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    auto* corner = AddRecorder(form.get(), 300, 250, 90, 40);
    corner->SetAnchors({akRight, akBottom});
    form->SetBounds(0, 0, 500, 400);
    EXPECT_EQ(Rect(10, 10, 490, 310), stretch->BoundsRect());
    EXPECT_EQ(Rect(400, 350, 490, 390), corner->BoundsRect());
}

TEST(Painting, PaintDrawsOnTheCanvasAfterTheBackground) {
    auto form = MakeForm(100, 80);
    form->SetColor(clWhite);
    auto* c = AddRecorder(form.get(), 10, 10, 40, 30);
    c->PaintColor = clRed;
    auto* plain = AddRecorder(form.get(), 60, 10, 20, 20);
    plain->SetColor(clBlue);
    form->Show();
    const QImage image = form->Widget()->grab().toImage();
    EXPECT_EQ(ToQColor(clRed).rgb(), image.pixelColor(15, 15).rgb());
    EXPECT_EQ(ToQColor(clBlue).rgb(), image.pixelColor(65, 15).rgb());
    EXPECT_EQ(ToQColor(clWhite).rgb(), image.pixelColor(5, 5).rgb());
    EXPECT_FALSE(c->Only(WM_PAINT).empty());
    EXPECT_FALSE(c->Only(WM_ERASEBKGND).empty());
    form->Hide();
}

TEST(Tree, ChildrenGoWithTheirParentAndTheOwnerForgetsThem) {
    auto form = MakeForm();
    auto* panel = new TCustomControl(form.get());
    panel->SetParent(form.get());
    auto* inner = new TRecorder(form.get());
    inner->SetParent(panel);
    EXPECT_EQ(2, form->ComponentCount());
    EXPECT_EQ(panel, inner->Parent());
    EXPECT_EQ(form.get(), inner->ParentForm());
    delete panel;
    EXPECT_EQ(0, form->ComponentCount());
    EXPECT_EQ(0, form->ControlCount());
}

TEST(Tree, AWindowedChildFreedOnItsOwnLeavesTheTabOrder) {
    auto form = MakeForm();
    auto* panel = new TCustomControl(form.get());
    panel->SetParent(form.get());
    auto* gone = new TCustomControl(nullptr);
    gone->SetParent(panel);
    auto* stays = new TCustomControl(nullptr);
    stays->SetParent(panel);
    delete gone;
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    EXPECT_EQ(order, (std::vector<TWinControl*>{panel, stays}));
}

TEST(Tree, ParentFontFollowsUntilSetOwn) {
    auto form = MakeForm();
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    // The native part shows the control's font before any change, too.
    EXPECT_EQ(c->Widget()->font(), ToQFont(*c->Font()));
    form->Font()->SetSize(14);
    EXPECT_EQ(14, c->Font()->Size());
    EXPECT_EQ(c->Widget()->font(), ToQFont(*c->Font()));
    EXPECT_TRUE(c->ParentFont());
    c->Font()->SetSize(9);
    EXPECT_FALSE(c->ParentFont());
    form->Font()->SetSize(20);
    EXPECT_EQ(9, c->Font()->Size());
}

namespace {

// Makes the hint pause short for a test and puts the application's back.
struct TShortHintPause {
    int Pause = Application->HintPause, HidePause = Application->HintHidePause;
    TShortHintPause() { Application->HintPause = 1; }
    ~TShortHintPause() {
        Application->HintPause = Pause;
        Application->HintHidePause = HidePause;
        Application->CancelHint();
    }
};

bool HintShown() {
    return Application->HintWindow() && Application->HintWindow()->Visible();
}

// Rests the mouse on a control until its hint shows.
bool Hover(TControl* C, int X, int Y) {
    SendMouse(C, QEvent::MouseMove, X, Y, Qt::NoButton);
    return ProcessUntil(HintShown);
}

// A recording control on Form at (Left, Top) that shows Hint.
TRecorder* HintedRecorder(TForm* Form, int Left, int Top, int Size, const std::string& Hint) {
    auto* c = AddRecorder(Form, Left, Top, Size, Size);
    c->SetHint(Hint);
    c->SetShowHint(true);
    return c;
}

// Handles messages until a timer of Ms milliseconds, started now, has ticked.
// Timers tick in the order they fall due, so a hint pause started before it
// with no longer an interval has run out by then: a hint that is still not
// shown never comes from it.
bool WitnessTicks(unsigned Ms) {
    TTimer witness(nullptr);
    bool ticked = false;
    witness.SetInterval(Ms);
    witness.SetOnTimer([&](TObject*) { ticked = true; });
    return ProcessUntil([&] { return ticked; });
}

} // namespace

TEST(Hints, HintShowCanChangeTheTextAndTheHintWindowShowsIt) {
    auto form = MakeForm();
    auto* c = HintedRecorder(form.get(), 10, 10, 50, "Verwijder databestand|lang");
    form->Show();
    TShortHintPause pause;
    std::string shown;
    Application->OnShowHint = [&](std::string& HintStr, bool&, THintInfo& Info) {
        shown = HintStr;
        EXPECT_EQ(c, Info.HintControl);
    };
    ASSERT_TRUE(Hover(c, 5, 5));
    EXPECT_EQ("Verwijder databestand", shown);
    ASSERT_NE(nullptr, Application->HintWindow());
    EXPECT_EQ("Verwijder databestand", Application->HintWindow()->Caption());
    EXPECT_TRUE(Application->HintWindow()->Visible());
    ASSERT_EQ(1u, c->Only(CM_HINTSHOW).size());
    // A control may refuse the hint.
    int refused = 0;
    c->WindowProc = [&refused, old = c->WindowProc](TMessage& m) {
        if (m.Msg == CM_HINTSHOW) {
            m.Result = 1;
            ++refused;
        } else {
            old(m);
        }
    };
    shown.clear();
    Application->CancelHint();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c->Widget(), &leave);
    SendMouse(c, QEvent::MouseMove, 5, 5, Qt::NoButton);
    ASSERT_TRUE(ProcessUntil([&] { return refused == 1; }));
    EXPECT_EQ("", shown);
    EXPECT_FALSE(HintShown());
    Application->OnShowHint = nullptr;
    form->Hide();
}

TEST(Focus, FocusMovingIntoOurOwnPopupIsNoExit) {
    auto form = MakeForm();
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(c->Widget(), &in);
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(c->Widget(), &toPopup);
    QFocusEvent back(QEvent::FocusIn, Qt::PopupFocusReason);
    QApplication::sendEvent(c->Widget(), &back);
    EXPECT_EQ(1u, c->Only(WM_SETFOCUS).size());
    EXPECT_TRUE(c->Only(WM_KILLFOCUS).empty());
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(c->Widget(), &out);
    EXPECT_EQ(1u, c->Only(WM_KILLFOCUS).size());
    EXPECT_EQ(1u, c->Only(CM_EXIT).size());
}

TEST(Focus, AChildControlTakingTheFocusTakesItFromItsParent) {
    auto form = MakeForm();
    auto* c = AddRecorder(form.get(), 0, 0, 200, 100);
    auto* child = new TEdit(form.get()); // owned by the form
    child->SetParent(c);
    child->SetBounds(10, 10, 80, 24);
    ShowActive(form.get());
    c->SetFocus();
    ASSERT_TRUE(ProcessUntil([c] { return c->Focused(); }));
    child->SetFocus();
    ASSERT_TRUE(ProcessUntil([child] { return child->Focused(); }));
    EXPECT_EQ(1u, c->Only(WM_KILLFOCUS).size());
    // So the parent hears of the focus coming back, from the child or later.
    c->SetFocus();
    ASSERT_TRUE(ProcessUntil([c] { return c->Focused(); }));
    EXPECT_EQ(2u, c->Only(WM_SETFOCUS).size());
    form->Hide();
}

TEST(Painting, UpdatePaintsWhatIsInvalidNowAndRepaintPaintsAtOnce) {
    auto form = MakeForm(100, 80);
    auto* c = AddRecorder(form.get(), 0, 0, 50, 50);
    form->Show();
    Application->ProcessMessages();
    c->Log.clear();
    c->Invalidate();
    EXPECT_TRUE(c->Only(WM_PAINT).empty());
    c->Update();
    EXPECT_EQ(1u, c->Only(WM_PAINT).size());
    c->Repaint();
    EXPECT_EQ(2u, c->Only(WM_PAINT).size());
    form->Hide();
}

TEST(Mouse, CaptureBelongsToOneControlAtATime) {
    auto form = MakeForm();
    auto* a = new TRecorder(form.get());
    auto* b = new TRecorder(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    form->Show();
    a->SetMouseCapture(true);
    EXPECT_TRUE(a->MouseCapture());
    b->SetMouseCapture(true);
    EXPECT_FALSE(a->MouseCapture());
    EXPECT_TRUE(b->MouseCapture());
    delete b;
    EXPECT_FALSE(a->MouseCapture());
    form->Hide();
}

namespace {

class TTaggedHintWindow : public THintWindow {
public:
    explicit TTaggedHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}
    std::string ClassName() const override { return "TTaggedHintWindow"; }
};

} // namespace

TEST(Hints, AControlMayNameItsHintWindowClassAndTheHintEndsOnMovesAndKeys) {
    auto form = MakeForm();
    auto* c = HintedRecorder(form.get(), 10, 10, 100, "cel");
    c->WindowProc = [old = c->WindowProc](TMessage& m) {
        if (m.Msg == CM_HINTSHOW) {
            auto* info = reinterpret_cast<THintInfo*>(m.LParam);
            info->HintWindowClass = [] { return std::make_unique<TTaggedHintWindow>(nullptr); };
            info->CursorRect = Rect(0, 0, 20, 20); // the cell under the mouse
        }
        old(m);
    };
    form->Show();
    TShortHintPause pause;
    ASSERT_TRUE(Hover(c, 5, 5));
    EXPECT_EQ("TTaggedHintWindow", Application->HintWindow()->ClassName());
    EXPECT_EQ(c, Application->HintControl());
    SendMouse(c, QEvent::MouseMove, 10, 10, Qt::NoButton); // still in the cell
    EXPECT_TRUE(Application->HintWindow()->Visible());
    SendMouse(c, QEvent::MouseMove, 50, 50, Qt::NoButton); // out of it
    EXPECT_FALSE(Application->HintWindow()->Visible());
    EXPECT_TRUE(Hover(c, 5, 5));
    SendKey(c, Qt::Key_A, "a");
    EXPECT_FALSE(Application->HintWindow()->Visible());
    EXPECT_EQ(nullptr, Application->HintControl());
    form->Hide();
}

TEST(Hints, TheHintComesAfterHintPauseAndGoesAfterHintHidePause) {
    auto form = MakeForm();
    auto* a = HintedRecorder(form.get(), 10, 10, 100, "Ronde");
    auto* b = HintedRecorder(form.get(), 150, 10, 100, "Speler");
    form->Show();
    TShortHintPause pause;
    // The window system's tool-tip request shows nothing by itself.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), a->Widget()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(a->Widget(), &help);
    EXPECT_FALSE(HintShown());
    // A long pause: nothing yet after a moment.
    Application->HintPause = 60000;
    SendMouse(a, QEvent::MouseMove, 5, 5, Qt::NoButton);
    ASSERT_TRUE(WitnessTicks(50));
    EXPECT_FALSE(HintShown());
    // Leaving ends the wait; a short pause on the next control shows its hint.
    Application->HintPause = 1;
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(a->Widget(), &leave);
    ASSERT_TRUE(Hover(b, 5, 5));
    EXPECT_EQ("Speler", Application->HintWindow()->Caption());
    EXPECT_EQ(b, Application->HintControl());
    // After HintHidePause it goes and stays away while the mouse stays.
    Application->HintHidePause = 1;
    Application->CancelHint();
    std::vector<std::string> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint); };
    SendMouse(a, QEvent::MouseMove, 6, 6, Qt::NoButton);
    EXPECT_TRUE(ProcessUntil([&] { return !hints.empty() && !HintShown(); }));
    EXPECT_EQ(std::vector<std::string>{"Ronde"}, hints);
    SendMouse(a, QEvent::MouseMove, 7, 7, Qt::NoButton);
    ASSERT_TRUE(WitnessTicks(static_cast<unsigned>(Application->HintPause) + 20));
    EXPECT_EQ(std::vector<std::string>{"Ronde"}, hints); // not shown again, however briefly
    Application->OnHint = nullptr;
    // A click ends a waiting hint too.
    Application->HintHidePause = 60000;
    SendMouse(b, QEvent::MouseMove, 5, 5, Qt::NoButton);
    SendMouse(b, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    SendMouse(b, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton);
    ASSERT_TRUE(WitnessTicks(static_cast<unsigned>(Application->HintPause) + 20));
    EXPECT_FALSE(HintShown());
    form->Hide();
}

TEST(Painting, ClipRectIsThePartBeingRepainted) {
    auto form = MakeForm(200, 200);
    auto* box = new TPaintBox(form.get());
    box->SetParent(form.get());
    box->SetBounds(0, 0, 100, 100);
    std::vector<TRect> clips;
    box->OnPaint = [&](TObject*) { clips.push_back(box->Canvas()->ClipRect()); };
    form->Show();
    Application->ProcessMessages();
    clips.clear();
    box->InvalidateRect(Rect(10, 20, 30, 40));
    box->Update();
    ASSERT_EQ(1u, clips.size());
    EXPECT_EQ(Rect(10, 20, 30, 40), clips[0]);
    form->Hide();
}

TEST(Hints, ShowHintFollowsTheParentUntilSet) {
    auto form = MakeForm();
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    EXPECT_FALSE(c->ShowHint());
    form->SetShowHint(true);
    EXPECT_TRUE(c->ShowHint());
    c->SetShowHint(false);
    EXPECT_FALSE(c->ParentShowHint());
    EXPECT_FALSE(c->ShowHint());
    EXPECT_EQ("kort", GetShortHint("kort|lang"));
    EXPECT_EQ("lang", GetLongHint("kort|lang"));
}

TEST(ControlBase, ConstraintsLimitTheSize) {
    auto form = MakeForm();
    auto* c = new TPanel(form.get());
    c->SetParent(form.get());
    c->SetBounds(0, 0, 50, 50);
    c->Constraints()->SetMinWidth(60);
    EXPECT_EQ(c->Width(), 60); // applied at once
    c->Constraints()->SetMaxHeight(30);
    EXPECT_EQ(c->Height(), 30);
    c->SetBounds(0, 0, 200, 5);
    EXPECT_EQ(c->Width(), 200);
    EXPECT_EQ(c->Height(), 5);
    c->SetWidth(10);
    EXPECT_EQ(c->Width(), 60);
}

TEST(ControlBase, Ctl3DFollowsTheParentUntilSet) {
    auto form = MakeForm();
    auto* outer = new TPanel(form.get());
    outer->SetParent(form.get());
    auto* inner = new TRecorder(form.get());
    inner->SetParent(outer);
    auto* own = new TRecorder(form.get());
    own->SetParent(outer);
    own->SetCtl3D(true);
    const auto told = [](const TRecorder* c) { return c->Only(CM_CTL3DCHANGED).size(); };
    EXPECT_TRUE(inner->Ctl3D());
    outer->SetCtl3D(false);
    EXPECT_FALSE(outer->ParentCtl3D());
    EXPECT_FALSE(inner->Ctl3D());
    EXPECT_EQ(told(inner), 1U); // the follower is told, the one with its own look not
    EXPECT_EQ(told(own), 0U);
    inner->SetCtl3D(true);
    EXPECT_FALSE(inner->ParentCtl3D());
    EXPECT_TRUE(inner->Ctl3D());
    EXPECT_EQ(told(inner), 2U);
    inner->SetParentCtl3D(true);
    EXPECT_FALSE(inner->Ctl3D());
    EXPECT_EQ(told(inner), 3U);
    inner->SetCtl3D(false); // no change of look: nothing to tell
    EXPECT_EQ(told(inner), 3U);
    auto* moved = new TRecorder(form.get());
    moved->SetParent(form.get());
    EXPECT_EQ(told(moved), 0U);
    moved->SetParent(outer); // it follows its new parent's flat look
    EXPECT_FALSE(moved->Ctl3D());
    EXPECT_EQ(told(moved), 1U);
}

TEST(ControlBase, FlatEditHasASingleLineFrame) {
    auto form = MakeForm(200, 100);
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 80, 24);
    edit->SetColor(clYellow);
    form->Show();
    const auto frame = [&] {
        const QImage image = edit->Widget()->grab().toImage();
        return std::make_pair(image.pixelColor(0, 12).rgb(), image.pixelColor(1, 12).rgb());
    };
    const QRgb black = ToQColor(clBlack).rgb();
    const QRgb yellow = ToQColor(clYellow).rgb();
    EXPECT_NE(frame().first, black); // the style's sunken frame
    form->SetCtl3D(false);
    EXPECT_EQ(frame(), std::make_pair(black, yellow));
    form->SetCtl3D(true);
    EXPECT_NE(frame().first, black);
    form->Hide();
}

TEST(ControlBase, AutomaticDragFiresTheDragEvents) {
    auto form = MakeForm();
    auto* source = new TPanel(form.get());
    source->SetParent(form.get());
    source->SetBounds(10, 10, 40, 40);
    source->SetDragMode(dmAutomatic);
    auto* target = new TPanel(form.get());
    target->SetParent(form.get());
    target->SetBounds(100, 10, 40, 40);
    std::vector<std::string> log;
    source->OnStartDrag = [&](TObject*, TDragObject*&) { log.push_back("start"); };
    source->OnEndDrag = [&](TObject*, TObject* t, int x, int y) {
        log.push_back(std::string("end ") + (t == target ? "target " : "none ") + IntToStr(x) +
                      "," + IntToStr(y));
    };
    target->OnDragOver = [&](TObject*, TObject* s, int x, int y, TDragState st, bool& accept) {
        EXPECT_EQ(s, source);
        log.push_back("over " + IntToStr(st) + " " + IntToStr(x) + "," + IntToStr(y));
        accept = x >= 10; // only the right part takes it
    };
    target->OnDragDrop = [&](TObject*, TObject* s, int x, int y) {
        EXPECT_EQ(s, source);
        log.push_back("drop " + IntToStr(x) + "," + IntToStr(y));
    };
    SendMouse(source, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    EXPECT_TRUE(source->Dragging());
    MouseMoveTo(source, 95, 10, true);  // (105,20) on the form: the target's 5,10
    MouseMoveTo(source, 110, 12, true); // its 20,12
    EXPECT_EQ(source->Widget()->cursor().shape(), Qt::DragMoveCursor);
    SendMouse(source, QEvent::MouseButtonRelease, 110, 12, Qt::LeftButton);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(log, (std::vector<std::string>{"start", "over 0 5,10", "over 2 20,12", "drop 20,12",
                                             "end target 20,12"}));
    // A drop where nobody accepts ends the drag with no target; the press of
    // an automatic drag is no click.
    log.clear();
    bool clicked = false;
    source->OnClick = [&](TObject*) { clicked = true; };
    SendMouse(source, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton);
    MouseMoveTo(source, 95, 10, true);
    SendMouse(source, QEvent::MouseButtonRelease, 95, 10, Qt::LeftButton);
    EXPECT_EQ(log,
              (std::vector<std::string>{"start", "over 0 5,10", "over 1 5,10", "end none 95,10"}));
    EXPECT_FALSE(clicked);
}

TEST(ControlBase, DockDragFiresTheDockEvents) {
    auto form = MakeForm();
    auto* source = new TPanel(form.get());
    source->SetParent(form.get());
    source->SetBounds(10, 10, 40, 40);
    source->SetDragKind(dkDock);
    std::vector<std::string> log;
    source->OnStartDock = [&](TObject*, TDragDockObject*&) { log.push_back("start dock"); };
    source->OnStartDrag = [&](TObject*, TDragObject*&) { log.push_back("start drag"); };
    source->OnEndDock = [&](TObject*, TObject* t, int, int) {
        log.push_back(t ? "end dock on" : "end dock");
    };
    source->BeginDrag(false);
    EXPECT_TRUE(source->Dragging());
    source->EndDrag(false);
    EXPECT_EQ(log, (std::vector<std::string>{"start dock", "end dock"}));
}

TEST(ControlBase, OwnCursorsOfTheScreenTable) {
    EXPECT_FALSE(ScreenCursorLoaded(7));
    SetScreenCursorImage(7, {"#..", "##.", "###"}, {1, 1});
    EXPECT_TRUE(ScreenCursorLoaded(7));
    auto form = MakeForm();
    auto* c = new TPanel(form.get());
    c->SetParent(form.get());
    c->SetCursor(7);
    const QCursor shown = c->Widget()->cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.hotSpot(), QPoint(1, 1));
    EXPECT_EQ(shown.pixmap().toImage().pixel(0, 0), qRgba(0, 0, 0, 255));
}
