#pragma once
// Line layout of tagged text: the renderer's first step. Every line is a list of
// placed pieces at x offsets from the line's start; painting and hit testing
// work on that list. Internal to the renderer.

#include <string>
#include <vector>

#include "grid/support/htmlrender.h"

enum class THTMLPieceKind { Text, Image, Control, Bullet };

// The kinds of embedded control; any other type takes room and draws nothing.
enum class THTMLControlKind { Other, Edit, Combo, Check, Radio, Button };

// Heights of embedded controls: an edit box is its text's height plus the
// margin, the others have fixed sizes (check and radio boxes are square).
inline constexpr int HTMLEditMargin = 6;
inline constexpr int HTMLComboHeight = 25;
inline constexpr int HTMLButtonHeight = 24;
inline constexpr int HTMLCheckSize = 16;

// Where an image's ALIGN puts the text of its line.
enum class THTMLImageAlign { Bottom, Top, Middle };

struct THTMLPiece {
    THTMLPieceKind Kind = THTMLPieceKind::Text;
    int X = 0; // from the line's start
    int Width = 0;
    int Height = 0;
    std::string Text; // decoded text, or the control's value
    THTMLFont Font;
    TColor Brush = clNone;
    bool Shadow = false;
    bool Error = false;
    bool Sub = false;
    bool Sup = false;
    int Anchor = 0; // number from 1; 0 outside anchors
    std::string Href;
    std::string Source; // image SRC
    std::string Alt;    // image ALT
    std::string ControlType, ControlId, ControlWidth;
    THTMLControlKind Control = THTMLControlKind::Other;
};

enum class THTMLAlign { Left, Center, Right };

struct THTMLLine {
    std::vector<THTMLPiece> Pieces;
    int Width = 0;  // without a trailing blank
    int Height = 0; // at least the height of "gh"
    int GhHeight = 0;
    int SubExtent = 0;
    int SupExtent = 0;
    int TextRaise = 0; // from an image's ALIGN
    THTMLAlign Align = THTMLAlign::Left;
    int Indent = 0;
    TColor ParaBackground = clNone;
    bool Rule = false; // HR: a line below the text
    // Filled by the renderer once the line has its place.
    int Left = 0;
    int Top = 0;
    int Bottom() const { return Top + SupExtent + Height; } // the text bottom
};

struct THTMLLayout {
    std::vector<THTMLLine> Lines;
    TColor BodyColor = clNone;
    std::string BodyImage;
    std::string PlainText;
    int AnchorCount = 0;
    std::vector<std::string> AnchorHrefs; // by number - 1
};

// The text as the layout reads it: the first "<#" shown as text, line feeds
// dropped and every carriage return a line break.
std::string PrepareTaggedText(const std::string& Text);

THTMLLayout LayoutHTML(THTMLSurface& Surface, const THTMLFont& StartFont, TColor StartBrush,
                       const std::string& Text, const TRect& Rect, const THTMLRenderParams& P);
