#pragma once
// Shared helpers of the graphics tests: a white bitmap and pixel inspection.

#include <memory>
#include <string>

#include "platform/rtl/types.h"
#include "platform/vcl/gfx/graphics.h"

// A white bitmap of the given size.
std::unique_ptr<TBitmap> WhiteBitmap(int Width, int Height);
// How many pixels of R have colour C.
int CountColor(const TBitmap& B, const TRect& R, TColor C);
// The smallest rectangle holding every pixel that is not Background (empty when none).
TRect InkBounds(const TBitmap& B, TColor Background = clWhite);
// Saves the bitmap into the artifacts folder.
void SaveArtifact(const TBitmap& B, const std::string& Name);
