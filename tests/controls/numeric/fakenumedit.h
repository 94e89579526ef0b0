#pragma once
// A numeric edit without a window: the text, selection and colour live in
// fields, beeps and focus requests are counted, and every change of the text
// is notified as an edit control does.

#include <string>

#include "controls/numeric/numeditcore.h"

class FakeNumEdit : public TObject, public TNumEditCore {
public:
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
    TNumColor Color = NumClWindow;
    int Beeps = 0;
    int FocusTaken = 0;
    int ErrorShown = 0;
    int Changes = 0; // OnChange
    bool ReadOnly = false;
    bool Designing = false;

    FakeNumEdit() {
        // As at creation: the text "0", whose change notification is skipped.
        SetNumText("0");
    }

    // The user types: the whole text becomes T.
    void Type(const std::string& T) { SetNumText(T); }
    // The user presses a key that gives a character; returns what reaches the edit.
    char Press(char Key) { return NumKeyPress(Key); }
    void Enter() { Press('\r'); }
    void KeyDown(uint16_t Key) { NumKeyDown(Key); }
    void Exit() { NumExit(); }
    void Commit(const std::string& T) {
        Type(T);
        Enter();
    }

protected:
    std::string NumText() const override { return Text; }
    void SetNumText(const std::string& T) override {
        if (T == Text) return;
        Text = T;
        NumTextChanged();
    }
    void SelectNumText(int Start, int Length) override {
        SelStart = Start;
        SelLength = Length;
    }
    void ApplyNumColor(TNumColor C) override { Color = C; }
    void ShowNumError() override { ++ErrorShown; }
    void NumBeep() override { ++Beeps; }
    void TakeNumFocus() override { ++FocusTaken; }
    bool NumReadOnly() const override { return ReadOnly; }
    bool NumDesigning() const override { return Designing; }
    void NumChanged() override { ++Changes; }
    TObject* NumSender() override { return this; }
};
