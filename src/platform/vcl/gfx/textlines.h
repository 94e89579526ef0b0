#pragma once
// The lines DrawText shows: internal to the graphics layer.

#include <QString>
#include <vector>

#include "platform/vcl/gfx/qtfonts.h"

struct TTextLine {
    QString Text;
    int Underline = -1; // index of the character under which a line is drawn
};

// Source in lines for a rectangle Width pixels wide, by DrawText's DT_ flags:
// tabs expanded, paragraphs split (unless single-line), prefix marks taken out,
// words wrapped, and each line shortened with "..." (not when only measuring).
std::vector<TTextLine> TextLines(const TQtFont& Font, QString Source, int Width, unsigned Flags);
