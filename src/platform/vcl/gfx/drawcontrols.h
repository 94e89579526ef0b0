#pragma once
// Three-dimensional edges and the classic frame controls (push buttons, check
// boxes, radio buttons, scroll arrows, caption buttons), drawn by hand in the
// classic grey look so that every desktop shows them alike.

#include "platform/rtl/types.h"

class TCanvas;

// Edges: outer and inner, raised or sunken.
constexpr unsigned BDR_RAISEDOUTER = 0x1;
constexpr unsigned BDR_SUNKENOUTER = 0x2;
constexpr unsigned BDR_RAISEDINNER = 0x4;
constexpr unsigned BDR_SUNKENINNER = 0x8;
constexpr unsigned BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER;
constexpr unsigned BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

// Which sides, and how.
constexpr unsigned BF_LEFT = 0x1;
constexpr unsigned BF_TOP = 0x2;
constexpr unsigned BF_RIGHT = 0x4;
constexpr unsigned BF_BOTTOM = 0x8;
constexpr unsigned BF_TOPLEFT = BF_TOP | BF_LEFT;
constexpr unsigned BF_TOPRIGHT = BF_TOP | BF_RIGHT;
constexpr unsigned BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT;
constexpr unsigned BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT;
constexpr unsigned BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr unsigned BF_MIDDLE = 0x800;  // fill the inside in the button face
constexpr unsigned BF_SOFT = 0x1000;   // the lighter pair outside
constexpr unsigned BF_ADJUST = 0x2000; // shrink the rectangle by the edge
constexpr unsigned BF_FLAT = 0x4000;   // a flat shadow-coloured frame
constexpr unsigned BF_MONO = 0x8000;   // a flat black frame

// Draws the edge on the chosen sides of R; with BF_ADJUST R becomes the inside.
// The top and left colours cover the top row and left column up to the last
// pixel but one; the right and bottom colours cover the right column and the
// bottom row fully (so a raised edge is dark at the top-right corner).
bool DrawEdge(TCanvas& Canvas, TRect& R, unsigned Edge, unsigned Flags);

// Frame control kinds.
constexpr unsigned DFC_CAPTION = 1;
constexpr unsigned DFC_MENU = 2;
constexpr unsigned DFC_SCROLL = 3;
constexpr unsigned DFC_BUTTON = 4;

// Kinds of DFC_BUTTON.
constexpr unsigned DFCS_BUTTONCHECK = 0x0;
constexpr unsigned DFCS_BUTTONRADIOIMAGE = 0x1;
constexpr unsigned DFCS_BUTTONRADIOMASK = 0x2;
constexpr unsigned DFCS_BUTTONRADIO = 0x4;
constexpr unsigned DFCS_BUTTON3STATE = 0x8;
constexpr unsigned DFCS_BUTTONPUSH = 0x10;
// Kinds of DFC_SCROLL.
constexpr unsigned DFCS_SCROLLUP = 0x0;
constexpr unsigned DFCS_SCROLLDOWN = 0x1;
constexpr unsigned DFCS_SCROLLLEFT = 0x2;
constexpr unsigned DFCS_SCROLLRIGHT = 0x3;
constexpr unsigned DFCS_SCROLLCOMBOBOX = 0x5;
constexpr unsigned DFCS_SCROLLSIZEGRIP = 0x8;
// Kinds of DFC_CAPTION.
constexpr unsigned DFCS_CAPTIONCLOSE = 0x0;
constexpr unsigned DFCS_CAPTIONMIN = 0x1;
constexpr unsigned DFCS_CAPTIONMAX = 0x2;
constexpr unsigned DFCS_CAPTIONRESTORE = 0x3;
constexpr unsigned DFCS_CAPTIONHELP = 0x4;
// Kinds of DFC_MENU.
constexpr unsigned DFCS_MENUARROW = 0x0;
constexpr unsigned DFCS_MENUCHECK = 0x1;
constexpr unsigned DFCS_MENUBULLET = 0x2;
// States.
constexpr unsigned DFCS_INACTIVE = 0x100;
constexpr unsigned DFCS_PUSHED = 0x200;
constexpr unsigned DFCS_CHECKED = 0x400;
constexpr unsigned DFCS_TRANSPARENT = 0x800;
constexpr unsigned DFCS_HOT = 0x1000;
constexpr unsigned DFCS_ADJUSTRECT = 0x2000;
constexpr unsigned DFCS_FLAT = 0x4000;
constexpr unsigned DFCS_MONO = 0x8000;

// Draws a frame control filling R (check boxes and radio buttons take the
// largest square centred in R).
bool DrawFrameControl(TCanvas& Canvas, const TRect& R, unsigned Type, unsigned State);

// The inverting dotted frame of the focused item (drawing it again removes it).
void DrawFocusRect(TCanvas& Canvas, const TRect& R);
