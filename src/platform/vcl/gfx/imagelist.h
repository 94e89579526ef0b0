#pragma once
// A list of images of one size, drawn by index (tool glyphs, cell images).

#include <memory>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/vcl/gfx/graphics.h"

class TIcon;

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner, int Width = 16, int Height = 16);
    ~TImageList() override;
    std::string ClassName() const override { return "TImageList"; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list, as the platform does.
    void SetSize(int Width, int Height);
    int Count() const { return static_cast<int>(FImages.size()); }

    // A bitmap wider than the list's width is cut into several images. With a
    // mask, the mask's white pixels are left out. Answers the first new index.
    int Add(const TBitmap* Image, const TBitmap* Mask = nullptr);
    // The pixels of MaskColor are left out (clDefault: the bottom-left pixel's colour).
    int AddMasked(const TBitmap* Image, TColor MaskColor);
    int AddIcon(const TIcon* Icon);
    void Replace(int Index, const TBitmap* Image, const TBitmap* Mask = nullptr);
    void Delete(int Index);
    void Clear();

    // Draws image Index with its top-left corner at (X, Y); a disabled image is
    // drawn embossed in the shadow colours. An index out of range draws nothing.
    void Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled = true) const;
    // Copies image Index into Image (its see-through parts in the button face).
    void GetBitmap(int Index, TBitmap* Image) const;

    TNotifyEvent OnChange;

private:
    int FWidth;
    int FHeight;
    std::vector<std::unique_ptr<TIcon>> FImages; // each keeps its own alpha
    void Changed();
    std::vector<std::unique_ptr<TIcon>> Cut(const QImage& Source) const;
};
