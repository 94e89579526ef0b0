#pragma once
// The painting tests' grid: five columns of 80 by 22-pixel rows in the
// standard look, rendered offscreen, with pixel finders in client coordinates.

#include <cmath>
#include <memory>
#include <vector>

#include "gridfixture.h"
#include "platform/vcl/controlimage.h"

struct TBox {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
    bool Empty() const { return Right < 0; }
    int Width() const { return Right - Left + 1; }
};

class PaintTest : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetLook(glStandard);
        Grid->SetColCount(5);
        Grid->SetRowCount(8);
        Grid->SetDefaultColWidth(80);
        Grid->SetDefaultRowHeight(22);
    }
    std::unique_ptr<TBitmap> Render() {
        auto image = WhiteBitmap(Grid->Width(), Grid->Height());
        PaintControlTo(*Grid, *image);
        return image;
    }
    // A pixel in client coordinates.
    TColor Px(const TBitmap& B, int X, int Y) const {
        const int b = Grid->BorderOffset();
        return B.Pixel(X + b, Y + b);
    }
    // Pixels of colour C (or, with Dark, any pixel darker than mid grey) inside R.
    TBox Find(const TBitmap& B, const TRect& R, TColor C, bool Dark = false) const {
        TBox box;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColor p = Px(B, x, y);
                const bool hit =
                    Dark ? ((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) < 300 : p == C;
                if (!hit) continue;
                box.Left = std::min(box.Left, x);
                box.Right = std::max(box.Right, x);
                box.Top = std::min(box.Top, y);
                box.Bottom = std::max(box.Bottom, y);
            }
        return box;
    }
    TBox Ink(const TBitmap& B, const TRect& R) const { return Find(B, R, 0, true); }
    // Pixels within Tolerance of C in every channel (smoothed edges included).
    int CountNear(const TBitmap& B, const TRect& R, TColor C, int Tolerance) const {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColor p = Px(B, x, y);
                bool near = true;
                for (int s = 0; s < 24; s += 8)
                    near =
                        near && std::abs(int((p >> s) & 0xFF) - int((C >> s) & 0xFF)) <= Tolerance;
                n += near;
            }
        return n;
    }
    // The pixels of R, row by row: two cells painted alike compare equal.
    std::vector<TColor> Pixels(const TBitmap& B, const TRect& R) const {
        std::vector<TColor> v;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                v.push_back(Px(B, x, y));
        return v;
    }
    static TRect Inner(TRect R, int D) {
        InflateRect(R, -D, -D);
        return R;
    }
};
