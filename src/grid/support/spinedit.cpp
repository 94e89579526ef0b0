#include "grid/support/spinedit.h"

#include <algorithm>

#include "platform/vcl/editalign.h"
#include "platform/vcl/editkeys.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/gfx/resources.h"

// --- TExtTimerSpeedButton -------------------------------------------------------

TExtTimerSpeedButton::TExtTimerSpeedButton(TComponent* AOwner) : TThemedSpeedButton(AOwner) {}
TExtTimerSpeedButton::~TExtTimerSpeedButton() = default;

void TExtTimerSpeedButton::Click() {
    if (FSwallowClick) {
        FSwallowClick = false;
        return;
    }
    TSpeedButton::Click();
}

void TExtTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled() || !AllowTimer) return;
    FHeld = true;
    if (!FRepeatTimer) {
        FRepeatTimer = std::make_unique<TTimer>(nullptr);
        FRepeatTimer->SetOnTimer([this](TObject*) { TimerExpired(); });
    }
    FRepeatTimer->SetInterval(400);
    FRepeatTimer->SetEnabled(true);
    Click(); // the first step comes with the press
    FSwallowClick = true;
    if (Parent()) Parent()->Invalidate();
}

void TExtTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FHeld = false;
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    FSwallowClick = false;
    if (Parent()) Parent()->Invalidate();
}

void TExtTimerSpeedButton::TimerExpired() {
    if (FRepeatTimer) FRepeatTimer->SetInterval(100);
    if (!FHeld) return;
    FSwallowClick = false;
    Click();
    FSwallowClick = true;
}

void TExtTimerSpeedButton::WMEraseBkgnd(TMessage& Message) {
    // A transparent face shows what lies below, so no background is laid first.
    if (Transparent) {
        Message.Result = 1;
        return;
    }
    TThemedSpeedButton::WMEraseBkgnd(Message);
}

void TExtTimerSpeedButton::Paint() {
    TButtonLook look = Look(FHeld);
    look.Transparent = Transparent;
    DrawSpinArrowButton(*Canvas(), ClientRect(), Arrow, look);
}

// --- TXsgSpinButton -------------------------------------------------------------

namespace {

constexpr char SpinUpResource[] = "XsgSpinUp";
constexpr char SpinDownResource[] = "XsgSpinDown";

// The standard arrows: a small black triangle on the button face.
void MakeSpinArrow(TBitmap& Bitmap, bool Up) {
    Bitmap.SetSize(9, 5);
    TCanvas* c = Bitmap.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect({0, 0, 9, 5});
    c->Pen()->SetColor(clBlack);
    for (int i = 0; i < 5; ++i) {
        const int y = Up ? 4 - i : i;
        c->MoveTo(i, y);
        c->LineTo(9 - i, y);
    }
}

// Registered once, when the first spin button is made; a program may have
// registered its own arrows under these names before.
void RegisterSpinArrows() {
    static const bool registered = [] {
        if (!BitmapResourceExists(SpinUpResource))
            RegisterBitmapResource(SpinUpResource, [](TBitmap& B) { MakeSpinArrow(B, true); });
        if (!BitmapResourceExists(SpinDownResource))
            RegisterBitmapResource(SpinDownResource, [](TBitmap& B) { MakeSpinArrow(B, false); });
        return true;
    }();
    (void)registered;
}

void SetGlyphOrResource(TSpeedButton& Button, const TBitmap* Value, const char* Resource) {
    if (Value) {
        Button.SetGlyph(Value);
        return;
    }
    TBitmap standard;
    LoadBitmapResource(standard, Resource);
    Button.SetGlyph(&standard);
}

} // namespace

void TXsgSpinButton::SetUpGlyph(const TBitmap* Value) {
    SetGlyphOrResource(*FUpButton, Value, SpinUpResource);
}

void TXsgSpinButton::SetDownGlyph(const TBitmap* Value) {
    SetGlyphOrResource(*FDownButton, Value, SpinDownResource);
}

TXsgSpinButton::TXsgSpinButton(TComponent* AOwner) : TSpinButtonPair(AOwner) {
    MakeButtons();
    FUpButton->Arrow = saUp;
    FDownButton->Arrow = saDown;
    for (TExtTimerSpeedButton* b : {FUpButton, FDownButton})
        b->OnMouseDown = [this, b](TObject*, TMouseButton Button, TShiftState, int, int) {
            if (Button == mbLeft) ButtonPressed(b);
        };
    RegisterSpinArrows();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FFocusedButton = FUpButton;
    SetTabStop(true);
    SetBounds(0, 0, 15, 25);
}

void TXsgSpinButton::ButtonPressed(TExtTimerSpeedButton* Button) {
    FFocusedButton = Button;
    if (FocusControl && FocusControl->CanFocus() && !FocusControl->Focused())
        FocusControl->SetFocus();
}

void TXsgSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int minWidth = FDirection == spVertical ? SpinMinWidth : 20;
    TWinControl::SetBounds(ALeft, ATop, std::max(AWidth, minWidth), AHeight);
    Layout();
}

