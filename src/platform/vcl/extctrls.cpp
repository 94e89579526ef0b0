#include "platform/vcl/extctrls.h"

#include "platform/vcl/gfx/drawcontrols.h"

// --- TPanel -----------------------------------------------------------------------

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
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
