#pragma once
// Icons and pictures: any image the platform can decode (BMP, PNG, JPEG, GIF,
// ICO), kept as a bitmap or an icon.

#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/gfx/graphics.h"

// An image with its own see-through parts (an icon file, or any image with alpha).
class TIcon : public TGraphic {
public:
    TIcon();
    ~TIcon() override;
    std::string ClassName() const override { return "TIcon"; }
    void Assign(const TPersistent* Source) override;

    int Width() const override;
    int Height() const override;
    void LoadFromFile(const std::string& FileName) override;
    void LoadFromBytes(const std::string& Bytes) override;
    void Draw(TCanvas& Canvas, const TRect& R) const override;
    QImage ToImage() const override;
    void SetImage(const QImage& Image);

private:
    std::unique_ptr<QImage> FImage;
};

// Holds one graphic of whatever kind was loaded.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    std::string ClassName() const override { return "TPicture"; }
    // Copies a picture or a graphic; nullptr empties the picture.
    void Assign(const TPersistent* Source) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Stores a copy of Value (of the same kind); nullptr empties the picture.
    void SetGraphic(const TGraphic* Value);
    // The graphic as a bitmap or an icon; another kind is replaced by an
    // empty one of the asked kind, as the platform does.
    TBitmap* Bitmap();
    TIcon* Icon();

    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }
    bool Empty() const { return !FGraphic || FGraphic->Empty(); }

    // ".ico" files become icons, every other image a bitmap; raises EInvalidGraphic.
    void LoadFromFile(const std::string& FileName);
    void LoadFromBytes(const std::string& Bytes);
    void SaveToFile(const std::string& FileName) const;

    TNotifyEvent OnChange;

private:
    std::unique_ptr<TGraphic> FGraphic;
    void Changed();
    void Adopt(std::unique_ptr<TGraphic> Graphic);
};
