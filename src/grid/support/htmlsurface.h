#pragma once
// What the tagged-text renderer needs of a canvas: measuring and drawing text in
// a font, filling, lines, focus rectangles, images by source name and the small
// parts of embedded controls. The visual layer implements it on its canvas;
// tests implement it with fixed metrics.

#include <string>
#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/colors.h"

struct THTMLFont {
    std::string Name;
    int Size = 10; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    TColor Color = 0;
    int Angle = 0; // degrees, counter-clockwise
    bool operator==(const THTMLFont&) const = default;
};

enum class THTMLControlPart { CheckBox, RadioButton, PushButton, ComboButton };

class THTMLSurface {
public:
    virtual ~THTMLSurface() = default;

    virtual TSize TextExtent(const THTMLFont& Font, const std::string& Text) = 0;
    // Text on one line from R.Left with its bottom on R.Bottom; Background is
    // clNone for none; with Ellipsis a text too wide for R ends in "...".
    // No character has a special meaning ('&' is drawn as it is).
    virtual void DrawText(const THTMLFont& Font, const TRect& R, const std::string& Text,
                          TColor Background, bool Ellipsis) = 0;
    virtual void FillRect(const TRect& R, TColor Color) = 0;
    virtual void FrameRect(const TRect& R, TColor Color) = 0;
    virtual void Polyline(const std::vector<TPoint>& Points, TColor Color, int Width) = 0;
    virtual void DrawFocusRect(const TRect& R) = 0;
    virtual void DrawControlPart(THTMLControlPart Part, const TRect& R, bool Checked, bool Hot,
                                 bool Pressed) = 0;
    // Size in pixels of the image a source names ("IDX:n", "SSYS:x", a picture
    // name, a URL-form source), already scaled to the device; false when none.
    virtual bool ImageSize(const std::string& Source, TSize& Size) = 0;
    virtual void DrawImage(const std::string& Source, const TRect& R) = 0;
    // Tiles the image over R, clipped to it.
    virtual void TileImage(const std::string& Source, const TRect& R) = 0;
    virtual int PixelsPerInch() const { return 96; }
    // RGB of a colour, system colours resolved.
    virtual TColor ColorToRGB(TColor Color) const { return Color; }
};
