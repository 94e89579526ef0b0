#pragma once
// The numeric edit: a one-line edit holding one number, typed and shown in
// one of four bases, checked on every change, kept within optional limits,
// stepped with the arrow keys and coloured by its editing state. The number
// behaviour is TNumEditCore's; this class ties it to the edit control.

#include "controls/numeric/numeditcore.h"
#include "platform/vcl/stdctrls.h"

class TVcNumEdit : public TCustomEdit, public TNumEditCore {
public:
    explicit TVcNumEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TVcNumEdit"; }

    // A new parent makes the window, which commits the text (CreateWnd).
    void SetParent(TWinControl* AParent) override;

protected:
    // The window is made: its text is committed.
    virtual void CreateWnd() { StrToValue(true); }
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoExit() override;
    void SetTextValue(const std::string& Value) override;
    void CMParentColorChanged(TMessage& Message) override;
    void CMWantSpecialKey(TMessage& Message) override;

    std::string NumText() const override { return Text(); }
    void SetNumText(const std::string& Value) override;
    void SelectNumText(int Start, int Length) override;
    void ApplyNumColor(TNumColor Value) override { SetColor(Value); }
    void ShowNumError() override { Repaint(); }
    void NumBeep() override;
    void TakeNumFocus() override;
    bool NumReadOnly() const override { return ReadOnly(); }
    bool NumDesigning() const override { return HasState(csDesigning); }
    void NumChanged() override;
    TObject* NumSender() override { return this; }

private:
    bool FCoreText = false; // the text being set comes from the number engine
};