void TXsgSpinButton::Layout() {
    if (!FUpButton || !FDownButton) return;
    const int w = Width(), h = Height();
    if (FDirection == spVertical) {
        // The two buttons share one pixel line.
        const TSpinHalves halves = StackedSpinHalves(w, h, 1);
        FUpButton->SetBoundsRect(halves.Up);
        FDownButton->SetBoundsRect(halves.Down);
    } else {
        FDownButton->SetBounds(0, 0, w / 2, h);
        FUpButton->SetBounds(w / 2 + 1, 0, w / 2, h);
    }
}

void TXsgSpinButton::SetDirection(TSpinDirection Value) {
    if (Value == FDirection) return;
    FDirection = Value;
    FUpButton->Arrow = Value == spVertical ? saUp : saRight;
    FDownButton->Arrow = Value == spVertical ? saDown : saLeft;
    SetBounds(Left(), Top(), Value == spVertical ? 15 : 20, Height());
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TXsgSpinButton::SetFlat(bool Value) {
    FUpButton->SetFlat(Value);
    FDownButton->SetFlat(Value);
}

void TXsgSpinButton::SetTransparent(bool Value) {
    FUpButton->Transparent = FDownButton->Transparent = Value;
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TXsgSpinButton::WMEraseBkgnd(TMessage& Message) {
    // Between and behind transparent buttons the control it sits on shows.
    if (Transparent()) {
        Message.Result = 1;
        return;
    }
    TSpinButtonPair::WMEraseBkgnd(Message);
}

void TXsgSpinButton::Loaded() {
    TWinControl::Loaded();
    Layout();
}

void TXsgSpinButton::SetIsWinXP(bool Value) {
    FUpButton->IsWinXP = FDownButton->IsWinXP = Value;
    Invalidate();
}

void TXsgSpinButton::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        FFocusedButton->Click();
    } else if (Key == VK_UP) {
        FFocusedButton = FUpButton;
        FUpButton->Click();
    } else if (Key == VK_DOWN) {
        FFocusedButton = FDownButton;
        FDownButton->Click();
    } else {
        TWinControl::KeyDown(Key, Shift);
    }
}

// --- TXsgSpinEdit ---------------------------------------------------------------

TXsgSpinEdit::TXsgSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FButton = new TXsgSpinButton(this); // owned by the edit
    FButton->SetParent(this);
    FButton->FocusControl = this;
    FButton->OnUpClick = [this](TObject*) { IncrementValue(); };
    FButton->OnDownClick = [this](TObject*) { DecrementValue(); };
    FButton->SetTabStop(false);
    SetText("0");
    SetBounds(0, 0, 80, 21);
}

void TXsgSpinEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FButton) return;
    // The button sits at the right edge inside the border; the text ends 2 pixels
    // before it.
    FButton->SetBounds(Width() - 15 - 2, 2, FButton->Width(), std::max(1, Height() - 4));
    SetMargins(0, FButton->Width() + 2);
}

int TXsgSpinEdit::Value() const {
    return StrToInt(Trim(Text()));
}

void TXsgSpinEdit::SetValue(int NewValue) {
    SetText(IntToStr(ClampSpinInt(NewValue, MinValue, MaxValue)));
    if (!EditorEnabled) SelectAll();
}

double TXsgSpinEdit::FloatValue() const {
    return StrToFloat(Trim(Text()));
}

void TXsgSpinEdit::SetFloatValue(double NewValue) {
    SetText(FormatSpinFloat(ClampSpinFloat(NewValue, MinFloatValue, MaxFloatValue), FPrecision));
}

TDateTime TXsgSpinEdit::DateValue() const {
    const std::string t = Trim(Text());
    if (t.empty() || t == "0") return Date();
    return StrToDate(t);
}

namespace {

TDateTime ClampDate(TDateTime Value, TDateTime Min, TDateTime Max) {
    if (Min == Max) return Value;
    return std::clamp(Value, std::min(Min, Max), std::max(Min, Max));
}

} // namespace

void TXsgSpinEdit::SetDateValue(TDateTime NewValue) {
    FDateValue = ClampDate(NewValue, MinDateValue, MaxDateValue);
    if (!HasState(csLoading)) WriteKeepingCaret(DateToStr(FDateValue));
}

TDateTime TXsgSpinEdit::TimeValue() const {
    TDateTime t = 0;
    if (!TryStrToTime(Trim(Text()), t)) throw EConvertError("'" + Text() + "' is not a valid time");
    return t;
}

void TXsgSpinEdit::SetTimeValue(TDateTime NewValue) {
    FTimeValue = NewValue;
    if (!HasState(csLoading)) WriteKeepingCaret(TimeToStr(FTimeValue));
}

void TXsgSpinEdit::WriteKeepingCaret(const std::string& Text) {
    const int caret = SelStart();
    SetText(Text);
    SetSelStart(std::min(caret, static_cast<int>(Text.size())));
}

