#include "grid/support/griddraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "grid/support/themebind.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/drawcontrols.h"
#include "platform/vcl/shellicons.h"

namespace {

// Draws in the desktop's style when asked and possible; false means the
// caller draws the classic look.
bool DrawThemed(bool Themed, const char16_t* ClassName, int PartId, int StateId, TCanvas& Canvas,
                const TRect& R) {
    return Themed && DrawThemePart(nullptr, ClassName, PartId, StateId, Canvas, R);
}

// Normal 1, hot 2, pressed 3, disabled 4: the state numbers of every class used here.
int ThemeState(const TButtonLook& Look) {
    if (!Look.Enabled) return PBS_DISABLED;
    if (Look.Pressed) return PBS_PRESSED;
    return Look.Hot ? PBS_HOT : PBS_NORMAL;
}

} // namespace

TColor DarkenColor(TColor Color) {
    return DarkenRGB(ColorToRGB(Color));
}

void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect& R, int Steps) {
    for (const TGradientBand& band :
         GradientBands(ColorToRGB(FromColor), ColorToRGB(ToColor), Horizontal, R, Steps)) {
        Canvas.Pen()->SetColor(band.Color);
        Canvas.Pen()->SetWidth(1);
        Canvas.Brush()->SetColor(band.Color);
        Canvas.Rectangle(band.Rect);
    }
}

void DrawBitmapOnColor(TCanvas& Canvas, const TRect& R, const TBitmap& Bitmap, TColor Color) {
    if (Bitmap.Empty() || IsRectEmpty(R)) return;
    TBitmap work(R.Width(), R.Height());
    work.Canvas()->Brush()->SetColor(Color);
    work.Canvas()->BrushCopy({0, 0, R.Width(), R.Height()}, &Bitmap,
                             {0, 0, Bitmap.Width(), Bitmap.Height()}, Bitmap.Pixel(0, 0));
    Canvas.CopyRect(R, work.Canvas(), {0, 0, R.Width(), R.Height()});
}

void DrawErrorUnderline(TCanvas& Canvas, const TRect& R, const std::string& Text, int From,
                        int Length) {
    if (Length <= 0 || From < 0 || From >= static_cast<int>(Text.size())) return;
    const int x1 = R.Left + Canvas.TextWidth(Text.substr(0, static_cast<size_t>(From)));
    const int x2 = R.Left + Canvas.TextWidth(Text.substr(0, static_cast<size_t>(From + Length)));
    const int y = R.Top + Canvas.TextHeight(Text) - 1;
    Canvas.Pen()->SetColor(clRed);
    Canvas.Pen()->SetWidth(2);
    Canvas.Polyline(ErrorUnderlinePoints(x1, x2, y));
    Canvas.Pen()->SetWidth(1);
}

void DrawProgressBar(TCanvas& Canvas, const TRect& R, int Percent, TColor DoneColor,
                     TColor DoneTextColor, TColor RestColor, TColor RestTextColor) {
    const int p = std::clamp(Percent, 0, 100);
    const int split = R.Left + R.Width() * p / 100;
    const TRect done{R.Left, R.Top, split, R.Bottom};
    const TRect rest{split, R.Top, R.Right, R.Bottom};
    const std::string text = IntToStr(p) + "%";
    const TSize ext = Canvas.TextExtent(text);
    const int tx = R.Left + (R.Width() - ext.cx) / 2;
    const int ty = R.Top + (R.Height() - ext.cy) / 2;
    const std::pair<TRect, std::pair<TColor, TColor>> parts[] = {
        {done, {DoneColor, DoneTextColor}}, {rest, {RestColor, RestTextColor}}};
    for (const auto& [part, colors] : parts) {
        if (IsRectEmpty(part)) continue;
        Canvas.Brush()->SetColor(colors.first);
        Canvas.FillRect(part);
        const int saved = Canvas.SaveDC();
        Canvas.IntersectClipRect(part);
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.Font()->SetColor(colors.second);
        Canvas.TextOut(tx, ty, text);
        Canvas.RestoreDC(saved);
    }
    Canvas.Brush()->SetColor(DoneColor);
    Canvas.FrameRect(R);
}

