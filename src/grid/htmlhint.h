#pragma once
// The grid's hint window: hint text with tags, drawn by the tagged-text
// renderer in a borderless window sized to the text.

#include <string>

#include "platform/vcl/forms.h"

class TImageList;

// Where a hint window of the measured text size goes when asked at Pos:
// 16 wider and 4 higher than the text, moved back onto a screen of
// ScreenWidth x ScreenHeight to end 2 pixels inside it.
TRect HintWindowBounds(const TPoint& Pos, const TSize& Text, int ScreenWidth, int ScreenHeight);

class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner, TImageList* Images = nullptr);
    std::string ClassName() const override { return "THTMLHintWindow"; }
    void ActivateHint(const TRect& Rect, const std::string& AHint) override;
    TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData) override;
    // The measured text of the current hint.
    TSize TextSize() const { return FTextSize; }

protected:
    void Paint() override;

private:
    TSize Measure(const std::string& AHint, int Width);
    TImageList* FImages; // the grid's, not owned
    std::string FHint;
    TSize FTextSize{0, 0};
};
