#pragma once
// What a control shows, painted into a bitmap: its native look and whatever
// it draws over it, through its ordinary paint handling. Used where a picture
// of a control is wanted without a screen (offscreen tests, previews).

class TControl;
class TBitmap;

// The bitmap takes the control's size; the control need not be shown.
void PaintControlTo(TControl& Control, TBitmap& Bitmap);
