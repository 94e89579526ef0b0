#pragma once
// A surface with fixed metrics that records what is drawn: every character is
// Size / 2 pixels wide (one more when bold) and Size * 3 / 2 high.

#include <string>
#include <vector>

#include "grid/support/htmlsurface.h"
#include "platform/rtl/sysutils.h"

struct TDrawnText {
    THTMLFont Font;
    TRect R;
    std::string Text;
    TColor Background;
    bool Ellipsis;
};

class TFakeSurface : public THTMLSurface {
public:
    TSize TextExtent(const THTMLFont& F, const std::string& T) override {
        return {static_cast<int>(T.size()) * (F.Size / 2 + (F.Bold ? 1 : 0)), F.Size * 3 / 2};
    }
    void DrawText(const THTMLFont& F, const TRect& R, const std::string& T, TColor Bg,
                  bool Ellipsis) override {
        Texts.push_back({F, R, T, Bg, Ellipsis});
    }
    void FillRect(const TRect& R, TColor C) override { Fills.emplace_back(R, C); }
    void FrameRect(const TRect& R, TColor C) override { Frames.emplace_back(R, C); }
    void Polyline(const std::vector<TPoint>& Pts, TColor C, int) override {
        Lines.push_back(Pts);
        LineColors.push_back(C);
    }
    void DrawFocusRect(const TRect& R) override { Focus.push_back(R); }
    void DrawControlPart(THTMLControlPart Part, const TRect& R, bool Checked, bool Hot,
                         bool Pressed) override {
        Parts.push_back({Part, R, Checked, Hot, Pressed});
    }
    bool ImageSize(const std::string& Source, TSize& Size) override {
        const std::string Src = UpperCase(Source);
        if (Src == "IDX:0" || Src == "IDX:1")
            Size = {16, 16};
        else if (Src == "FLAG" || Src == "FLAG2")
            Size = {20, 30};
        else
            return false;
        return true;
    }
    void DrawImage(const std::string& Src, const TRect& R) override { Images.emplace_back(Src, R); }
    void TileImage(const std::string& Src, const TRect& R) override { Tiles.emplace_back(Src, R); }

    struct TPart {
        THTMLControlPart Part;
        TRect R;
        bool Checked, Hot, Pressed;
    };
    std::vector<TDrawnText> Texts;
    std::vector<std::pair<TRect, TColor>> Fills, Frames;
    std::vector<std::vector<TPoint>> Lines;
    std::vector<TColor> LineColors;
    std::vector<TRect> Focus;
    std::vector<TPart> Parts;
    std::vector<std::pair<std::string, TRect>> Images, Tiles;

    size_t Drawn() const {
        return Texts.size() + Fills.size() + Frames.size() + Lines.size() + Focus.size() +
               Parts.size() + Images.size() + Tiles.size();
    }
};
