#include "controls/numeric/numeditcore.h"

#include "platform/rtl/sysutils.h"

void TNumEditCore::SetColorDefault(TNumColor Value) {
    FColorDefault = Value;
    ApplyNumColor(Value);
}

void TNumEditCore::SetEditBase(TEditBase Value) {
    if (Value == FEditBase) return;
    FEditBase = Value;
    RestoreText();
}

void TNumEditCore::RestoreText() {
    TNumViews views;
    views.Value = FValue;
    views.AsInt = FValueAsInt;
    views.AsHex = FValueAsHex;
    views.AsBool = FValueAsBool;
    SetTextFormatting(NumViewText(views, FEditBase, FFormatStr));
    FLastText = NumText();
    SetState(esNormal);
}

void TNumEditCore::SetFormatStr(const std::string& Value) {
    if (Value == FFormatStr) return;
    FFormatStr = Value;
    if (FEditBase == ebFloat) SetTextFormatting(FormatFloat(FFormatStr, FValue));
    StrToValue(true);
}

void TNumEditCore::SetMaxValue(double Value) {
    if (Value == FMaxValue) return;
    FMaxValue = Value;
    if (FOptions.Contains(eoLimitMax) && FValue > FMaxValue)
        SetValue(FMaxValue);
    else
        RefreshLimits();
}

void TNumEditCore::SetMinValue(double Value) {
    if (Value == FMinValue) return;
    FMinValue = Value;
    if (FOptions.Contains(eoLimitMin) && FValue < FMinValue)
        SetValue(FMinValue);
    else
        RefreshLimits();
}

// A limit moved away from the value (or was switched off) must free the arrow
// that pointed at it; otherwise the control would stay stuck "at the limit".
void TNumEditCore::RefreshLimits() {
    LimitValue(FValue);
}

void TNumEditCore::SetOptions(TNumEditOptions Value) {
    if (Value == FOptions) return;
    FOptions = Value;
    if (!StrToValue(true) || NumText().empty()) RefreshLimits();
}

void TNumEditCore::SetValue(double Value) {
    if (Value != FValue) ValueToStr(LimitValue(Value));
}

void TNumEditCore::SetValueAsBool(const std::string& Value) {
    if (Value == NumText()) return;
    SetTextFormatting(FEditBase == ebBin ? Value : "&" + Value);
    StrToValue(true);
}

void TNumEditCore::SetValueAsHex(const std::string& Value) {
    if (Value == NumText()) return;
    SetTextFormatting(FEditBase == ebHex ? Value : "$" + Value);
    StrToValue(true);
}

void TNumEditCore::SetValueAsSingle(float Value) {
    // Compared by text, as ValueAsInt is: a text being edited is replaced too.
    if (FormatFloat(FFormatStr, Value) != NumText()) ValueToStr(LimitValue(Value));
}

void TNumEditCore::SetValueAsInt(int32_t Value) {
    // The limits do not apply on this path; the base's range does.
    if (IntToStr(Value) != NumText()) ValueToStr(Value);
}

void TNumEditCore::SetState(TNumEditState S) {
    if (S == FState) return;
    FState = S;
    switch (S) {
    case esNormal:
        ApplyNumColor(FColorDefault);
        break;
    case esEditing:
        ApplyNumColor(FColorEditing);
        break;
    case esError:
        ApplyNumColor(FColorError);
        ShowNumError();
        NumBeep();
        break;
    }
}

void TNumEditCore::LimitChanged() {
    if (OnLimit) OnLimit(NumSender());
}

void TNumEditCore::StoreLimitFlag(bool& Flag, bool Value) {
    if (Flag == Value) return;
    Flag = Value;
    LimitChanged();
}

double TNumEditCore::LimitValue(double V) {
    double result = V;
    const bool atMin = FOptions.Contains(eoLimitMin) && V <= FMinValue;
    if (atMin) result = FMinValue;
    StoreLimitFlag(FAtMin, atMin);
    const bool atMax = FOptions.Contains(eoLimitMax) && V >= FMaxValue;
    if (atMax) result = FMaxValue;
    StoreLimitFlag(FAtMax, atMax);
    return result;
}

bool TNumEditCore::StrToValue(bool Commit) {
    const std::string text = NumText();
    const TNumParse p = ParseNumberText(text, FEditBase);
    if (p.Empty) {
        SetState(esEditing);
        return true;
    }
    if (!p.Valid) {
        SetState(esError);
        TakeNumFocus();
        SelectNumText(p.FirstBad - 1, p.LastBad - p.FirstBad + 1);
        return false;
    }
    SetState(text == FLastText || Commit ? esNormal : esEditing);
    if (Commit) ValueToStr(LimitValue(p.Value));
    return true;
}

void TNumEditCore::SetTextFormatting(const std::string& Text) {
    const TFlagScope formatting(FFormatting);
    SetNumText(Text);
}

void TNumEditCore::ValueToStr(long double V) {
    const TNumViews views = MakeNumViews(V, FEditBase, FDigitsHex, FDigitsBool);
    FValue = views.Value;
    FValueAsSingle = views.AsSingle;
    FValueAsInt = views.AsInt;
    FValueAsHex = views.AsHex;
    FValueAsBool = views.AsBool;
    SetTextFormatting(NumViewText(views, FEditBase, FFormatStr));
    // The text now shows the value: no change notification is left to skip.
    FSkipNextChange = false;
    SetState(esNormal);
    const std::string text = NumText();
    if (FSkipValueChanged)
        FSkipValueChanged = false;
    else if (text != FLastText && OnValueChanged)
        OnValueChanged(NumSender());
    FLastText = text;
}

void TNumEditCore::Step(bool Up) {
    if (NumReadOnly() || (Up ? FAtMax : FAtMin)) {
        NumBeep();
        return;
    }
    double next;
    if (FOptions.Contains(eoMultiply) && FEditBase == ebFloat && FIncrement != 0 && FValue != 0)
        next = Up ? FValue * FIncrement : FValue / FIncrement;
    else
        next = Up ? FValue + FIncrement : FValue - FIncrement;
    SetValue(LimitValue(next));
    NumChanged();
}

void TNumEditCore::IncrementValue() {
    Step(true);
}
void TNumEditCore::DecrementValue() {
    Step(false);
}

void TNumEditCore::NumKeyDown(uint16_t Key) {
    if (Key == NumVkUp && !FAtMax)
        IncrementValue();
    else if (Key == NumVkDown && !FAtMin)
        DecrementValue();
    else {
        if (FState != esNormal && Key == NumVkEscape) RestoreText();
        NumChanged();
    }
}

char TNumEditCore::NumKeyPress(char Key) {
    if (!FEditorEnabled) {
        NumBeep();
        return '\0';
    }
    if (Key != '\r') return Key;
    if (NumText().empty()) SetNumText("0");
    StrToValue(true);
    return '\0';
}

void TNumEditCore::NumTextChanged() {
    if (FFormatting) return;
    if (FSkipNextChange) {
        FSkipNextChange = false;
        return;
    }
    // Before the first formatting (the text given at creation) the text is taken as committed.
    StrToValue(NumDesigning() || FValueAsBool.empty());
}

void TNumEditCore::NumExit() {
    if (NumText().empty()) SetNumText("0");
    StrToValue(true);
}
