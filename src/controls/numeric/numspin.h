#pragma once
// The numeric edit with an embedded spin button whose arrows step the value
// with auto-repeat. The arrows can be pressed only while the text shows the
// value (not while it is being edited or wrong) and only towards a limit not
// yet reached.

#include "controls/numeric/numedit.h"
#include "controls/numeric/spinbutton.h"

class TVcNumSpin : public TVcNumEdit {
public:
    explicit TVcNumSpin(TComponent* AOwner);
    ~TVcNumSpin() override;
    std::string ClassName() const override { return "TVcNumSpin"; }

    int Interval() const { return FButton->Interval(); }
    void SetInterval(int Value) { FButton->SetInterval(Value); }
    int StartDelay() const { return FButton->StartDelay(); }
    void SetStartDelay(int Value) { FButton->SetStartDelay(Value); }
    TVcSpinButton* SpinButton() const { return FButton; }

    void SetState(TNumEditState S) override;
    void LimitChanged() override;
    void SetEnabled(bool Value) override;

protected:
    void CreateWnd() override;
    void WMSize(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;

private:
    void UpdateArrows();
    void PlaceButton();
    void SetEditRect();

    TVcSpinButton* FButton = nullptr; // owned as a component
};
