#pragma once
// Two stacked auto-repeat buttons, up and down, reporting OnUpClick and
// OnDownClick; the up and down arrow keys press them too.

#include "controls/numeric/timerspeedbtn.h"
#include "platform/vcl/controls.h"

class TVcSpinButton : public TWinControl {
public:
    explicit TVcSpinButton(TComponent* AOwner);
    std::string ClassName() const override { return "TVcSpinButton"; }

    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    // nullptr puts the built-in arrow back.
    void SetUpGlyph(const TBitmap* Value);
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(const TBitmap* Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }

    // Takes the focus when an arrow is pressed; cleared when it goes away.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    int Interval() const { return FUpButton->Interval(); }
    void SetInterval(int Value);
    int StartDelay() const { return static_cast<int>(FUpButton->StartDelay()); }
    void SetStartDelay(int Value);

    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TVcTimerSpeedBtn* UpButton() const { return FUpButton; }
    TVcTimerSpeedBtn* DownButton() const { return FDownButton; }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }
    void WMSize(TMessage& Message) override;

private:
    TVcTimerSpeedBtn* MakeButton();
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TMouseButton Button);
    // Places the buttons for a size of W x H; W never goes below the minimum.
    void AdjustSize(int& W, int& H);

    TVcTimerSpeedBtn* FUpButton = nullptr; // owned (as components)
    TVcTimerSpeedBtn* FDownButton = nullptr;
    TWinControl* FFocusControl = nullptr;
};

// The built-in glyphs: two 9-pixel arrows side by side (normal, disabled).
std::unique_ptr<TBitmap> MakeSpinGlyph(bool Up);
