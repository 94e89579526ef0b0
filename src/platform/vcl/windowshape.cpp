#include "platform/vcl/windowshape.h"

#include <QPolygon>
#include <QRegion>
#include <QWidget>

void SetWindowShape(TControl& Control, const std::vector<TPoint>& Polygon) {
    QWidget* widget = Control.Widget();
    if (Polygon.empty()) {
        widget->clearMask();
        return;
    }
    QPolygon polygon;
    for (const TPoint& p : Polygon)
        polygon << QPoint(p.X, p.Y);
    widget->setMask(QRegion(polygon, Qt::WindingFill));
}

bool HasWindowShape(const TControl& Control) {
    return !Control.Widget()->mask().isEmpty();
}

bool WindowShapeContains(const TControl& Control, const TPoint& Point) {
    const QRegion mask = Control.Widget()->mask();
    return mask.isEmpty() ? Control.Widget()->rect().contains(Point.X, Point.Y)
                          : mask.contains(QPoint(Point.X, Point.Y));
}
