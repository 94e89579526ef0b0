#include "grid/support/gridcolors.h"

#include "platform/rtl/sysutils.h"

TColor DarkenRGB(TColor Color) {
    return RGB(GetRValue(Color) >> 1, GetGValue(Color) >> 1, GetBValue(Color) >> 1);
}

std::vector<TGradientBand> GradientBands(TColor FromColor, TColor ToColor, bool Horizontal,
                                         const TRect& R, int Steps) {
    if (Steps <= 0) Steps = 1;
    const double dr = static_cast<double>(GetRValue(ToColor) - GetRValue(FromColor)) / Steps;
    const double dg = static_cast<double>(GetGValue(ToColor) - GetGValue(FromColor)) / Steps;
    const double db = static_cast<double>(GetBValue(ToColor) - GetBValue(FromColor)) / Steps;
    const double extent = static_cast<double>(Horizontal ? R.Width() : R.Height()) / Steps;
    const int length = static_cast<int>(Round(extent)) + 1;
    std::vector<TGradientBand> bands;
    bands.reserve(static_cast<size_t>(Steps));
    for (int i = 0; i < Steps; ++i) {
        TGradientBand b;
        b.Color = RGB(static_cast<int>(Round(GetRValue(FromColor) + i * dr)),
                      static_cast<int>(Round(GetGValue(FromColor) + i * dg)),
                      static_cast<int>(Round(GetBValue(FromColor) + i * db)));
        const int offset = static_cast<int>(Round(i * extent));
        if (Horizontal)
            b.Rect = {R.Left + offset, R.Top, R.Left + offset + length, R.Bottom};
        else
            b.Rect = {R.Left, R.Top + offset, R.Right, R.Top + offset + length};
        bands.push_back(b);
    }
    return bands;
}

std::vector<TPoint> ErrorUnderlinePoints(int X1, int X2, int Y) {
    std::vector<TPoint> pts;
    bool low = false;
    for (int x = X1; x <= X2; x += 3) {
        pts.push_back({x, low ? Y + 2 : Y});
        low = !low;
    }
    return pts;
}

std::vector<TPoint> WavyUnderlinePoints(int X1, int X2, int Bottom) {
    std::vector<TPoint> pts;
    int x = X1 - (((X1 % 2) + 2) % 2); // down to even, also for negative x
    bool low = ((x % 4) + 4) % 4 == 0;
    for (; x <= X2; x += 2) {
        pts.push_back({x, low ? Bottom + 1 : Bottom - 1});
        low = !low;
    }
    return pts;
}
