#include "controls/numeric/spinbutton.h"

#include "controls/numeric/spinlayout.h"
#include "platform/vcl/gfx/resources.h"

namespace {

constexpr int GlyphWidth = 9;
constexpr int GlyphHeight = 6;
constexpr TColor GlyphBack = clOlive; // transparent: the bottom-left pixel's colour

// The default glyphs are the unit's bitmap resources; a program may have
// registered its own arrows under these names before.
constexpr char UpResource[] = "VcSpinUp";
constexpr char DownResource[] = "VcSpinDown";

void RegisterSpinGlyphs() {
    static const bool registered = [] {
        for (const bool up : {true, false}) {
            const char* name = up ? UpResource : DownResource;
            if (!BitmapResourceExists(name))
                RegisterBitmapResource(name,
                                       [up](TBitmap& B) { B.Assign(MakeSpinGlyph(up).get()); });
        }
        return true;
    }();
    (void)registered;
}

} // namespace

std::unique_ptr<TBitmap> MakeSpinGlyph(bool Up) {
    auto bmp = std::make_unique<TBitmap>(2 * GlyphWidth, GlyphHeight);
    for (int x = 0; x < 2 * GlyphWidth; ++x)
        for (int y = 0; y < GlyphHeight; ++y)
            bmp->SetPixel(x, y, GlyphBack);
    // A triangle of rows 1, 3, 5 and 7 pixels wide, centred in each picture.
    for (int part = 0; part < 2; ++part) {
        const TColor ink = part == 0 ? clBlack : clGray;
        for (int row = 0; row < 4; ++row) {
            const int y = Up ? 1 + row : 4 - row;
            for (int x = 4 - row; x <= 4 + row; ++x)
                bmp->SetPixel(part * GlyphWidth + x, y, ink);
        }
    }
    return bmp;
}

TVcSpinButton::TVcSpinButton(TComponent* AOwner) : TSpinButtonPair(AOwner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} +
                    TControlStyle{csFramed, csOpaque});
    MakeButtons();
    FFocusedButton = FUpButton;
    for (TVcTimerSpeedBtn* b : {FUpButton, FDownButton}) {
        b->SetVisible(true);
        b->SetEnabled(true);
        b->OnMouseDown = [this](TObject*, TMouseButton Button, TShiftState, int, int) {
            BtnMouseDown(Button);
        };
    }
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    SetBounds(Left(), Top(), 15, 24);
}

namespace {

// nullptr puts the built-in arrow (normal and disabled) back.
void AssignGlyph(TVcTimerSpeedBtn* Button, const TBitmap* Value, bool Up) {
    if (Value) {
        Button->SetGlyph(Value);
        return;
    }
    RegisterSpinGlyphs();
    TBitmap standard;
    LoadBitmapResource(standard, Up ? UpResource : DownResource);
    Button->SetGlyph(&standard);
    Button->SetNumGlyphs(2);
    Button->Invalidate();
}

} // namespace

void TVcSpinButton::SetUpGlyph(const TBitmap* Value) {
    AssignGlyph(FUpButton, Value, true);
}
void TVcSpinButton::SetDownGlyph(const TBitmap* Value) {
    AssignGlyph(FDownButton, Value, false);
}

void TVcSpinButton::SetFocusControl(TWinControl* Value) {
    if (Value == FFocusControl) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TVcSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TVcSpinButton::SetInterval(int Value) {
    FUpButton->SetInterval(Value);
    FDownButton->SetInterval(Value);
}

void TVcSpinButton::SetStartDelay(int Value) {
    const unsigned delay = Value > 0 ? static_cast<unsigned>(Value) : 0;
    FUpButton->SetStartDelay(delay);
    FDownButton->SetStartDelay(delay);
}

void TVcSpinButton::SetEnabled(bool Value) {
    TWinControl::SetEnabled(Value);
    FUpButton->SetEnabled(Value);
    FDownButton->SetEnabled(Value);
}

void TVcSpinButton::BtnMouseDown(TMouseButton Button) {
    if (Button != mbLeft) return;
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() &&
        !FFocusControl->Focused()) {
        FFocusControl->SetFocus();
        return;
    }
    if (TabStop() && !Focused() && CanFocus()) SetFocus();
}

void TVcSpinButton::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_UP)
        FUpButton->Click();
    else if (Key == VK_DOWN)
        FDownButton->Click();
    TWinControl::KeyDown(Key, Shift);
}

void TVcSpinButton::AdjustSize(int& W, int& H) {
    if (!FUpButton || !FDownButton || HasState(csLoading)) return;
    TSpinButtonLayout l = SpinButtonLayout(W, H);
    // The buttons share the size the control gets, which its constraints may
    // make another than the one asked for.
    if (Constraints()) {
        int w = l.Width, h = l.Height;
        Constraints()->Apply(w, h);
        if (w != l.Width || h != l.Height) {
            const TSpinHalves halves = StackedSpinHalves(w, h, 0);
            l = {w, h, halves.Up, halves.Down};
        }
    }
    W = l.Width;
    H = l.Height;
    FUpButton->SetBoundsRect(l.Up);
    FDownButton->SetBoundsRect(l.Down);
}

void TVcSpinButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AdjustSize(AWidth, AHeight);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TVcSpinButton::WMSize(TMessage& Message) {
    TWinControl::WMSize(Message);
    int w = Width();
    int h = Height();
    AdjustSize(w, h);
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
    Message.Result = 0;
}

void TVcSpinButton::Loaded() {
    TWinControl::Loaded();
    int w = Width();
    int h = Height();
    AdjustSize(w, h);
    if (w != Width() || h != Height()) SetBounds(Left(), Top(), w, h);
}
