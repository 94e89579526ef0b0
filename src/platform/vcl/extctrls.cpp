#include "platform/vcl/extctrls.h"

#include "platform/vcl/gfx/drawcontrols.h"

// --- TPanel -----------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetClickFocus(false);
    SetBounds(0, 0, 185, 41);
    SetParentColor(false);
}

void TPanel::SetBevelInner(TBevelCut Value) {
    FBevelInner = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut Value) {
    FBevelOuter = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int Value) {
    FBevelWidth = Value;
    Realign();
    Invalidate();
}

void TPanel::SetBorderWidth(int Value) {
    FBorderWidth = Value;
    Realign();
    Invalidate();
}

void TPanel::SetAlignment(TAlignment Value) {
    FAlignment = Value;
    Invalidate();
}

int TPanel::BorderSize() const {
    int size = FBorderWidth;
    if (FBevelOuter != bvNone) size += FBevelWidth;
    if (FBevelInner != bvNone) size += FBevelWidth;
    return size;
}

void TPanel::AdjustClientRect(TRect& R) const {
    InflateRect(R, -BorderSize(), -BorderSize());
}

void TPanel::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == bvNone) return;
        for (int i = 0; i < FBevelWidth; ++i) {
            if (cut == bvSpace)
                InflateRect(r, -1, -1);
            else
                DrawEdge(*canvas, r, cut == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                         BF_RECT | BF_ADJUST);
        }
    };
    bevel(FBevelOuter);
    InflateRect(r, -FBorderWidth, -FBorderWidth);
    bevel(FBevelInner);
    if (Caption().empty()) return;
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (FAlignment == taCenter) flags |= DT_CENTER;
    if (FAlignment == taRightJustify) flags |= DT_RIGHT;
    DrawText(*canvas, Caption(), r, flags);
}

// --- TTimer -------------------------------------------------------------------------

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FWindow = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == WM_TIMER && FOnTimer) FOnTimer(this);
    });
}

TTimer::~TTimer() {
    DeallocateHWnd(FWindow);
}

void TTimer::UpdateTimer() {
    KillTimer(FWindow, 1);
    if (FEnabled && FInterval > 0 && FOnTimer) SetTimer(FWindow, 1, FInterval);
}

void TTimer::SetEnabled(bool Value) {
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
    FOnTimer = std::move(Value);
    UpdateTimer();
}

// --- TRadioGroup ----------------------------------------------------------------------

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner) {
    FItems = std::make_unique<TControlItems>([this] { ItemsChanged(); });
}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::ItemsChanged() {
    for (TRadioButton* b : FButtons)
        delete b;
    FButtons.clear();
    for (int i = 0; i < FItems->Count(); ++i) {
        auto* b = new TRadioButton(nullptr); // a child: destroyed with the group
        b->SetCaption(FItems->Get(i));
        b->SetParent(this);
        b->OnClick = [this, i](TObject*) {
            if (FUpdating) return;
            FItemIndex = i;
            Click();
        };
        FButtons.push_back(b);
    }
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    SetItemIndex(FItemIndex);
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int Value) {
    if (Value < -1 || Value >= static_cast<int>(FButtons.size())) Value = -1;
    FItemIndex = Value;
    FUpdating = true;
    for (size_t i = 0; i < FButtons.size(); ++i)
        FButtons[i]->SetChecked(static_cast<int>(i) == Value);
    FUpdating = false;
}

void TRadioGroup::SetColumns(int Value) {
    FColumns = std::clamp(Value, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::WMSize(TMessage& Message) {
    TGroupBox::WMSize(Message);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    TRect r = ClientRect();
    AdjustClientRect(r);
    InflateRect(r, -4, 0);
    const int n = static_cast<int>(FButtons.size());
    const int rows = (n + FColumns - 1) / FColumns;
    const int colWidth = r.Width() / FColumns;
    const int rowHeight = std::max(1, r.Height() / rows);
    for (int i = 0; i < n; ++i) {
        const int col = i / rows, row = i % rows;
        const int h = std::min(rowHeight, 20);
        FButtons[static_cast<size_t>(i)]->SetBounds(
            r.Left + col * colWidth, r.Top + row * rowHeight + (rowHeight - h) / 2, colWidth, h);
    }
}

// --- TSplitter ---------------------------------------------------------------------------

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
    SetParentColor(true);
}

TControl* TSplitter::FindControl() const {
    if (!Parent()) return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        switch (Align()) {
        case alLeft:
            if (c->Left() + c->Width() == Left()) return c;
            break;
        case alRight:
            if (c->Left() == Left() + Width()) return c;
            break;
        case alTop:
            if (c->Top() + c->Height() == Top()) return c;
            break;
        case alBottom:
            if (c->Top() == Top() + Height()) return c;
            break;
        default:
            break;
        }
    }
    return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FControl = FindControl();
    FDownPos = ClientToScreen({X, Y});
    if (FControl)
        FStartSize =
            Align() == alLeft || Align() == alRight ? FControl->Width() : FControl->Height();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FControl || !Shift.Contains(ssLeft)) return;
    const TPoint now = ClientToScreen({X, Y});
    int delta = 0;
    switch (Align()) {
    case alLeft:
        delta = now.X - FDownPos.X;
        break;
    case alRight:
        delta = FDownPos.X - now.X;
        break;
    case alTop:
        delta = now.Y - FDownPos.Y;
        break;
    case alBottom:
        delta = FDownPos.Y - now.Y;
        break;
    default:
        return;
    }
    const int size = std::max(MinSize, FStartSize + delta);
    if (Align() == alLeft || Align() == alRight)
        FControl->SetWidth(size);
    else
        FControl->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FControl) {
        FControl = nullptr;
        if (OnMoved) OnMoved(this);
    }
}

void TSplitter::Paint() {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}
