#include "platform/vcl/gfx/qtconvert.h"

#include <QFontMetrics>

#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/gfx/graphics.h"

QString ToQString(const std::string& Text) {
    // A file name beyond the code page carries its disk bytes behind escapes;
    // the user should read the name as it is on disk, not the escapes.
    if (Text.find(NameEscape) != std::string::npos) return QString::fromUtf8(DiskName(Text));
    const std::u16string U = Cp1252ToUtf16(Text);
    return QString::fromUtf16(U.data(), static_cast<qsizetype>(U.size()));
}

std::string FromQString(const QString& Text) {
    return Utf16ToCp1252(std::u16string(reinterpret_cast<const char16_t*>(Text.utf16()),
                                        static_cast<size_t>(Text.size())));
}

namespace {

// The symbol code page: Greek letters on the Latin ones, signs and arrows above 0xA0.
char16_t SymbolChar(unsigned char C) {
    static const char16_t Upper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                       u'ϑ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u'Θ', u'Ρ',
                                       u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
    static const char16_t Lower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                       u'ϕ', u'κ', u'λ', u'μ', u'ν', u'ο', u'π', u'θ', u'ρ',
                                       u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
    if (C >= 'A' && C <= 'Z') return Upper[C - 'A'];
    if (C >= 'a' && C <= 'z') return Lower[C - 'a'];
    switch (C) {
    case 0xA7:
        return u'♣';
    case 0xA8:
        return u'♦';
    case 0xA9:
        return u'♥';
    case 0xAA:
        return u'♠';
    case 0xAB:
        return u'↔';
    case 0xAC:
        return u'←';
    case 0xAD:
        return u'↑';
    case 0xAE:
        return u'→';
    case 0xAF:
        return u'↓';
    case 0xB0:
        return u'°';
    case 0xB1:
        return u'±';
    case 0xB4:
        return u'×';
    case 0xB7:
        return u'•';
    case 0xB8:
        return u'÷';
    case 0xBC:
        return u'…';
    case 0xD6:
        return u'√';
    case 0xD7:
        return u'⋅';
    default:
        return C < 0x80 ? char16_t(C) : Cp1252ToUtf16(std::string(1, char(C)))[0];
    }
}

} // namespace

bool IsSymbolFace(const std::string& Name) {
    return SameText(Name, "Symbol");
}

QString ToQString(const std::string& Text, const TFont& Font) {
    return ToQString(Text, Font.Charset() == SYMBOL_CHARSET || IsSymbolFace(Font.Name()));
}

QString ToQString(const std::string& Text, bool Symbol) {
    if (!Symbol) return ToQString(Text);
    QString Out;
    Out.reserve(static_cast<qsizetype>(Text.size()));
    for (char C : Text)
        Out += QChar(SymbolChar(static_cast<unsigned char>(C)));
    return Out;
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
    F.setBold(S.Contains(fsBold));
    F.setItalic(S.Contains(fsItalic));
    F.setUnderline(S.Contains(fsUnderline));
    F.setStrikeOut(S.Contains(fsStrikeOut));
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
