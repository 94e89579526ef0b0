#pragma once
// Two stacked auto-repeat buttons, up and down, reporting OnUpClick and
// OnDownClick; the up and down arrow keys press them too. Like every control
// it can be dragged (DragMode, DragKind, DragCursor and the drag and dock
// events), limited in size (Constraints) and given the flat look (Ctl3D).

#include "controls/numeric/timerspeedbtn.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/spinbuttons.h"

class TVcSpinButton : public TSpinButtonPair<TVcTimerSpeedBtn> {
public:
    explicit TVcSpinButton(TComponent* AOwner);
    std::string ClassName() const override { return "TVcSpinButton"; }

    // nullptr puts the built-in arrow back.
    void SetUpGlyph(const TBitmap* Value);
    void SetDownGlyph(const TBitmap* Value);

    // Takes the focus when an arrow is pressed; cleared when it goes away.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The button that the arrow keys' focus stands on (the up button).
    TVcTimerSpeedBtn* FocusedButton() const { return FFocusedButton; }

    int Interval() const { return FUpButton->Interval(); }
    void SetInterval(int Value);
    int StartDelay() const { return static_cast<int>(FUpButton->StartDelay()); }
    void SetStartDelay(int Value);

    void SetEnabled(bool Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMSize(TMessage& Message) override;

private:
    void BtnMouseDown(TMouseButton Button);
    // Places the buttons for a size of W x H; W never goes below the minimum.
    void AdjustSize(int& W, int& H);

    TWinControl* FFocusControl = nullptr;
    TVcTimerSpeedBtn* FFocusedButton = nullptr;
};

// The built-in glyphs: two 9-pixel arrows side by side (normal, disabled).
std::unique_ptr<TBitmap> MakeSpinGlyph(bool Up);
