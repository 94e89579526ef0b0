#pragma once
// The spin editors of grid cells: an auto-repeating arrow button, a pair of them
// as a spin button, and an edit with a spin button that steps an integer, a
// floating value, a date or a time.

#include <memory>
#include <string>

#include "grid/support/spinlogic.h"
#include "grid/support/themedbutton.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/mask.h"
#include "platform/vcl/spinbuttons.h"

// Arrow directions of a timer button.
enum TSpinArrow { saLeft = 0, saRight = 1, saUp = 2, saDown = 3 };

// A speed button that clicks once when pressed and, held down, again after
// 400 ms and then every 100 ms.
class TExtTimerSpeedButton : public TThemedSpeedButton {
public:
    explicit TExtTimerSpeedButton(TComponent* AOwner);
    ~TExtTimerSpeedButton() override;
    std::string ClassName() const override { return "TExtTimerSpeedButton"; }

    bool AllowTimer = true;
    int Arrow = saUp;
    bool Transparent = false; // the face is not filled
    void Click() override;
    // The repeat timer's tick.
    void TimerExpired();
    // The repeat timer while one exists (it is made on the first press).
    TTimer* RepeatTimer() const { return FRepeatTimer.get(); }

protected:
    void Paint() override;
    void WMEraseBkgnd(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    std::unique_ptr<TTimer> FRepeatTimer;
    bool FHeld = false;
    bool FSwallowClick = false; // the release of a press that clicked already
};

enum TSpinDirection { spVertical, spHorizontal };

class TXsgSpinButton : public TSpinButtonPair<TExtTimerSpeedButton> {
public:
    explicit TXsgSpinButton(TComponent* AOwner);
    std::string ClassName() const override { return "TXsgSpinButton"; }

    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TWinControl* FocusControl = nullptr;
    TExtTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    bool Flat() const { return FUpButton->Flat(); }
    void SetFlat(bool Value);
    bool Transparent() const { return FUpButton->Transparent; }
    void SetTransparent(bool Value);
    void SetIsWinXP(bool Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The buttons' glyphs; nullptr sets the standard arrows, the bitmap
    // resources "XsgSpinUp" and "XsgSpinDown".
    void SetUpGlyph(const TBitmap* Value);
    void SetDownGlyph(const TBitmap* Value);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void Loaded() override;
    void WMEraseBkgnd(TMessage& Message) override;

private:
    void Layout();
    void ButtonPressed(TExtTimerSpeedButton* Button);
    TExtTimerSpeedButton* FFocusedButton = nullptr;
    TSpinDirection FDirection = spVertical;
};

// An edit mask (EditMask) works as in any masked edit; the value is read from
// the text it leaves.
class TXsgSpinEdit : public TCustomMaskEdit {
public:
    explicit TXsgSpinEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TXsgSpinEdit"; }

    // Read from the text (raising EConvertError on text that is no value) and
    // written as text, within the limits.
    int Value() const;
    void SetValue(int NewValue);
    double FloatValue() const;
    void SetFloatValue(double NewValue);
    // An empty text or "0" reads as today. While loading, the setters only
    // store the value; the text shows it when loading ends.
    TDateTime DateValue() const;
    void SetDateValue(TDateTime NewValue);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime NewValue);

    TXsgSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TXsgSpinType Value);
    int Precision() const { return FPrecision; }
    void SetPrecision(int Value);
    TSpinDirection Direction() const { return FButton->Direction(); }
    void SetDirection(TSpinDirection Value);
    bool SpinFlat() const { return FButton->Flat(); }
    void SetSpinFlat(bool Value) { FButton->SetFlat(Value); }
    bool SpinTransparent() const { return FButton->Transparent(); }
    void SetSpinTransparent(bool Value);
    // Where the text stands: left, right or centred.
    TAlignment EditAlign() const;
    void SetEditAlign(TAlignment Value);
    void SetIsWinXP(bool Value) { FButton->SetIsWinXP(Value); }
    TXsgSpinButton* Button() const { return FButton; }

    bool ReturnIsTab = false;
    bool EditorEnabled = true;
    int Increment = 1;
    double IncrementFloat = 1.0;
    int MinValue = 0, MaxValue = 100;
    double MinFloatValue = 0, MaxFloatValue = 100.0;
    TDateTime MinDateValue = 0, MaxDateValue = 0;

    virtual bool IsValidChar(char& Key);
    virtual void IncrementValue() { Step(1); }
    virtual void DecrementValue() { Step(-1); }
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    void Loaded() override;

private:
    // Writes the current value in the form of the spin type.
    void ApplySpinType();
    void Step(int Delta);
    void CheckValue();
    void WriteKeepingCaret(const std::string& Text);
    TXsgSpinButton* FButton = nullptr; // owned as a component
    TXsgSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    TDateTime FDateValue = 0, FTimeValue = 0; // as last set
};
