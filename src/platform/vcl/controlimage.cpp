#include "platform/vcl/controlimage.h"

#include <QImage>
#include <QWidget>

#include "platform/vcl/controls.h"

void PaintControlTo(TControl& Control, TBitmap& Bitmap) {
    QWidget* widget = Control.Widget();
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget->render(&image);
    Bitmap.SetImage(image);
}
