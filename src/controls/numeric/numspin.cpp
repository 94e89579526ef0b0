#include "controls/numeric/numspin.h"

#include "controls/numeric/spinlayout.h"
#include "platform/vcl/scrollbars.h"

namespace {

// The height of a line of text in Font, as the text metrics give it.
int FontHeight(const TFont& Font) {
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(Font);
    return probe.Canvas()->TextHeight("0");
}

} // namespace

TVcNumSpin::TVcNumSpin(TComponent* AOwner) : TVcNumEdit(AOwner) {
    FButton = new TVcSpinButton(this); // owned by the edit
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    FButton->SetVisible(true);
    FButton->SetInterval(100);
    FButton->SetStartDelay(500);
    // Virtual calls, so that a derived control's steps take part.
    FButton->OnUpClick = [this](TObject*) { IncrementValue(); };
    FButton->OnDownClick = [this](TObject*) { DecrementValue(); };
    FButton->SetBounds(Width() - 11, 0, 16, Height() - 4);
    PlaceButton();
}

TVcNumSpin::~TVcNumSpin() {
    // The button goes first: a held arrow must not step a half-destroyed edit.
    delete FButton;
    FButton = nullptr;
}

void TVcNumSpin::UpdateArrows() {
    if (!FButton) return;
    const TSpinArrows a = NumSpinArrows(State(), FButton->Enabled(), AtMax(), AtMin());
    FButton->UpButton()->SetEnabled(a.Up);
    FButton->DownButton()->SetEnabled(a.Down);
}

void TVcNumSpin::SetState(TNumEditState S) {
    if (S == State()) return;
    TVcNumEdit::SetState(S);
    UpdateArrows();
}

void TVcNumSpin::LimitChanged() {
    // The state counts too: an arrow freed by a limit while the text is being
    // edited stays off until the text is committed.
    UpdateArrows();
    TVcNumEdit::LimitChanged();
}

void TVcNumSpin::SetEnabled(bool Value) {
    TVcNumEdit::SetEnabled(Value);
    if (!FButton) return;
    FButton->SetEnabled(Value);
    UpdateArrows();
}

void TVcNumSpin::CreateWnd() {
    TVcNumEdit::CreateWnd();
    if (FButton) SetEditRect();
}

void TVcNumSpin::WMSize(TMessage& Message) {
    TVcNumEdit::WMSize(Message);
    PlaceButton();
}

void TVcNumSpin::CMFontChanged(TMessage& Message) {
    TVcNumEdit::CMFontChanged(Message);
    PlaceButton();
}

void TVcNumSpin::PlaceButton() {
    if (!FButton) return;
    const int fontHeight = FontHeight(*Font());
    const TFont screenFont;
    const int minHeight =
        NumSpinMinHeight(fontHeight, FontHeight(screenFont), GetSystemMetrics(SM_CYBORDER));
    if (Height() < minHeight) {
        SetHeight(minHeight); // its size message places the button
        return;
    }
    FButton->SetBoundsRect(NumSpinButtonBounds(Width(), Height(), FButton->Width(), true));
    SetEditRect();
}

void TVcNumSpin::SetEditRect() {
    TRect r = NumSpinEditRect(ClientWidth(), ClientHeight(), FButton->Width());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}
