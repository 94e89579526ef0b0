// The in-place edit and the grid's side of editing: showing the edit over the
// current cell, writing typed text back at once, and hiding it again.
#include "platform/vcl/grids/gridaxis.h"

#include <QLineEdit>

#include <algorithm>

namespace {

// Character places of an edit mask: the part before the first ';', each
// escape ("\x") one place, the mask's own markers ('!', '>', '<') none.
int MaskPlaces(const std::string& Mask) {
    const std::string body = Mask.substr(0, Mask.find(';'));
    int places = 0;
    for (size_t i = 0; i < body.size(); ++i) {
        const char ch = body[i];
        if (ch == '!' || ch == '>' || ch == '<') continue;
        if (ch == '\\') ++i;
        ++places;
    }
    return places;
}

} // namespace

// --- TInplaceEdit -----------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    Edit()->setFrame(false);
    SetVisible(false);
    SetTabStop(false);
    AutoSelect = false;
}

void TInplaceEdit::Move(const TRect& Loc) {
    UpdateLoc(Loc);
    if (FGrid && (FGrid->Focused() || Focused())) SetFocus();
}

void TInplaceEdit::UpdateLoc(const TRect& Loc) {
    if (!FGrid) return;
    if (IsRectEmpty(Loc)) {
        SetVisible(false);
        return;
    }
    const int b = FGrid->BorderOffset();
    SetBounds(Loc.Left + b, Loc.Top + b, Loc.Width(), Loc.Height());
    SetVisible(true);
    BoundsChanged();
}

void TInplaceEdit::BoundsChanged() {
    SetMargins(2, 2);
}

void TInplaceEdit::UpdateContents() {
    if (!FGrid) return;
    FUpdating = true;
    FEditCol = FGrid->Col();
    FEditRow = FGrid->Row();
    const std::string mask = FGrid->GetEditMask(FEditCol, FEditRow);
    if (mask != EditMask()) SetEditMask(mask);
    int limit = FGrid->GetEditLimit();
    if (!mask.empty()) {
        const int places = MaskPlaces(mask);
        limit = limit > 0 ? std::min(limit, places) : places;
    }
    SetMaxLength(limit);
    SetText(FGrid->GetEditText(FEditCol, FEditRow));
    SetReadOnly(!FGrid->CanEditModify());
    SetModified(false);
    FUpdating = false;
}

void TInplaceEdit::Deselect() {
    SetSelStart(static_cast<int>(Text().size()));
    SetSelLength(0);
}

void TInplaceEdit::Change() {
    TCustomMaskEdit::Change();
    if (!FUpdating && FGrid && FEditCol >= 0) FGrid->SetEditText(FEditCol, FEditRow, Text());
}

void TInplaceEdit::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FGrid && FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

void TInplaceEdit::WndProc(TMessage& Message) {
    if (Message.Msg == CM_WANTSPECIALKEY) {
        const WORD key = static_cast<WORD>(Message.WParam);
        if (key == VK_RETURN || key == VK_ESCAPE) {
            Message.Result = 1;
            return;
        }
    }
    TCustomMaskEdit::WndProc(Message);
}

void TInplaceEdit::SendToGrid(WORD& Key, TShiftState Shift) {
    if (!FGrid) return;
    WORD key = Key;
    Key = 0;
    FGrid->KeyDown(key, Shift);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == 0 || !FGrid) return;
    const int len = static_cast<int>(Text().size());
    const bool nothingSelected = SelLength() == 0;
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
    case VK_RETURN:
        SendToGrid(Key, Shift);
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt)) SendToGrid(Key, Shift);
        break;
    case VK_LEFT:
    case VK_HOME:
        if (Shift.Contains(ssCtrl) || (nothingSelected && SelStart() == 0)) SendToGrid(Key, Shift);
        break;
    case VK_RIGHT:
    case VK_END:
        if (Shift.Contains(ssCtrl) || (nothingSelected && SelStart() == len))
            SendToGrid(Key, Shift);
        break;
    case VK_INSERT:
    case VK_DELETE:
    case VK_BACK:
        if (!FGrid->CanEditModify()) Key = 0;
        break;
    default:
        break;
    }
}

void TInplaceEdit::KeyPress(char& Key) {
    TCustomMaskEdit::KeyPress(Key);
    if (Key == 0 || !FGrid) return;
    // Enter, Escape and Tab did their work as keys; they type nothing.
    if (Key == '\r' || Key == '\x1b' || Key == '\t') {
        Key = 0;
        return;
    }
    if (static_cast<unsigned char>(Key) >= 32 &&
        (!FGrid->CanEditAcceptKey(Key) || !FGrid->CanEditModify()))
        Key = 0;
}

void TInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyUp(Key, Shift);
    if (Key != 0 && FGrid) FGrid->KeyUp(Key, Shift);
}

// --- the grid's side -----------------------------------------------------------------

TInplaceEdit* TCustomGrid::CreateEditor() {
    return new TInplaceEdit(this); // owned by the grid as a component
}

bool TCustomGrid::CanEditShow() {
    return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
           (FEditorMode || FOptions.Contains(goAlwaysShowEditor)) && !HasState(csDesigning);
}

std::string TCustomGrid::GetEditText(int ACol, int ARow) {
    std::string value;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const std::string& Value) {
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

std::string TCustomGrid::GetEditMask(int ACol, int ARow) {
    std::string value;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditorMode(bool Value) {
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor() {
    FEditorMode = true;
    UpdateEditor();
}

void TCustomGrid::ShowEditorChar(char Ch) {
    ShowEditor();
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    // The typed character replaces the cell's text, typed into the edit as
    // any other character, so the edit's own key handling (mask, length
    // limit, a descendant's filter) decides whether and how it lands.
    FInplaceEdit->SelectAll();
    FInplaceEdit->Perform(WM_CHAR, static_cast<unsigned char>(Ch));
}

void TCustomGrid::UpdateEditor() {
    if (!CanEditShow()) {
        HideEdit();
        return;
    }
    FEditorMode = true;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetGrid(this);
        FInplaceEdit->SetFont(Font());
        FInplaceEdit->SetParent(this);
    }
    const bool sameCell = FInplaceEdit->Visible() && FInplaceEdit->EditCol() == FCurrent.X &&
                          FInplaceEdit->EditRow() == FCurrent.Y;
    if (!sameCell) {
        FEditStartText = GetEditText(FCurrent.X, FCurrent.Y);
        FInplaceEdit->UpdateContents();
        FInplaceEdit->SelectAll();
    }
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::InvalidateEditor() {
    if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->UpdateContents();
}

void TCustomGrid::HideEditor() {
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::HideEdit() {
    if (!FInplaceEdit || !FInplaceEdit->Visible()) return;
    const bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->SetVisible(false);
    FInplaceEdit->FEditCol = FInplaceEdit->FEditRow = -1;
    if (hadFocus && CanFocus()) SetFocus();
    InvalidateCell(FCurrent.X, FCurrent.Y);
}
