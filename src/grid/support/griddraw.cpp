#include "grid/support/griddraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/rtl/sysutils.h"

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

namespace {

void Edge(TCanvas& Canvas, const TRect& R, TColor TopLeft, TColor BottomRight) {
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(TopLeft);
    Canvas.MoveTo(R.Left, R.Bottom - 1);
    Canvas.LineTo(R.Left, R.Top);
    Canvas.LineTo(R.Right - 1, R.Top);
    Canvas.Pen()->SetColor(BottomRight);
    Canvas.LineTo(R.Right - 1, R.Bottom - 1);
    Canvas.LineTo(R.Left - 1, R.Bottom - 1);
}

} // namespace

void DrawClassicButton(TCanvas& Canvas, const TRect& R, bool Pressed) {
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(R);
    if (Pressed)
        Edge(Canvas, R, clBtnShadow, clBtnHighlight);
    else
        Edge(Canvas, R, clBtnHighlight, cl3DDkShadow);
}

void DrawComboButton(TCanvas& Canvas, const TRect& R, bool Themed) {
    // Without a theme engine of its own the themed look is the flat classic one.
    const TRect b{std::max(R.Left, R.Right - 16), R.Top, R.Right, R.Bottom};
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(b);
    Canvas.Brush()->SetColor(clBtnShadow);
    Canvas.FrameRect(b);
    const int cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
    Canvas.Pen()->SetColor(clBtnText);
    Canvas.Brush()->SetColor(clBtnText);
    Canvas.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
}

void DrawClassicCheck(TCanvas& Canvas, const TRect& R, bool Checked, bool Radio, bool Pressed) {
    const int size = std::min({13, R.Width(), R.Height()});
    const TRect box{R.Left + (R.Width() - size) / 2, R.Top + (R.Height() - size) / 2,
                    R.Left + (R.Width() - size) / 2 + size, R.Top + (R.Height() - size) / 2 + size};
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(clBtnShadow);
    Canvas.Brush()->SetColor(Pressed ? clBtnFace : clWindow);
    if (Radio)
        Canvas.Ellipse(box);
    else
        Canvas.Rectangle(box);
    if (!Checked) return;
    Canvas.Pen()->SetColor(clWindowText);
    Canvas.Brush()->SetColor(clWindowText);
    if (Radio) {
        TRect dot = box;
        InflateRect(dot, -size / 3, -size / 3);
        Canvas.Ellipse(dot);
        return;
    }
    const int x = box.Left + 3, y = box.Top + size / 2 - 1;
    for (int k = 0; k < 3; ++k) {
        Canvas.MoveTo(x, y + k);
        Canvas.LineTo(x + 2, y + 2 + k);
        Canvas.LineTo(x + 7, y - 3 + k);
    }
}
