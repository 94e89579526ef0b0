#include "grid/editlink.h"

#include "grid/extgrid.h"
#include "grid/grideditors.h"

TEditLink::~TEditLink() {
    Unhook();
    ClosePopup();
}

void TEditLink::EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    bool ends = false;
    switch (Key) {
    case VK_TAB:
        ends = true;
        break;
    case VK_RETURN:
        ends = !WantKeyReturn;
        break;
    case VK_ESCAPE:
        ends = !WantKeyEscape;
        break;
    case VK_PRIOR:
    case VK_NEXT:
        ends = !WantKeyPriorNext;
        break;
    case VK_END:
        ends = !WantKeyHomeEnd;
        break;
    case VK_LEFT:
    case VK_RIGHT:
        ends = !WantKeyLeftRight;
        break;
    case VK_UP:
    case VK_DOWN:
        ends = !WantKeyUpDown;
        break;
    default:
        break;
    }
    if (!ends || !FGrid || !FGrid->ActiveCellEditor()) return;
    // The grid taking the focus deactivates a pop-up window: the key does
    // the closing, the deactivation only writes back.
    struct TKeyClose {
        bool& Flag;
        ~TKeyClose() { Flag = false; }
    } hold{FClosingByKey};
    FClosingByKey = true;
    FGrid->CellEditorKey(*FGrid->ActiveCellEditor(), Key, Shift);
}

void TEditLink::SetFocus(bool Value) {
    TWinControl* control = GetEditControl();
    if (control && FHooked != control) {
        Unhook();
        FHooked = control;
        FSavedProc = control->WindowProc;
        control->WindowProc = [this, control](TMessage& Message) {
            if (Message.Msg == WM_KEYDOWN) {
                WORD key = static_cast<WORD>(Message.WParam);
                EditKeyDown(control, key, KeyDataToShiftState(Message.LParam));
                if (key == 0) {
                    Message.Result = 0;
                    return;
                }
            }
            const TWndMethod saved = FSavedProc; // the call may unhook
            saved(Message);
            if (Message.Msg == WM_GETDLGCODE)
                Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
            else if (Message.Msg == WM_KILLFOCUS && FGrid && FHooked == control)
                FGrid->EditorFocusLost(control, true, GetEditorValue());
        };
    }
    if (Value && control)
        control->SetFocus();
    else if (FGrid)
        FGrid->SetFocus();
}

void TEditLink::SetRect(const TRect& R) {
    if (TWinControl* control = GetEditControl()) {
        const int line = FGrid ? FGrid->GridLineWidth() : 1;
        control->SetBounds(R.Left, R.Top, R.Width() - line, R.Height() - line);
    }
}

void TEditLink::SetVisible(bool Value) {
    if (TWinControl* control = GetEditControl()) control->SetVisible(Value);
}

void TEditLink::Unhook() {
    if (!FHooked) return;
    FHooked->WindowProc = FSavedProc;
    FHooked = nullptr;
}

void TEditLink::OpenPopup(const TPoint& Below, int CellWidth) {
    TWinControl* control = GetEditControl();
    if (!control) return;
    if (!FPopup) {
        FPopup = std::make_unique<TForm>(nullptr);
        FPopup->SetBorderStyle(bsNone);
        FPopup->OnDeactivate = [this](TObject*) { PopupDeactivate(); };
    }
    const int width = AutoPopupWidth ? CellWidth : PopupWidth;
    FPopup->SetBounds(Below.X, Below.Y, width, PopupHeight);
    // The grid keeps owning the control; the window only holds it while open.
    control->SetParent(FPopup.get());
    control->SetBounds(0, 0, width, PopupHeight);
    FPopup->SetVisible(true);
}

void TEditLink::ClosePopup() {
    if (!FPopup) return;
    if (TWinControl* control = GetEditControl(); control && FGrid) {
        control->SetVisible(false);
        control->SetParent(FGrid);
    }
    if (FInDeactivate) {
        // Closed from the window's own event: it goes once the event is done.
        FPopup->OnDeactivate = nullptr;
        FPopup->SetVisible(false);
        FPopup.release()->Release();
        return;
    }
    FPopup.reset();
}

void TEditLink::PopupDeactivate() {
    if (!FGrid || FInDeactivate || !GetEditControl()) return;
    auto* editor = dynamic_cast<TEditLinkEditor*>(FGrid->ActiveCellEditor());
    if (!editor || editor->Link != this) return;
    struct TDeactivating {
        bool& Flag;
        ~TDeactivating() { Flag = false; }
    } hold{FInDeactivate};
    FInDeactivate = true;
    const std::string value = GetEditorValue();
    const int col = FGrid->Col(), row = FGrid->Row();
    // Only a text editor of this very cell: another cell's must not get it.
    if (TInplaceEdit* edit = FGrid->InplaceEditor();
        edit && edit->EditCol() == col && edit->EditRow() == row)
        edit->SetText(value);
    FGrid->SetCellViaEdit(FGrid->RealColIndex(col), row, value);
    if (FClosingByKey) return;
    FGrid->SetEditorMode(false);
}
