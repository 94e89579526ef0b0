#include "screenpixel.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "platform/vcl/qtapp.h"

bool ReadScreenPixelAtCursor(unsigned& Rgb) {
    EnsureQtApplication();
    const QPoint At = QCursor::pos();
    QScreen* Screen = QGuiApplication::screenAt(At);
    if (!Screen) Screen = QGuiApplication::primaryScreen();
    if (!Screen) return false;
    const QPoint Local = At - Screen->geometry().topLeft();
    const QPixmap Grab = Screen->grabWindow(0, Local.x(), Local.y(), 1, 1);
    if (Grab.isNull() || Grab.width() < 1 || Grab.height() < 1) return false;
    Rgb = Grab.toImage().pixel(0, 0) & 0xFFFFFFu;
    return true;
}

bool WindowOpacitySupported() {
    EnsureQtApplication();
    const QString Name = QGuiApplication::platformName();
    return Name == "xcb" || Name.startsWith("wayland");
}
