#pragma once
// Buttons with pictures: the bitmap button (a push button with a glyph) and
// the speed button (a drawn tool button, flat or raised, that can stay down
// alone or in a group).

#include <memory>
#include <vector>

#include "platform/vcl/stdctrls.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// The pictures of a glyph: NumGlyphs pictures side by side (up, disabled,
// down, exclusive); the bottom-left pixel's colour is transparent.
class TGlyphList {
public:
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs = 1;
    bool Empty() const { return FGlyph->Empty(); }
    // The picture for a state: 0 up, 1 disabled, 2 down, 3 exclusive.
    TRect Part(int State) const;

private:
    std::unique_ptr<TBitmap> FGlyph = std::make_unique<TBitmap>();
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    std::string ClassName() const override { return "TBitBtn"; }
    TBitmap* Glyph() const { return FGlyphs.Glyph(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return FGlyphs.NumGlyphs; }
    void SetNumGlyphs(int Value);
    TBitBtnKind Kind() const { return FKind; }
    // Sets the caption, the modal result and Default/Cancel of the kind.
    void SetKind(TBitBtnKind Value);
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;

private:
    void UpdateIcon();
    TGlyphList FGlyphs;
    TBitBtnKind FKind = bkCustom;
};

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    std::string ClassName() const override { return "TSpeedButton"; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Down() const { return FDown; }
    // In a group, going down lifts the others of the group under the same parent.
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp = false;
    TBitmap* Glyph() const { return FGlyphs.Glyph(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return FGlyphs.NumGlyphs; }
    void SetNumGlyphs(int Value);
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    void Click() override;

protected:
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // The glyph (or its down picture) and the caption, shifted by a pixel
    // when pushed; for buttons that paint their own face.
    void PaintGlyphAndCaption(bool Pushed);
    bool Pressed() const { return FPressed; } // the mouse holds it down now
    bool Hot() const { return FHot; }         // the mouse is over it

private:
    std::vector<TSpeedButton*> GroupMates() const; // same parent, same group
    TGlyphList FGlyphs;
    bool FFlat = false;
    bool FDown = false;
    bool FPressed = false; // the mouse holds it down now
    bool FHot = false;     // the mouse is over it
    int FGroupIndex = 0;
};
