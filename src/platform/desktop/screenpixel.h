#pragma once
// The screen as the display server lets a program see it.

// The pixel under the mouse cursor as 0xRRGGBB; false where the screen cannot
// be read (no screen, or a display server that keeps other windows private).
bool ReadScreenPixelAtCursor(unsigned& Rgb);
// True when top-level windows can be shown partly transparent.
bool WindowOpacitySupported();
