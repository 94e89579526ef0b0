#include "controls/numeric/numedit.h"

#include "platform/vcl/forms.h"

namespace {

// Set while an edit takes the focus back for a wrong text, so that another
// one losing the focus meanwhile does not pull it away again.
bool gReclaimingFocus = false;

} // namespace

TVcNumEdit::TVcNumEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetControlStyle(ControlStyle() - csSetCaption);
    SetWidth(65);
    ApplyNumColor(ColorDefault());
    SetNumText("0"); // its change notification is the one skipped at creation
}

void TVcNumEdit::SetParent(TWinControl* AParent) {
    const TWinControl* was = Parent();
    TCustomEdit::SetParent(AParent);
    if (AParent && AParent != was) CreateWnd();
}

void TVcNumEdit::SetNumText(const std::string& Value) {
    const TFlagScope fromCore(FCoreText);
    SetText(Value);
}

void TVcNumEdit::SetTextValue(const std::string& Value) {
    TCustomEdit::SetTextValue(Value);
    // Text that code gives before the window is shown is the control's
    // starting text: it is committed as the window's creation would.
    if (!FCoreText && !(Parent() && Showing())) StrToValue(true);
}

void TVcNumEdit::Change() {
    Perform(CM_TEXTCHANGED);
    NumTextChanged(); // OnChange belongs to steps and keys, not to text changes
}

void TVcNumEdit::KeyDown(WORD& Key, TShiftState Shift) {
    const auto alive = AliveToken();
    NumKeyDown(Key);
    if (!alive.expired()) TCustomEdit::KeyDown(Key, Shift);
}

void TVcNumEdit::KeyPress(char& Key) {
    const auto alive = AliveToken();
    Key = NumKeyPress(Key);
    if (!alive.expired()) TCustomEdit::KeyPress(Key);
}

void TVcNumEdit::DoExit() {
    const auto alive = AliveToken();
    TCustomEdit::DoExit();
    if (!alive.expired()) NumExit();
}

void TVcNumEdit::CMParentColorChanged(TMessage& Message) {
    TCustomEdit::CMParentColorChanged(Message);
    if (ParentColor()) SetColorDefault(Color());
}

void TVcNumEdit::CMWantSpecialKey(TMessage& Message) {
    // Enter commits the text here rather than pressing the form's default
    // button; Esc restores a text being edited rather than closing the form.
    const WORD key = static_cast<WORD>(Message.WParam);
    if (key == VK_RETURN || (key == VK_ESCAPE && State() != esNormal))
        Message.Result = 1;
    else
        TCustomEdit::CMWantSpecialKey(Message);
}

void TVcNumEdit::SelectNumText(int Start, int Length) {
    SetSelStart(Start);
    SetSelLength(Length);
}

void TVcNumEdit::NumBeep() {
    Beep();
}

void TVcNumEdit::TakeNumFocus() {
    if (gReclaimingFocus || !Enabled() || !Showing() || HasState(csDesigning) || !CanFocus() ||
        Focused())
        return;
    const TFlagScope reclaiming(gReclaimingFocus);
    SetFocus();
}

void TVcNumEdit::NumChanged() {
    if (OnChange) OnChange(this);
}
