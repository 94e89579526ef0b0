#include "platform/vcl/gfx/qtfonts.h"

#include <algorithm>

#include "platform/vcl/gfx/qtconvert.h"

namespace {

// A cell painter alternates between a handful of fonts (plain, bold, a
// heading); more than this are made again when they come back.
constexpr size_t CachedFonts = 8;

} // namespace

TQtFont::TQtFont(const TFont& Font)
    : FName(Font.Name()), FHeight(Font.Height()), FStyle(Font.Style()), FPitch(Font.Pitch()),
      FFont(ToQFont(Font)), FMetrics(FFont), FExact(FFont), FAscent(FMetrics.ascent()),
      FDescent(FMetrics.descent()), FLeading(FMetrics.leading()),
      FSymbolFace(IsSymbolFace(Font.Name())) {
    FLatin.fill(-1);
    // Letters that a font may join into one glyph.
    for (const char* Pair : {"fi", "fl", "ff", "ffi", "ffl", "ft", "st", "Th"}) {
        const QString S = QString::fromLatin1(Pair);
        int Sum = 0;
        for (const QChar C : S)
            Sum += Advance(C.unicode());
        if (Sum != FMetrics.horizontalAdvance(S)) FAdditive = false;
    }
}

bool TQtFont::Matches(const TFont& Font) const {
    return FHeight == Font.Height() && FStyle == Font.Style() && FPitch == Font.Pitch() &&
           FName == Font.Name();
}

QString TQtFont::Text(const std::string& Text, const TFont& Font) const {
    return ToQString(Text, FSymbolFace || Font.Charset() == SYMBOL_CHARSET);
}

bool TQtFont::Additive(char16_t C) {
    if (C < 0x20 || C == 0x7F) return false; // tabs and controls
    if (C < 0x7F) return true;
    if (C >= 0x80 && C < 0xA0) return false;   // controls
    if (C == 0xAD) return false;               // soft hyphen: shown only at a break
    if (C <= 0x24F) return true;               // Latin
    if (C >= 0x370 && C <= 0x3FF) return true; // Greek of the symbol face
    // Punctuation, currency, letter-like signs, arrows, mathematics, shapes and
    // suits; the invisible formatting characters among them are left out.
    if (C >= 0x2010 && C <= 0x2027) return true;
    if (C >= 0x2030 && C <= 0x205E) return true;
    if (C >= 0x20A0 && C <= 0x20CF) return true;
    if (C >= 0x2100 && C <= 0x22FF) return true;
    if (C >= 0x2500 && C <= 0x27BF) return true;
    return false;
}

int TQtFont::Advance(char16_t C) const {
    const auto Measure = [this](char16_t Ch) {
        const QString S(QChar{Ch});
        const int W = FMetrics.horizontalAdvance(S);
        if (FExact.horizontalAdvance(S) != W) FAdditive = false;
        return W;
    };
    if (C < FLatin.size()) {
        int& W = FLatin[C];
        if (W < 0) W = Measure(C);
        return W;
    }
    const auto It = FOther.find(C);
    if (It != FOther.end()) return It->second;
    return FOther.emplace(C, Measure(C)).first->second;
}

int TQtFont::Width(QStringView Text) const {
    int Sum = 0;
    bool Summed = FAdditive;
    for (qsizetype I = 0; Summed && I < Text.size(); ++I) {
        const char16_t C = Text[I].unicode();
        Summed = Additive(C);
        if (Summed) Sum += Advance(C);
    }
    return Summed && FAdditive ? Sum : FMetrics.horizontalAdvance(Text.toString());
}

bool TQtFont::Prefixes(QStringView Text, std::vector<int>& Prefix) const {
    Prefix.resize(static_cast<size_t>(Text.size()) + 1);
    Prefix[0] = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const char16_t C = Text[I].unicode();
        if (!FAdditive || !Additive(C)) return false;
        Prefix[static_cast<size_t>(I) + 1] = Prefix[static_cast<size_t>(I)] + Advance(C);
    }
    return FAdditive;
}

const TQtFont& TQtFontCache::Get(const TFont& Font) {
    const auto It = std::find_if(FFonts.begin(), FFonts.end(),
                                 [&Font](const auto& F) { return F->Matches(Font); });
    if (It == FFonts.begin() && It != FFonts.end()) return **It;
    if (It != FFonts.end()) {
        std::rotate(FFonts.begin(), It, It + 1);
        return *FFonts.front();
    }
    if (FFonts.size() >= CachedFonts) FFonts.pop_back();
    FFonts.insert(FFonts.begin(), std::make_unique<TQtFont>(Font));
    return *FFonts.front();
}
