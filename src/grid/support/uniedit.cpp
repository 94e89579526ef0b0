#include "grid/support/uniedit.h"

#include "platform/vcl/widetext.h"

std::u16string GetWideText(const TControl* Control) {
    return Control ? ControlWideText(*Control) : std::u16string();
}

void SetWideText(TControl* Control, const std::u16string& Text) {
    if (!Control || ControlWideText(*Control) == Text) return;
    SetControlWideText(*Control, Text);
    // An edit already told itself through its change notification.
    if (!dynamic_cast<TCustomEdit*>(Control)) Control->Perform(CM_TEXTCHANGED);
}

TCustomUNIEdit::TCustomUNIEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
    Font()->SetCharset(DEFAULT_CHARSET);
}
