#pragma once
// What every spin button control has: an up and a down button of one kind,
// owned by the control and shown on it, whose clicks the control reports as
// OnUpClick and OnDownClick; the buttons' glyphs as the control's; and the
// arrow keys wanted from the dialog keys. The kinds of spin button add their
// layout, keys, focus rules and repeat behaviour.

#include "platform/vcl/controls.h"
#include "platform/vcl/spinhalves.h"

template <class TButton> class TSpinButtonPair : public TWinControl {
public:
    explicit TSpinButtonPair(TComponent* AOwner) : TWinControl(AOwner) {}

    TButton* UpButton() const { return FUpButton; }
    TButton* DownButton() const { return FDownButton; }

    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int Value) { FUpButton->SetNumGlyphs(Value); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int Value) { FDownButton->SetNumGlyphs(Value); }

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_WANTARROWS; }

    // Makes the up button, then the down button (owned by this control as
    // components); a click of either is reported as the control's event.
    void MakeButtons() {
        FUpButton = MakeButton();
        FDownButton = MakeButton();
    }

    TButton* FUpButton = nullptr;
    TButton* FDownButton = nullptr;

private:
    TButton* MakeButton() {
        auto* b = new TButton(this);
        b->SetParent(this);
        b->OnClick = [this](TObject* Sender) {
            if (Sender == FUpButton) {
                if (OnUpClick) OnUpClick(this);
            } else if (OnDownClick) {
                OnDownClick(this);
            }
        };
        return b;
    }
};
