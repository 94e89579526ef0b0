#include "grid/support/flatcombo.h"

#include "grid/support/themebind.h"
#include "platform/vcl/gfx/drawcontrols.h"

TRect FlatComboButtonRect(const TFlatComboLook& Look) {
    // The right ButtonWidth + 4 pixels, inset by 2, one pixel more at the
    // bottom and the right.
    return {Look.Width - Look.ButtonWidth - 2, 2, Look.Width - 1, Look.Height - 1};
}

namespace {

// Notifications of the list being shown and closed up.
constexpr WORD ListDroppedDown = 7;
constexpr WORD ListClosedUp = 8;

void PaintBorder(TCanvas& Canvas, const TFlatComboLook& Look) {
    const TColor outer = Look.Active ? clBtnFace : Look.ParentColor;
    TRect r{0, 0, Look.Width, Look.Height};
    if (Look.Active && Look.FocusBorder) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        Canvas.Brush()->SetColor(outer);
        Canvas.FrameRect(r);
    } else {
        Canvas.Brush()->SetColor(outer);
        Canvas.FrameRect(r);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        Canvas.FrameRect(r);
    }
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    Canvas.Brush()->SetColor(Look.Color);
    Canvas.FrameRect(r);
}

void PaintClassicButton(TCanvas& Canvas, const TFlatComboLook& Look) {
    TRect button = FlatComboButtonRect(Look);
    const int saved = Canvas.SaveDC();
    // The native arrow inside stays as it is.
    Canvas.ExcludeClipRect({Look.Width - Look.ButtonWidth + 4, 4, Look.Width - 4, Look.Height - 4});
    const unsigned edge = Look.Etched ? EDGE_ETCHED : EDGE_RAISED;
    if (!Look.ButtonOnlyWhenActive) {
        DrawEdge(Canvas, button, edge, BF_RECT);
    } else if (Look.Active) {
        DrawEdge(Canvas, button, edge, BF_RECT | (Look.DroppedDown ? BF_FLAT : 0));
    } else {
        Canvas.Brush()->SetColor(clBtnFace);
        Canvas.FillRect(button);
    }
    Canvas.RestoreDC(saved);
}

} // namespace

void PaintFlatCombo(TCanvas& Canvas, const TFlatComboLook& Look, HWND Wnd) {
    if (Look.Width <= 0 || Look.Height <= 0) return;
    PaintBorder(Canvas, Look);
    if (Look.Simple) return;
    if (!Look.Themed) {
        PaintClassicButton(Canvas, Look);
        return;
    }
    const TRect button = FlatComboButtonRect(Look);
    const int state = Look.ButtonDown ? CBXS_PRESSED : CBXS_NORMAL;
    if (!DrawThemePart(Wnd, u"combobox", CP_DROPDOWNBUTTON, state, Canvas, button))
        DrawFrameControl(Canvas, button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
}

// --- the control ------------------------------------------------------------

TXSGCustomCombo::TXSGCustomCombo(TComponent* AOwner) : TComboBox(AOwner) {}

void TXSGCustomCombo::SetButtonWidth(int Value) {
    if (Value == FButtonWidth) return;
    FButtonWidth = Value;
    Invalidate();
}

void TXSGCustomCombo::SetFlat(bool Value) {
    if (Value == FFlat) return;
    FFlat = Value;
    Invalidate();
}

void TXSGCustomCombo::SetEtched(bool Value) {
    if (Value == FEtched) return;
    FEtched = Value;
    Invalidate();
}

void TXSGCustomCombo::SetDropWidth(int Value) {
    FDropWidth = Value;
    if (Value > 0) Perform(CB_SETDROPPEDWIDTH, static_cast<WPARAM>(Value));
}

TFlatComboLook TXSGCustomCombo::Look() const {
    TFlatComboLook look;
    look.Width = Width();
    look.Height = Height();
    look.Active = FMouseInControl || Focused();
    look.FocusBorder = FocusBorder;
    look.Etched = FEtched;
    look.Simple = Style() == csSimple;
    look.Themed = IsWinXP && ThemesAvailable();
    look.ButtonDown = GetKeyState(VK_LBUTTON) < 0 || GetKeyState(VK_RBUTTON) < 0;
    look.ButtonWidth = FButtonWidth;
    look.Color = Color();
    look.ParentColor = Parent() ? Parent()->Color() : clBtnFace;
    look.DroppedDown = DroppedDown();
    AdjustLook(look);
    return look;
}

void TXSGCustomCombo::WndProc(TMessage& Message) {
    if (Message.Msg == CN_COMMAND &&
        (Message.WParamHi() == ListDroppedDown || Message.WParamHi() == ListClosedUp)) {
        InvalidateRect(FlatComboButtonRect(Look()));
    }
    TComboBox::WndProc(Message);
}

void TXSGCustomCombo::WMPaint(TMessage& Message) {
    TComboBox::WMPaint(Message); // the native box first
    if (FFlat) PaintThroughCanvas();
}

void TXSGCustomCombo::Paint() {
    if (TCanvas* canvas = ControlCanvas(); canvas->Painting())
        PaintFlatCombo(*canvas, Look(), this);
}

void TXSGCustomCombo::CMMouseEnter(TMessage& Message) {
    TComboBox::CMMouseEnter(Message);
    FMouseInControl = true;
    Invalidate();
    if (AutoFocus && CanFocus() && !Focused()) SetFocus();
}

void TXSGCustomCombo::CMMouseLeave(TMessage& Message) {
    TComboBox::CMMouseLeave(Message);
    FMouseInControl = false;
    Invalidate();
}

void TXSGCustomCombo::CMEnabledChanged(TMessage& Message) {
    if (FFlat && !Enabled() && !FColorSaved) {
        // A disabled flat box blends into its parent.
        FSavedColor = Color();
        FSavedParentColor = ParentColor();
        FColorSaved = true;
        SetParentColor(true);
    } else if (Enabled() && FColorSaved) {
        FColorSaved = false;
        SetColor(FSavedColor);
        SetParentColor(FSavedParentColor);
    }
    TComboBox::CMEnabledChanged(Message);
}

void TXSGCustomCombo::CMEnter(TMessage& Message) {
    TComboBox::CMEnter(Message);
    Invalidate();
}

void TXSGCustomCombo::CMExit(TMessage& Message) {
    TComboBox::CMExit(Message);
    Invalidate();
}
