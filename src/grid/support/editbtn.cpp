#include "grid/support/editbtn.h"

#include <algorithm>

#include "platform/vcl/editalign.h"
#include "platform/vcl/editkeys.h"

// --- TExtSpeedButton ------------------------------------------------------------

void TExtSpeedButton::Paint() {
    const TButtonLook look = Look(Down());
    DrawEditButtonFace(*Canvas(), ClientRect(), look);
    PaintGlyphAndCaption(look.Pressed);
}

// --- TXsgEditButton -------------------------------------------------------------

TXsgEditButton::TXsgEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    FButton = new TExtSpeedButton(this); // owned by this control
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) {
        if (OnClick) OnClick(this);
    };
    SetBounds(0, 0, 20, 25);
}

void TXsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FButton) FButton->SetBounds(0, 0, std::max(15, Width()), Height());
}

// --- TXsgEditBtn ----------------------------------------------------------------

TXsgEditBtn::TXsgEditBtn(TComponent* AOwner) : TCustomEdit(AOwner) {
    FButton = new TXsgEditButton(this); // owned by the edit
    FButton->SetParent(this);
    FButton->FocusControl = this;
    FButton->SetTabStop(false);
    FButton->OnClick = [this](TObject*) { ClickButton(); };
    FButton->SetBounds(0, 0, 18, 18);
    SetText("0");
    SetBounds(0, 0, 121, 21);
}

void TXsgEditBtn::SetRightAlign(bool Value) {
    FRightAlign = Value;
    SetEditAlignment(*this, Value ? taRightJustify : taLeftJustify);
}

void TXsgEditBtn::SetIsWinXP(bool Value) {
    FButton->Button()->IsWinXP = Value;
    FButton->Button()->Invalidate();
}

void TXsgEditBtn::ClickButton() {
    if (OnClickBtn) OnClickBtn(this);
}

void TXsgEditBtn::SetButtonWidth(int Value) {
    FButton->SetWidth(Value);
    PlaceButton();
}

void TXsgEditBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // Never lower than the font needs: its height plus a quarter of it.
    const int fontHeight = std::abs(Font()->Height());
    TCustomEdit::SetBounds(ALeft, ATop, AWidth, std::max(AHeight, fontHeight + fontHeight / 4));
    PlaceButton();
}

void TXsgEditBtn::PlaceButton() {
    if (!FButton) return;
    const int w = FButton->Width();
    FButton->SetBounds(Width() - w - 1, 1, w, std::max(1, Height() - 3));
    SetMargins(0, w + 3 + ExtraRightSpace());
}

void TXsgEditBtn::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR:
        if (!EditorEnabled) return;
        break;
    case WM_CUT:
    case WM_PASTE:
        if (!EditorEnabled || ReadOnly()) return;
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(Message);
}

void TXsgEditBtn::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == VK_F4) {
        ClickButton();
        Key = 0;
        return;
    }
    if (IsCutOrPasteKey(Key, Shift) && (!EditorEnabled || ReadOnly())) {
        Key = 0;
        return;
    }
    TCustomEdit::KeyDown(Key, Shift);
}

// --- TXsgUnitEditBtn ------------------------------------------------------------

TUnitLabel::TUnitLabel(TComponent* AOwner) : TCustomControl(AOwner) {
    SetColor(clWindow);
}

void TUnitLabel::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    DrawText(*c, Caption(), r, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
}

TXsgUnitEditBtn::TXsgUnitEditBtn(TComponent* AOwner)
    : TXsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
    SetRightAlign(true);
    FLabel = new TUnitLabel(this); // owned by the edit
    FLabel->SetParent(this);
    PlaceButton();
    PlaceLabel();
}

TXsgUnitEditBtn::~TXsgUnitEditBtn() = default;

void TXsgUnitEditBtn::PlaceLabel() {
    if (!FLabel) return;
    const int right = Width() - ButtonWidth() - 3;
    FLabel->SetBounds(right - FUnitSpace, 2, FUnitSpace, std::max(1, Height() - 4));
}

void TXsgUnitEditBtn::SetUnitID(const std::string& Value) {
    FUnitID = Value;
    FLabel->SetCaption(Value);
    FLabel->Invalidate();
}

void TXsgUnitEditBtn::SetUnitSpace(int Value) {
    FUnitSpace = std::max(0, Value);
    PlaceButton();
    PlaceLabel();
}

void TXsgUnitEditBtn::ClickButton() {
    FMenu = std::make_unique<TPopupMenu>(nullptr);
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(nullptr); // owned by the menu once added
        item->Caption = FUnits->Get(i);
        item->OnClick = [this, i](TObject*) {
            if (i < FUnits->Count()) SetUnitID(FUnits->Get(i));
        };
        FMenu->Items()->Add(item);
    }
    const TPoint at = ClientToScreen({Width() - 15, Height()});
    FMenu->Popup(at.X, at.Y);
}

void TXsgUnitEditBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TXsgEditBtn::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceLabel();
}
