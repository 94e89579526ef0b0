#include "grid/support/gridaux.h"

#include <algorithm>

#include "grid/support/griddraw.h"
#include "platform/vcl/regions.h"

std::vector<TPoint> ArrowOutline(int Direction) {
    switch (Direction) {
    case 0:
        return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case 1:
        return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case 2:
        return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    case 3:
        return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    default:
        return {};
    }
}

// --- TArrowWindow ---------------------------------------------------------------

TArrowWindow::TArrowWindow(TComponent* AOwner, int Direction)
    : THintWindow(AOwner), FDirection(Direction), FOutline(ArrowOutline(Direction)) {
    SetColor(clLime);
    int w = 0, h = 0;
    for (const TPoint& p : FOutline) {
        w = std::max(w, p.X + 1);
        h = std::max(h, p.Y + 1);
    }
    SetBounds(0, 0, w, h);
    // The window takes the arrow's shape: nothing shows around it.
    if (!FOutline.empty())
        SetWindowRgn(this,
                     CreatePolygonRgn(FOutline.data(), static_cast<int>(FOutline.size()), WINDING),
                     true);
    Hide();
}

void PaintArrow(TCanvas& Canvas, const TRect& R, const std::vector<TPoint>& Outline, TColor Color) {
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(R);
    if (Outline.empty()) return;
    std::vector<TPoint> pts = Outline;
    for (TPoint& p : pts) {
        p.X += R.Left;
        p.Y += R.Top;
    }
    Canvas.Pen()->SetColor(Color);
    Canvas.Brush()->SetColor(Color);
    Canvas.Polygon(pts);
}

void TArrowWindow::Paint() {
    PaintArrow(*Canvas(), ClientRect(), FOutline, Color());
}

// --- TPopupButton ---------------------------------------------------------------

TPopupButton::TPopupButton(TComponent* AOwner) : THintWindow(AOwner) {
    SetColor(clBtnFace);
    Font()->SetColor(clBtnText);
    SetEnabled(false);
}

void TPopupButton::SetFlat(bool Value) {
    FFlat = Value;
    Invalidate();
}

void TPopupButton::SetGradFrom(TColor Value) {
    FGradFrom = Value;
    Invalidate();
}

void TPopupButton::SetGradTo(TColor Value) {
    FGradTo = Value;
    Invalidate();
}

void PaintPopupButton(TCanvas& Canvas, const TRect& R, const std::string& Caption, bool Flat,
                      TColor GradFrom, TColor GradTo, TColor Face, const TFont& Font) {
    Canvas.Brush()->SetColor(Face);
    Canvas.FillRect(R);
    TRect inner = R;
    if (!Flat) {
        Canvas.Pen()->SetWidth(1);
        Canvas.Pen()->SetColor(clWhite);
        Canvas.MoveTo(R.Left, R.Bottom - 1);
        Canvas.LineTo(R.Left, R.Top);
        Canvas.LineTo(R.Right - 1, R.Top);
        Canvas.Pen()->SetColor(0x808080);
        Canvas.LineTo(R.Right - 1, R.Bottom - 1);
        Canvas.LineTo(R.Left - 1, R.Bottom - 1);
        InflateRect(inner, -1, -1);
    }
    if (GradFrom != clNone)
        DrawGradient(Canvas, GradFrom, GradTo == clNone ? GradFrom : GradTo, false, inner, 64);
    Canvas.Font()->Assign(&Font);
    Canvas.Brush()->SetStyle(bsClear);
    TRect r = inner;
    DrawText(Canvas, Caption, r, DT_CENTER | DT_END_ELLIPSIS);
}

void TPopupButton::Paint() {
    PaintPopupButton(*Canvas(), ClientRect(), Caption(), FFlat, FGradFrom, FGradTo, Color(),
                     *Font());
}

// --- TControlList ---------------------------------------------------------------

TControlList::~TControlList() {
    while (!FItems.empty())
        FItems.erase(FItems.begin());
}

TControl* TControlList::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

int TControlList::Add(TControl* Control) {
    if (Control->Owner()) Control->Owner()->RemoveComponent(Control);
    FItems.emplace_back(Control);
    return Count() - 1;
}

void TControlList::Delete(int Index) {
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

int TControlList::IndexOf(const TControl* Control) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Control) return static_cast<int>(i);
    return -1;
}

// --- TFilePicture ---------------------------------------------------------------

void TFilePicture::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const TFilePicture*>(Source)) {
        FFilename = src->FFilename;
        FWidth = src->FWidth;
        FHeight = src->FHeight;
        return;
    }
    TPersistent::Assign(Source);
}

void TFilePicture::SetFilename(const std::string& Value) {
    FFilename = Value;
    FWidth = FHeight = 0;
    if (Value.empty()) return;
    // A file that is missing or no image leaves the size 0.
    try {
        TBitmap picture;
        picture.LoadFromFile(Value);
        FWidth = picture.Width();
        FHeight = picture.Height();
    } catch (const Exception&) {
    }
}

void TFilePicture::Draw(TCanvas& Canvas, const TRect& R) const {
    if (FFilename.empty()) return;
    try {
        TBitmap picture;
        picture.LoadFromFile(FFilename);
        Canvas.StretchDraw(R, &picture);
    } catch (const Exception&) {
    }
}