void DrawProgressPie(TCanvas& Canvas, const TRect& R, int Percent) {
    const int p = std::clamp(Percent, 0, 100);
    const int cx = (R.Left + R.Right) / 2, cy = (R.Top + R.Bottom) / 2;
    Canvas.Pen()->SetColor(0x808080);
    Canvas.Pen()->SetWidth(1);
    Canvas.Brush()->SetColor(clWhite);
    Canvas.Ellipse(R);
    Canvas.MoveTo(cx, cy);
    Canvas.LineTo(cx, R.Top);
    if (p == 0) return;
    Canvas.Brush()->SetColor(0x808080);
    if (p == 100) {
        Canvas.Ellipse(R);
        return;
    }
    // Clockwise from the top is counter-clockwise from the end ray to the top.
    const double a = p / 100.0 * 2 * std::numbers::pi;
    const int ex = cx + static_cast<int>(std::lround(std::sin(a) * R.Width()));
    const int ey = cy - static_cast<int>(std::lround(std::cos(a) * R.Height()));
    Canvas.Pie(R.Left, R.Top, R.Right, R.Bottom, ex, ey, cx, R.Top);
}

void SelectRotatedFont(TCanvas& Canvas, int Angle, TFont& OldFont) {
    OldFont.Assign(Canvas.Font());
    Canvas.Font()->SetOrientation(Angle * 10);
}

void RestoreFont(TCanvas& Canvas, const TFont& OldFont) {
    Canvas.Font()->Assign(&OldFont);
}

void StretchBitmapDIB(TCanvas& Canvas, const TRect& R, const TBitmap& Bitmap) {
    Canvas.StretchDraw(R, &Bitmap);
}

void DrawShellIcon(TCanvas& Canvas, int X, int Y, int& Size, double Scale, bool Scaled, bool Draw,
                   bool Large, const std::string& Source) {
    Size = ShellIconSize(Large);
    if (!Draw) return;
    TBitmap icon;
    LoadShellIcon(icon, Source, Large);
    if (!Scaled) {
        Canvas.Draw(X, Y, &icon);
        return;
    }
    const int side = static_cast<int>(std::lround(Size * Scale));
    StretchBitmapDIB(Canvas, {X, Y, X + side, Y + side}, icon);
}

void DrawComboButton(TCanvas& Canvas, const TRect& R, bool Themed) {
    const TRect b{std::max(R.Left, R.Right - 16), R.Top, R.Right, R.Bottom};
    if (DrawThemed(Themed, u"combobox", CP_DROPDOWNBUTTON, CBXS_NORMAL, Canvas, b)) return;
    DrawFrameControl(Canvas, b, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
}

void DrawSpinArrowButton(TCanvas& Canvas, const TRect& R, int Arrow, const TButtonLook& Look) {
    const int arrow = std::clamp(Arrow, 0, 3);
    static constexpr int Parts[] = {SPNP_DOWNHORZ, SPNP_UPHORZ, SPNP_UP, SPNP_DOWN};
    if (DrawThemed(Look.Themed, u"spin", Parts[arrow], ThemeState(Look), Canvas, R)) return;
    static constexpr unsigned Kinds[] = {DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT, DFCS_SCROLLUP,
                                         DFCS_SCROLLDOWN};
    unsigned state = Kinds[arrow];
    if (Look.Pressed) state |= DFCS_PUSHED;
    if (Look.Flat) state |= DFCS_FLAT;
    if (!Look.Enabled) state |= DFCS_INACTIVE;
    if (Look.Transparent) state |= DFCS_TRANSPARENT;
    DrawFrameControl(Canvas, R, DFC_SCROLL, state);
}

void DrawEditButtonFace(TCanvas& Canvas, const TRect& R, const TButtonLook& Look) {
    if (DrawThemed(Look.Themed, u"button", BP_PUSHBUTTON, ThemeState(Look), Canvas, R)) return;
    if (Look.Flat) {
        TRect r = R;
        DrawEdge(Canvas, r, Look.Pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        return;
    }
    DrawFrameControl(Canvas, R, DFC_BUTTON, DFCS_BUTTONPUSH | (Look.Pressed ? DFCS_PUSHED : 0u));
}
