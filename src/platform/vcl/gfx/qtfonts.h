#pragma once
// The Qt fonts of a canvas: each made once from the canvas's font, with its
// metrics and the advance of every character measured once. Internal to the
// graphics layer.

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/vcl/gfx/graphics.h"

class TQtFont {
public:
    explicit TQtFont(const TFont& Font);

    // The canvas font would make this same Qt font (its colour and angle do not
    // count: they are not part of the Qt font).
    bool Matches(const TFont& Font) const;
    const QFont& Font() const { return FFont; }
    const QFontMetrics& Metrics() const { return FMetrics; }
    // The metrics every line of text asks for, read once.
    int Ascent() const { return FAscent; }
    int Descent() const { return FDescent; }
    int Leading() const { return FLeading; }
    // Text of the canvas's font as Qt text: the symbol face has its own code page.
    QString Text(const std::string& Text, const TFont& Font) const;

    // Width of Text on one line, as QFontMetrics::horizontalAdvance gives it.
    int Width(QStringView Text) const;
    // Prefix[i] := width of the first i characters, for i = 0..size. False (and
    // Prefix unusable) when the text has a character whose advance depends on
    // its neighbours (tabs, controls, soft hyphens, scripts that are shaped),
    // or when this font's advances do not add up.
    bool Prefixes(QStringView Text, std::vector<int>& Prefix) const;

private:
    static bool Additive(char16_t C);
    int Advance(char16_t C) const;

    std::string FName;
    int FHeight;
    TFontStyles FStyle;
    TFontPitch FPitch;
    QFont FFont;
    QFontMetrics FMetrics;
    QFontMetricsF FExact;
    int FAscent, FDescent, FLeading;
    bool FSymbolFace;
    // With kerning off and whole-pixel advances the width of a text is the sum
    // of its characters' advances, unless the font joins letters (ligatures).
    // A character met with a fractional advance ends the sums for this font.
    mutable bool FAdditive = true;
    mutable std::array<int, 256> FLatin;
    mutable std::unordered_map<char16_t, int> FOther;
};

// The few fonts a canvas switches between, most recently used first.
class TQtFontCache {
public:
    const TQtFont& Get(const TFont& Font);

private:
    std::vector<std::unique_ptr<TQtFont>> FFonts;
};
