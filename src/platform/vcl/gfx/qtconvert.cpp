#include "platform/vcl/gfx/qtconvert.h"

#include <QFontMetrics>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/graphics.h"

QString ToQString(const std::string& Text) {
    const std::u16string U = Cp1252ToUtf16(Text);
    return QString::fromUtf16(U.data(), static_cast<qsizetype>(U.size()));
}

std::string FromQString(const QString& Text) {
    return Utf16ToCp1252(std::u16string(reinterpret_cast<const char16_t*>(Text.utf16()),
                                        static_cast<size_t>(Text.size())));
}

QColor ToQColor(TColor Color) {
    const TColor C = ColorToRGB(Color);
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

TColor FromQColor(const QColor& Color) {
    return RGB(Color.red(), Color.green(), Color.blue());
}

TColor FromQRgb(unsigned Rgb) {
    return RGB(qRed(Rgb), qGreen(Rgb), qBlue(Rgb));
}

QString QtFontFamily(const std::string& Name) {
    static const char* const Mono[] = {"Courier New",    "Courier",  "Fixedsys", "Terminal",
                                       "Lucida Console", "Consolas", "Fixed"};
    static const char* const Serif[] = {"Times New Roman", "Times",    "MS Serif",
                                        "Georgia",         "Garamond", "Book Antiqua"};
    for (const char* N : Mono)
        if (SameText(Name, N)) return QStringLiteral("DejaVu Sans Mono");
    for (const char* N : Serif)
        if (SameText(Name, N)) return QStringLiteral("DejaVu Serif");
    if (StartsText("DejaVu", Name)) return ToQString(Name);
    // Every other face of the platform's dialogs and cells is a sans serif.
    return QStringLiteral("DejaVu Sans");
}

QFont ToQFont(const TFont& Font) {
    QFont F(QtFontFamily(Font.Name()));
    F.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    F.setHintingPreference(QFont::PreferFullHinting);
    F.setKerning(false);
    const TFontStyles S = Font.Style();
    F.setBold((S & fsBold) != 0);
    F.setItalic((S & fsItalic) != 0);
    F.setUnderline((S & fsUnderline) != 0);
    F.setStrikeOut((S & fsStrikeOut) != 0);
    if (Font.Pitch() == fpFixed) F.setFixedPitch(true);
    const int H = Font.Height();
    if (H < 0) {
        F.setPixelSize(-H);
    } else if (H > 0) {
        // A cell height includes the internal leading: shrink until the line fits.
        F.setPixelSize(H);
        const int Line = QFontMetrics(F).ascent() + QFontMetrics(F).descent();
        if (Line > H) F.setPixelSize(std::max(1, H * H / Line));
    } else {
        F.setPixelSize(11);
    }
    return F;
}
