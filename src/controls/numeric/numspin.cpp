#include "controls/numeric/numspin.h"

#include "controls/numeric/spinlayout.h"
#include "platform/vcl/regions.h"
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

void TVcNumSpin::CMCtl3DChanged(TMessage& Message) {
    TVcNumEdit::CMCtl3DChanged(Message);
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
    // The place is reckoned in the client area, (Width - w - 4, 0) in the 3-D
    // look. Here a child's place counts from the outer corner of the edit,
    // whose frame lies inside it: the sunken edge of the 3-D look, the single
    // line of the flat one. Moved by the frame, a Top of 2 is the first row
    // inside the sunken edge, the client area's top: the same place on screen.
    const bool look3D = Ctl3D();
    TRect r = NumSpinButtonBounds(Width(), Height(), FButton->Width(), look3D);
    const int frame = GetSystemMetrics(look3D ? SM_CXEDGE : SM_CXBORDER);
    OffsetRect(r, frame, frame);
    FButton->SetBoundsRect(r);
    // What reaches beyond the client area (the flat look's right edge) is
    // hidden under the frame, as a child window is clipped to its parent's client.
    const TRect client = Rect(frame, frame, Width() - frame, Height() - frame);
    TRect shown;
    IntersectRect(shown, FButton->BoundsRect(), client);
    if (shown == FButton->BoundsRect()) {
        SetWindowRgn(FButton, nullptr, true);
    } else {
        OffsetRect(shown, -FButton->Left(), -FButton->Top());
        SetWindowRgn(FButton, CreateRectRgn(shown.Left, shown.Top, shown.Right, shown.Bottom),
                     true);
    }
    SetEditRect();
}

void TVcNumSpin::SetEditRect() {
    TRect r = NumSpinEditRect(ClientWidth(), ClientHeight(), FButton->Width());
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}
