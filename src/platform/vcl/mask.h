#pragma once
// The edit with an edit mask ("!99/99/0000;1;_": the picture, whether literals
// are kept in Text, the blank character).

#include "platform/vcl/stdctrls.h"

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    std::string ClassName() const override { return "TCustomMaskEdit"; }
    const std::string& EditMask() const { return FEditMask; }
    // An empty mask makes a plain edit.
    void SetEditMask(const std::string& Value);
    // The text without the mask's literals and blanks (when the mask keeps no literals).
    std::string EditText() const { return Text(); }

private:
    std::string FEditMask;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
    std::string ClassName() const override { return "TMaskEdit"; }
};

// The platform's edit mask in Qt's input-mask words ("" for an empty mask).
std::string QtInputMask(const std::string& EditMask);
