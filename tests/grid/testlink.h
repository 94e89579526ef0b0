#pragma once
// An application's edit link with a plain edit as its control.

#include <string>

#include "grid/editlink.h"
#include "platform/vcl/stdctrls.h"

class TTestLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    TEdit* Edit = nullptr; // owned by the grid it is made on
    void CreateEditor(TWinControl* AParent) override {
        if (Edit) return;
        Edit = new TEdit(AParent);
        Edit->SetParent(AParent);
    }
    TWinControl* GetEditControl() override { return Edit; }
    std::string GetEditorValue() override { return Edit->Text(); }
    void SetEditorValue(const std::string& Value) override { Edit->SetText(Value); }
};
