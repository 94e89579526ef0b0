#pragma once
// The Qt side of the graphics layer: conversions between our values and Qt's.
// Only platform code includes this header.

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <string>

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/colors.h"

class TFont;

// Windows-1252 text <-> Qt strings; characters outside the code page become '?'.
// A file name whose disk bytes are kept behind NameEscape shows as on disk.
QString ToQString(const std::string& Text);
std::string FromQString(const QString& Text);

// Text in a font's own code page: the "Symbol" face (or the symbol character
// set) puts Greek letters, arrows and bullets on the single-byte codes.
QString ToQString(const std::string& Text, const TFont& Font);
// The same with the font's code page known: Symbol for the symbol face or set.
QString ToQString(const std::string& Text, bool Symbol);
bool IsSymbolFace(const std::string& Name);

// A system colour is resolved first; the high byte is ignored.
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);
TColor FromQRgb(unsigned Rgb);

// A rectangle keeps its pixels: (Left, Top) to (Right, Bottom) exclusive.
inline QRect ToQRect(const TRect& R) {
    return QRect(R.Left, R.Top, R.Width(), R.Height());
}
inline TRect FromQRect(const QRect& R) {
    return {R.left(), R.top(), R.left() + R.width(), R.top() + R.height()};
}
inline QPoint ToQPoint(const TPoint& P) {
    return QPoint(P.X, P.Y);
}
inline TPoint FromQPoint(const QPoint& P) {
    return {P.x(), P.y()};
}

// The installed family that stands in for a font name of the platform
// ("MS Sans Serif", "Tahoma", "Arial" -> "DejaVu Sans"; "Courier New" ->
// "DejaVu Sans Mono"; "Times New Roman" -> "DejaVu Serif").
QString QtFontFamily(const std::string& Name);
// Pixel-sized, unhinted by the desktop, never antialiased.
QFont ToQFont(const TFont& Font);
