#pragma once
// Windows with a shape of their own: only the inside of a polygon shows and
// takes the mouse; the rest of the window's rectangle lets through what lies
// below it.

#include <vector>

#include "platform/rtl/types.h"
#include "platform/vcl/controls.h"

// The polygon in the window's pixels, filled by the winding rule; an empty
// polygon gives the window its whole rectangle back.
void SetWindowShape(TControl& Control, const std::vector<TPoint>& Polygon);
bool HasWindowShape(const TControl& Control);
// The pixel at Point shows: inside the shape, or anywhere without one.
bool WindowShapeContains(const TControl& Control, const TPoint& Point);
