#pragma once
// The tagged-text renderer of grid cells, hints and footers: lays out a small
// tag language (B I U S, FONT, A, IMG, UL/LI, P, SUB/SUP, CONTROL, ...) in a
// rectangle, paints or only measures it, and answers which anchor, image or
// control lies under a point. It keeps no state between calls.

#include <string>

#include "grid/support/htmlsurface.h"

struct THTMLRenderParams {
    int PointX = -1; // hit-test point, canvas coordinates
    int PointY = -1;
    int FocusAnchor = -1; // anchor index from 0 that gets a focus rectangle; -1 none
    int HoverAnchor = -1; // anchor number from 1 under the mouse
    int ShadowOffset = 1;
    bool TestOnly = false;    // hit test without painting
    bool MeasureOnly = false; // no painting, no hit test, no clipping at the bottom
    bool Printing = false;
    bool Selected = false; // colours of FONT and anchors ignored
    bool BlinkVisible = true;
    bool HoverOnly = false;
    bool WordWrap = false;
    bool ButtonDown = false;
    double PrintScale = 1.0;
    TColor AnchorColor = 0xFF0000;
    TColor HoverColor = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = 0x808080;
};

struct THTMLRenderResult {
    std::string AnchorHref; // of the anchor under the point; "ctrl" on a control
    std::string PlainText;
    std::string FocusAnchorHref;
    int TextWidth = 0;
    int TextHeight = 0;
    int AnchorCount = 0;
    int MouseAnchor = -1;
    TRect MouseAnchorRect;
    TRect MouseControlRect;
    std::string ControlId;
    std::string ControlValue;
    std::string ControlType;
};

// StartFont and StartBrush are what the canvas holds at the call; the result is
// true when the point lies on an anchor's text, an image inside an anchor or an
// embedded control.
bool RenderHTMLOn(THTMLSurface& Surface, const THTMLFont& StartFont, TColor StartBrush,
                  const std::string& Text, const TRect& Rect, const THTMLRenderParams& Params,
                  THTMLRenderResult& Result);
