#pragma once
// The behaviour of the numeric edit apart from its window: the value, the
// limits with their flags and events, the editing state and its colours,
// stepping, and what keys, text changes and focus changes do. The edit control
// supplies the window side (its text, selection, colour, beep, focus) through
// the protected hooks at the bottom.

#include <cstdint>
#include <string>

#include "controls/numeric/numbase.h"
#include "platform/rtl/classes.h"
#include "platform/rtl/sets.h"

enum TNumEditOption { eoLimitMax, eoLimitMin, eoMultiply };

using TNumEditOptions = TSet<TNumEditOption>;

enum TNumEditState { esNormal, esEditing, esError };

// Raises a flag for the life of the scope, putting back what it was.
class TFlagScope {
public:
    explicit TFlagScope(bool& Flag) : FFlag(Flag), FWas(Flag) { FFlag = true; }
    ~TFlagScope() { FFlag = FWas; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& FFlag;
    bool FWas;
};

// Colours as 24-bit values with red in the low byte; 0x80000000 + n is system colour n.
using TNumColor = int32_t;
constexpr TNumColor NumClWindow = static_cast<TNumColor>(0x80000005u);
constexpr TNumColor NumClRed = 0x0000FF;
constexpr TNumColor NumClLime = 0x00FF00;

// Virtual key codes the edit reacts to.
constexpr uint16_t NumVkEscape = 0x1B;
constexpr uint16_t NumVkUp = 0x26;
constexpr uint16_t NumVkDown = 0x28;

class TNumEditCore {
public:
    TNumEditCore() = default;
    TNumEditCore(const TNumEditCore&) = delete;
    TNumEditCore& operator=(const TNumEditCore&) = delete;
    virtual ~TNumEditCore() = default;

    TNumColor ColorDefault() const { return FColorDefault; }
    void SetColorDefault(TNumColor Value);
    TNumColor ColorError() const { return FColorError; }
    void SetColorError(TNumColor Value) { FColorError = Value; }
    TNumColor ColorEditing() const { return FColorEditing; }
    void SetColorEditing(TNumColor Value) { FColorEditing = Value; }
    int DigitsBool() const { return FDigitsBool; }
    void SetDigitsBool(int Value) { FDigitsBool = Value; }
    int DigitsHex() const { return FDigitsHex; }
    void SetDigitsHex(int Value) { FDigitsHex = Value; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    TEditBase EditBase() const { return FEditBase; }
    void SetEditBase(TEditBase Value);
    const std::string& FormatStr() const { return FFormatStr; }
    void SetFormatStr(const std::string& Value);
    float Increment() const { return FIncrement; }
    void SetIncrement(float Value) { FIncrement = Value; }
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double Value);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double Value);
    TNumEditOptions Options() const { return FOptions; }
    void SetOptions(TNumEditOptions Value);
    TNumEditState State() const { return FState; }
    double Value() const { return FValue; }
    void SetValue(double Value);
    const std::string& ValueAsBool() const { return FValueAsBool; }
    void SetValueAsBool(const std::string& Value);
    const std::string& ValueAsHex() const { return FValueAsHex; }
    void SetValueAsHex(const std::string& Value);
    float ValueAsSingle() const { return FValueAsSingle; }
    void SetValueAsSingle(float Value);
    int32_t ValueAsInt() const { return FValueAsInt; }
    void SetValueAsInt(int32_t Value);
    bool AtMax() const { return FAtMax; }
    bool AtMin() const { return FAtMin; }

    TNotifyEvent OnLimit;        // the at-limit flags changed
    TNotifyEvent OnValueChanged; // a formatting changed the text

    virtual void SetState(TNumEditState S);
    virtual void LimitChanged();
    virtual void IncrementValue();
    virtual void DecrementValue();

    // Validates the text (colouring and marking it); with Commit it also stores
    // and re-formats the value. False when the text is no number.
    bool StrToValue(bool Commit);
    // Stores a value (clamped into the base's range) and formats the text.
    void ValueToStr(long double V);
    // Applies the limits that are on and updates the at-limit flags.
    double LimitValue(double V);

    // What the edit control's window events do.
    void NumKeyDown(uint16_t Key);
    // Returns the character to hand on to the edit, '\0' when swallowed.
    char NumKeyPress(char Key);
    void NumTextChanged();
    void NumExit();

protected:
    virtual std::string NumText() const = 0;
    virtual void SetNumText(const std::string& Text) = 0;
    virtual void SelectNumText(int Start, int Length) = 0; // 0-based
    virtual void ApplyNumColor(TNumColor Color) = 0;
    // Shows the error colour at once, before the beep.
    virtual void ShowNumError() = 0;
    virtual void NumBeep() = 0;
    // Takes the focus when the control is enabled and visible and not being designed.
    virtual void TakeNumFocus() = 0;
    virtual bool NumReadOnly() const = 0;
    virtual bool NumDesigning() const = 0;
    virtual void NumChanged() = 0; // fires the control's OnChange
    virtual TObject* NumSender() = 0;

    // The text of the stored value in the current base, as a base change sets it.
    void RestoreText();

private:
    void Step(bool Up);
    void SetTextFormatting(const std::string& Text);
    void StoreLimitFlag(bool& Flag, bool Value);
    void RefreshLimits();

    TNumColor FColorDefault = NumClWindow;
    TNumColor FColorError = NumClRed;
    TNumColor FColorEditing = NumClLime;
    int FDigitsBool = 0;
    int FDigitsHex = 0;
    bool FEditorEnabled = true;
    TEditBase FEditBase = ebFloat;
    std::string FFormatStr = "#0.#";
    float FIncrement = 1.0F;
    double FMaxValue = 0;
    double FMinValue = 0;
    TNumEditOptions FOptions;
    TNumEditState FState = esNormal;
    double FValue = 0;
    std::string FValueAsBool;
    std::string FValueAsHex;
    float FValueAsSingle = 0;
    int32_t FValueAsInt = 0;

    std::string FLastText;
    bool FAtMax = false;
    bool FAtMin = false;
    bool FSkipValueChanged = true;
    bool FSkipNextChange = true;
    bool FFormatting = false; // the text being set is our own formatting
};