void TXsgSpinEdit::SetSpinType(TXsgSpinType Value) {
    if (Value == FSpinType) return;
    FSpinType = Value;
    ApplySpinType();
}

void TXsgSpinEdit::ApplySpinType() {
    // The value read in the old kind is written in the new one.
    double number = 0;
    TDateTime date = 0;
    const bool wasNumber = TryStrToFloat(Trim(Text()), number);
    const bool wasDate = TryStrToDate(Trim(Text()), date) || TryStrToTime(Trim(Text()), date);
    switch (FSpinType) {
    case sptNormal:
        SetValue(wasNumber ? static_cast<int>(Round(number)) : 0);
        break;
    case sptFloat:
        SetFloatValue(wasNumber ? number : 0);
        break;
    case sptDate:
        SetDateValue(wasDate ? date : Date());
        break;
    case sptTime:
        SetTimeValue(wasDate ? date - static_cast<int>(date) : 0);
        break;
    }
}

void TXsgSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (FSpinType == sptDate) SetText(DateToStr(FDateValue));
    if (FSpinType == sptTime) SetText(TimeToStr(FTimeValue));
    ApplySpinType();
}

void TXsgSpinEdit::SetSpinTransparent(bool Value) {
    FButton->SetTransparent(Value);
    SetBounds(Left(), Top(), Width(), Height());
}

void TXsgSpinEdit::SetPrecision(int Value) {
    FPrecision = Value;
    double number = 0;
    if (FSpinType == sptFloat && TryStrToFloat(Trim(Text()), number)) SetFloatValue(number);
}

void TXsgSpinEdit::SetDirection(TSpinDirection Value) {
    FButton->SetDirection(Value);
    SetBounds(Left(), Top(), Width(), Height());
}

void TXsgSpinEdit::Step(int Delta) {
    if (ReadOnly()) {
        MessageBeep(0);
        return;
    }
    switch (FSpinType) {
    case sptNormal:
        SetValue(Value() + Delta * Increment);
        break;
    case sptFloat:
        SetFloatValue(FloatValue() + Delta * IncrementFloat);
        break;
    case sptDate:
        SetDateValue(StepDatePart(DateValue(), DatePartAt(Text(), SelStart()), Delta));
        break;
    case sptTime:
        SetTimeValue(StepTimePart(TimeValue(), TimePartAt(Text(), SelStart()), Delta));
        break;
    }
}

void TXsgSpinEdit::CheckValue() {
    // Back within the limits; text that is no value is left for the user to correct.
    try {
        switch (FSpinType) {
        case sptNormal:
            SetValue(Value());
            break;
        case sptFloat:
            SetFloatValue(FloatValue());
            break;
        case sptDate:
            SetDateValue(DateValue());
            break;
        case sptTime: {
            // Times are bound by the time of day of the limits.
            const TDateTime t = TimeValue();
            const TDateTime bound = ClampDate(t, Frac(MinDateValue), Frac(MaxDateValue));
            if (bound != t) SetTimeValue(bound);
            break;
        }
        }
    } catch (const EConvertError&) {
    }
}

bool TXsgSpinEdit::IsValidChar(char& Key) {
    if (!EditorEnabled && static_cast<unsigned char>(Key) >= 0x20) return false;
    return IsValidSpinChar(Key, FSpinType, Text(), SelStart(), SelLength(), FPrecision);
}

void TXsgSpinEdit::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_CUT || Message.Msg == WM_PASTE) && (!EditorEnabled || ReadOnly()))
        return;
    TCustomMaskEdit::WndProc(Message);
}

void TXsgSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_UP) {
        IncrementValue();
        Key = 0;
        return;
    }
    if (Key == VK_DOWN) {
        DecrementValue();
        Key = 0;
        return;
    }
    if (Key == VK_RETURN && ReturnIsTab) {
        Key = 0;
        PostMessage(this, WM_KEYDOWN, VK_TAB, 0);
        return;
    }
    if ((Key == VK_DELETE && !EditorEnabled) ||
        (IsCutOrPasteKey(Key, Shift) && (!EditorEnabled || ReadOnly()))) {
        Key = 0;
        return;
    }
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TXsgSpinEdit::KeyPress(char& Key) {
    // The characters of Ctrl+X, Ctrl+V and Backspace reach the native edit as
    // edits of their own.
    const bool editing = Key == '\x18' || Key == '\x16' || Key == '\b';
    if (editing && (!EditorEnabled || ReadOnly())) {
        Key = 0;
        return;
    }
    if (!IsValidChar(Key)) {
        Key = 0;
        MessageBeep(0);
        return;
    }
    TCustomMaskEdit::KeyPress(Key);
}

void TXsgSpinEdit::DoExit() {
    CheckValue();
    TCustomMaskEdit::DoExit();
}

TAlignment TXsgSpinEdit::EditAlign() const {
    return EditAlignment(*this);
}

void TXsgSpinEdit::SetEditAlign(TAlignment Value) {
    SetEditAlignment(*this, Value);
}
