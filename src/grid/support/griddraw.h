#pragma once
// Small drawing routines of the grids: gradients, bitmaps on a colour, the
// error underline, progress bars and pies, and the classic looks of drop-down
// buttons, check boxes, radio buttons and push buttons in cells.

#include <string>

#include "grid/support/gridcolors.h"
#include "platform/vcl/gfx/graphics.h"

// System colours are resolved first, then each channel is halved.
TColor DarkenColor(TColor Color);

// Steps bands (0 counts as 1) from FromColor to ToColor; system colours are
// resolved first so that a cell's window colour makes a real gradient.
void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, bool Horizontal,
                  const TRect& R, int Steps);

// The bitmap drawn into R with the colour of its top-left pixel replaced by Color.
void DrawBitmapOnColor(TCanvas& Canvas, const TRect& R, const TBitmap& Bitmap, TColor Color);
inline void DrawTransparentBitmap(TCanvas& Canvas, const TRect& R, const TBitmap& Bitmap,
                                  TColor Color) {
    DrawBitmapOnColor(Canvas, R, Bitmap, Color);
}

// A red zig-zag under the characters From (0-based) .. From + Length - 1 of a
// cell text drawn from R's top-left corner in the canvas font.
void DrawErrorUnderline(TCanvas& Canvas, const TRect& R, const std::string& Text, int From,
                        int Length);

// Percent of R filled in DoneColor, the rest in RestColor; the value with "%"
// centred, in DoneTextColor over the filled part and RestTextColor over the rest.
void DrawProgressBar(TCanvas& Canvas, const TRect& R, int Percent, TColor DoneColor,
                     TColor DoneTextColor, TColor RestColor, TColor RestTextColor);
// A grey circle with the sector of Percent filled, clockwise from the top.
void DrawProgressPie(TCanvas& Canvas, const TRect& R, int Percent);

// The canvas font turned by Angle degrees; OldFont keeps the font it replaced,
// which RestoreFont selects back.
void SelectRotatedFont(TCanvas& Canvas, int Angle, TFont& OldFont);
void RestoreFont(TCanvas& Canvas, const TFont& OldFont);
// The bitmap stretched into R.
void StretchBitmapDIB(TCanvas& Canvas, const TRect& R, const TBitmap& Bitmap);

// The desktop's small or large icon of Source (a standard icon number, a file
// or folder, or a file type by its extension). Size receives the icon's size.
// With Draw it is drawn transparently at (X, Y): at its own size, or with
// Scaled stretched to Size x Scale (rounded).
void DrawShellIcon(TCanvas& Canvas, int X, int Y, int& Size, double Scale, bool Scaled, bool Draw,
                   bool Large, const std::string& Source);

// The state of a small button of a cell editor. Themed asks for the desktop's
// style; without the style library the classic look is drawn.
struct TButtonLook {
    bool Themed = false;
    bool Pressed = false;
    bool Hot = false; // the mouse is over it
    bool Flat = false;
    bool Enabled = true;
    bool Transparent = false; // the face is not filled: the parent shows through
};

// A 16-pixel drop-down button at the right edge of R.
void DrawComboButton(TCanvas& Canvas, const TRect& R, bool Themed);
// An arrow button of a spin control filling R; Arrow 0 left, 1 right, 2 up, 3 down.
void DrawSpinArrowButton(TCanvas& Canvas, const TRect& R, int Arrow, const TButtonLook& Look);
// The face of an edit's button filling R: a push button, or a plain edge when
// flat; the glyph or caption goes on top.
void DrawEditButtonFace(TCanvas& Canvas, const TRect& R, const TButtonLook& Look);
