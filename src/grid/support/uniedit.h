#pragma once
// The Unicode edit of the grid's wide-text editor: an edit whose text keeps
// every UTF-16 character (the native edit is Unicode; only the single-byte
// Text of the layer would lose what lies outside Windows-1252).

#include <string>

#include "platform/vcl/stdctrls.h"

// The wide caption of any control: the native wide text of edits, combo
// boxes and buttons, the converted single-byte text of others.
std::u16string GetWideText(const TControl* Control);
// Sets it when it differs, and tells the control (CM_TEXTCHANGED).
void SetWideText(TControl* Control, const std::u16string& Text);

class TCustomUNIEdit : public TCustomEdit {
public:
    explicit TCustomUNIEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomUNIEdit"; }
    std::u16string WideText() const { return GetWideText(this); }
    void SetWideText(const std::u16string& Value) { ::SetWideText(this, Value); }
};

class TXsgUniEdit : public TCustomUNIEdit {
public:
    explicit TXsgUniEdit(TComponent* AOwner) : TCustomUNIEdit(AOwner) {}
    std::string ClassName() const override { return "TXsgUniEdit"; }
    // The text is wide; single-byte code still reaches the converted text
    // through the base class.
    std::u16string Text() const { return WideText(); }
    using TCustomUNIEdit::SetText;
    void SetText(const std::u16string& Value) { SetWideText(Value); }
};
