#pragma once
// Windows metafiles as pictures: a WMF (placeable or plain) is converted to
// SVG by libwmf, an EMF by libemf2svg, and the SVG is drawn by Qt's renderer.

#include <string>

class TBitmap;

enum class TMetafileKind { mkNone, mkWMF, mkEMF };

// What the bytes are, by their header.
TMetafileKind MetafileKind(const std::string& Bytes);
// The drawing as an SVG document; raises EInvalidGraphic when the bytes are
// no metafile the converters read.
std::string MetafileToSvg(const std::string& Bytes);
// Draws the metafile into Bitmap at its own size (96 pixels per inch), on a
// transparent background; raises EInvalidGraphic as above.
void LoadMetafile(const std::string& Bytes, TBitmap& Bitmap);
