#include "platform/vcl/regions.h"

#include <QPolygon>
#include <QRegion>
#include <QWidget>

#include "platform/vcl/controls.h"

struct TRegion {
    QRegion Area;
};

void TRegionDeleter::operator()(TRegion* Region) const {
    delete Region;
}

namespace {

int KindOf(const QRegion& Area) {
    if (Area.isEmpty()) return NULLREGION;
    return Area.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom) {
    HRGN r(new TRegion);
    if (Right > Left && Bottom > Top) r->Area = QRegion(Left, Top, Right - Left, Bottom - Top);
    return r;
}

HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode) {
    HRGN r(new TRegion);
    if (!Points || Count < 3) return r;
    QPolygon polygon;
    for (int i = 0; i < Count; ++i)
        polygon << QPoint(Points[i].X, Points[i].Y);
    r->Area = QRegion(polygon, FillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return r;
}

int CombineRgn(TRegion* Dest, const TRegion* Src1, const TRegion* Src2, int Mode) {
    if (!Dest || !Src1 || (Mode != RGN_COPY && !Src2)) return RGN_ERROR;
    switch (Mode) {
    case RGN_AND:
        Dest->Area = Src1->Area.intersected(Src2->Area);
        break;
    case RGN_OR:
        Dest->Area = Src1->Area.united(Src2->Area);
        break;
    case RGN_XOR:
        Dest->Area = Src1->Area.xored(Src2->Area);
        break;
    case RGN_DIFF:
        Dest->Area = Src1->Area.subtracted(Src2->Area);
        break;
    case RGN_COPY:
        Dest->Area = Src1->Area;
        break;
    default:
        return RGN_ERROR;
    }
    return KindOf(Dest->Area);
}

bool PtInRegion(const TRegion* Region, int X, int Y) {
    return Region && Region->Area.contains(QPoint(X, Y));
}

int GetRgnBox(const TRegion* Region, TRect& Box) {
    if (!Region) return RGN_ERROR;
    const QRect b = Region->Area.boundingRect();
    Box = b.isEmpty() ? TRect{0, 0, 0, 0} : TRect{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return KindOf(Region->Area);
}

bool SetWindowRgn(HWND Wnd, HRGN Region, bool Redraw) {
    auto* control = dynamic_cast<TWinControl*>(Wnd);
    if (!control) return false;
    QWidget* w = control->Widget();
    if (Region)
        w->setMask(Region->Area);
    else
        w->clearMask();
    if (Redraw) w->update();
    return true;
}

int GetWindowRgn(HWND Wnd, TRegion* Region) {
    auto* control = dynamic_cast<TWinControl*>(Wnd);
    if (!control || !Region || control->Widget()->mask().isEmpty()) return RGN_ERROR;
    Region->Area = control->Widget()->mask();
    return KindOf(Region->Area);
}
