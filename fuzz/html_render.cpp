// The tagged-text renderer on any text in a fixed rectangle, on a surface with
// fixed metrics: measured with word wrap, then painted with a hit test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "grid/support/htmlrender.h"

namespace {

// Every character is Size / 2 pixels wide (one more when bold) and a line is
// Size * 3 / 2 high; sizes are saturated so that no font the text asks for
// overflows the metrics. Drawing does nothing.
class TFixedSurface : public THTMLSurface {
public:
    TSize TextExtent(const THTMLFont& F, const std::string& T) override {
        const int64_t size = std::clamp<int64_t>(F.Size, -1000, 1000);
        const int64_t w = static_cast<int64_t>(T.size()) * (size / 2 + (F.Bold ? 1 : 0));
        return {static_cast<int>(std::clamp<int64_t>(w, -1000000, 1000000)),
                static_cast<int>(size * 3 / 2)};
    }
    void DrawText(const THTMLFont&, const TRect&, const std::string&, TColor, bool) override {}
    void FillRect(const TRect&, TColor) override {}
    void FrameRect(const TRect&, TColor) override {}
    void Polyline(const std::vector<TPoint>&, TColor, int) override {}
    void DrawFocusRect(const TRect&) override {}
    void DrawControlPart(THTMLControlPart, const TRect&, bool, bool, bool) override {}
    bool ImageSize(const std::string& Source, TSize& Size) override {
        if (Source.empty() || Source.size() > 8) return false;
        Size = {16, 16};
        return true;
    }
    void DrawImage(const std::string&, const TRect&) override {}
    void TileImage(const std::string&, const TRect&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string text(reinterpret_cast<const char*>(Data), Size);
    TFixedSurface surface;
    THTMLFont font;
    font.Name = "Sans";
    font.Size = 10;
    const TRect rect{0, 0, 200, 100};

    THTMLRenderParams measure;
    measure.MeasureOnly = true;
    measure.WordWrap = true;
    THTMLRenderResult measured;
    RenderHTMLOn(surface, font, 0xFFFFFF, text, rect, measure, measured);

    THTMLRenderParams paint;
    paint.PointX = 40;
    paint.PointY = 10;
    paint.FocusAnchor = 0;
    THTMLRenderResult painted;
    RenderHTMLOn(surface, font, 0xFFFFFF, text, rect, paint, painted);
    // The plain text is the input without its tags: never longer than it
    // except for entities and line breaks made from tags.
    if (painted.PlainText.size() > 4 * Size + 16) __builtin_trap();
    return 0;
}
