#pragma once
// The tagged-text renderer on a canvas: RenderHTML as the grid, its hints and
// its footer call it.

#include <functional>
#include <string>

#include "grid/support/htmlrender.h"
#include "grid/support/pictures.h"
#include "platform/vcl/gfx/graphics.h"

// The picture an image source names ("IDX:3" for the image of index 3 in the
// caller's image list, a picture container name, a URL-form source), or nullptr.
using THTMLImageLookup = std::function<const TGraphic*(const std::string& Source)>;

// The sources as the IMG tag knows them: "IDX:n" from ImageList (nullptr past its
// end), a URL-form source (with "://") from the cache, added and loaded on first
// use, and any other name from the container, ignoring case. Each part may be
// missing.
THTMLImageLookup HTMLImageLookup(std::function<const TGraphic*(int Index)> ImageList,
                                 THTMLPictureCache* Cache, TPictureContainer* Container);

// THTMLSurface on a canvas. Fonts are set on the canvas only when they change.
class TCanvasHTMLSurface : public THTMLSurface {
public:
    TCanvasHTMLSurface(TCanvas& Canvas, THTMLImageLookup Images)
        : FCanvas(Canvas), FImages(std::move(Images)) {}

    TSize TextExtent(const THTMLFont& Font, const std::string& Text) override;
    void DrawText(const THTMLFont& Font, const TRect& R, const std::string& Text, TColor Background,
                  bool Ellipsis) override;
    void FillRect(const TRect& R, TColor Color) override;
    void FrameRect(const TRect& R, TColor Color) override;
    void Polyline(const std::vector<TPoint>& Points, TColor Color, int Width) override;
    void DrawFocusRect(const TRect& R) override;
    void DrawControlPart(THTMLControlPart Part, const TRect& R, bool Checked, bool Hot,
                         bool Pressed) override;
    bool ImageSize(const std::string& Source, TSize& Size) override;
    void DrawImage(const std::string& Source, const TRect& R) override;
    void TileImage(const std::string& Source, const TRect& R) override;
    TColor ColorToRGB(TColor Color) const override { return ::ColorToRGB(Color); }

private:
    void Select(const THTMLFont& Font);
    const TGraphic* Lookup(const std::string& Source) const;

    TCanvas& FCanvas;
    THTMLImageLookup FImages;
    THTMLFont FSelected;
    bool FHasSelected = false;
};

THTMLFont HTMLFontOf(const TFont& Font);

// Lays out, paints (unless Params say otherwise) and hit-tests tagged text in
// Rect. The canvas keeps its font and brush.
bool RenderHTML(TCanvas& Canvas, const std::string& Text, const TRect& Rect,
                const THTMLRenderParams& Params, THTMLRenderResult& Result,
                const THTMLImageLookup& Images = {});
