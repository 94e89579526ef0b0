// What the grid does with the keyboard before, instead of or after the string
// grid's own cell navigation: Home and End by row, Tab across rows and out of
// the grid, fixed cells skipped, the clipboard shortcuts, Insert and Delete of
// rows, the whole area with Ctrl+A, disjunct row and column selection, typing
// that finds a row, and the keypad's decimal key.
#include <algorithm>

#include "grid/extgrid.h"

namespace {

bool IsArrow(WORD Key) {
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

bool IsNavigationKey(WORD Key) {
    return IsArrow(Key) || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
}

// The key data of a character carries the scan code in bits 16..23; the
// numeric keypad's keys have bit 6 of it set, the main keyboard's "." not.
constexpr LPARAM KeypadScanBit = LPARAM(0x40) << 16;

} // namespace

// --- helpers ---------------------------------------------------------------------------

int TExtStringGrid::FirstNormalCol() {
    const int fixed = TBaseGrid::FixedCols();
    return (fixed == 0 && HasNodes()) ? 1 : fixed;
}

int TExtStringGrid::VisibleFixedRightCols() const {
    int shown = FFixedRightCols;
    const int all = GetAllColCount();
    for (int c = std::max(0, all - FFixedRightCols); c < all; ++c)
        if (IsHiddenColumn(c)) --shown;
    return std::max(0, shown);
}

bool TExtStringGrid::HasCellControl(int ACol, int ARow) const {
    switch (GetCellType(RealColIndex(ACol), ARow)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRadio:
    case ctButton:
    case ctBitButton:
        return true;
    default:
        return false;
    }
}

bool TExtStringGrid::IsFixedAt(int ACol, int ARow) {
    bool fixed = false;
    IsFixedCell(RealColIndex(ACol), ARow, fixed);
    return fixed;
}

bool TExtStringGrid::CanDeleteRow(int ARow) {
    bool result = true;
    if (OnCanDeleteRow) OnCanDeleteRow(this, ARow, result);
    return result;
}

// --- Tab -------------------------------------------------------------------------------

void TExtStringGrid::TabToNextCell(bool Backward) {
    if (OnKeyDown) {
        WORD key = VK_TAB;
        OnKeyDown(this, key, Backward ? TShiftState{ssShift} : TShiftState{});
        if (key != VK_TAB) return;
    }
    const int firstCol = FirstNormalCol(), lastCol = LastNormalCol();
    const int firstRow = TBaseGrid::FixedRows(), lastRow = LastNormalRow();
    auto leave = [this, Backward] {
        if (!FNavigation->TabToNextAtEnd) return;
        if (TCustomForm* form = ParentForm()) form->SelectNext(this, !Backward, true);
    };
    if (lastCol < firstCol || lastRow < firstRow) {
        leave(); // nothing in the grid can take the focus
        return;
    }
    const bool down = FNavigation->TabAdvanceDirection == adTopBottom;
    int c = std::clamp(Col(), firstCol, lastCol), r = std::clamp(Row(), firstRow, lastRow);
    bool wrapped = false;
    // Each cell is tried at most once: cells that refuse the focus are passed
    // over, and when none takes it the Tab ends where it started.
    const long long cells =
        static_cast<long long>(lastCol - firstCol + 1) * (lastRow - firstRow + 1);
    for (long long step = 0; step < cells; ++step) {
        const TPoint base = GetBaseCell(RealColIndex(c), r);
        const TPoint span = GetCellSpan(base.X, base.Y);
        if (!Backward) {
            if (down) {
                r = base.Y + span.Y + 1;
                if (r > lastRow) {
                    r = firstRow;
                    if (++c > lastCol) {
                        c = firstCol;
                        wrapped = true;
                    }
                }
            } else {
                c = DisplColIndex(base.X + span.X) + 1;
                if (c > lastCol) {
                    c = firstCol;
                    if (++r > lastRow) {
                        r = firstRow;
                        wrapped = true;
                    }
                }
            }
        } else if (down) {
            r = base.Y - 1;
            if (r < firstRow) {
                r = lastRow;
                if (--c < firstCol) {
                    c = lastCol;
                    wrapped = true;
                }
            }
        } else {
            c = DisplColIndex(base.X) - 1;
            if (c < firstCol) {
                c = lastCol;
                if (--r < firstRow) {
                    r = lastRow;
                    wrapped = true;
                }
            }
        }
        if (wrapped && FNavigation->TabToNextAtEnd) {
            FocusCell(c, r, true);
            leave();
            return;
        }
        // The row, column and cell questions are asked here, once: a cell
        // they refuse is passed over.
        if (IsFixedAt(c, r) || !SelectCell(c, r)) continue;
        MoveToAskedCell(c, r);
        return;
    }
}

// --- key down ----------------------------------------------------------------------------

bool TExtStringGrid::SkipFixedCells(WORD Key) {
    int dx = 0, dy = 0;
    switch (Key) {
    case VK_LEFT:
        dx = -1;
        break;
    case VK_RIGHT:
        dx = 1;
        break;
    case VK_UP:
        dy = -1;
        break;
    case VK_DOWN:
        dy = 1;
        break;
    default:
        return false;
    }
    const int minCol = TBaseGrid::FixedCols(), maxCol = LastNormalCol();
    const int minRow = TBaseGrid::FixedRows(), maxRow = LastNormalRow();
    auto inside = [&](int c, int r) {
        return c >= minCol && c <= maxCol && r >= minRow && r <= maxRow;
    };
    int c = Col() + dx, r = Row() + dy;
    if (!inside(c, r) || !IsFixedAt(c, r)) {
        // The fixed right columns and the footers are never walked into.
        return !inside(c, r) && (dx > 0 ? c < ColCount() : dy > 0 ? r < RowCount() : false);
    }
    while (inside(c, r) && IsFixedAt(c, r)) {
        c += dx;
        r += dy;
    }
    if (inside(c, r)) FocusCell(c, r, true);
    return true;
}

void TExtStringGrid::InsertRowByKey(int ARow) {
    if (!CanInsertRow(ARow)) return;
    const int fixed = TBaseGrid::FixedRows();
    if (FNavigation->InsertPosition == pInsertAfter) {
        if (FixedRowAlways && RowCount() <= fixed) {
            AutoInsertRow(RowCount());
            FocusCell(Col(), RowCount() - 1, true);
            return;
        }
        // Below the current row, but never among the footers.
        const int at = std::min(ARow + 1, LastNormalRow() + 1);
        AutoInsertRow(at);
        FocusCell(Col(), at, true);
        return;
    }
    AutoInsertRow(std::max(ARow, fixed));
}

void TExtStringGrid::DeleteRowByKey(int ARow) {
    const int first = TBaseGrid::FixedRows(), last = LastNormalRow();
    // Only normal rows go: the headers and footers stay whatever row is current.
    if (last < first || ARow < first || ARow > last) return;
    if (!CanDeleteRow(ARow)) return;
    if (first == last && !FixedRowAlways) {
        // Removing the only normal row would turn the header into a normal row.
        ClearRows(ARow, 1);
        if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
        GridChanged();
        return;
    }
    AutoDeleteRow(ARow);
}

void TExtStringGrid::SelectByNavigationKey(WORD Key, TShiftState Shift) {
    const bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
    if (IsNavigationKey(Key)) {
        if (FMouseActions->DisjunctRowSelect()) {
            if (!shift && !ctrl) ClearRowSelect();
            if (!shift)
                SetRowSelect(RealRowIndex(Row()), true);
            else
                SelectRowsInSelection(false);
            RepaintRect({0, TopRow(), ColCount() - 1, RowCount() - 1});
        }
        if (FMouseActions->DisjunctColSelect()) {
            if (!shift && !ctrl) ClearColSelect();
            if (!shift)
                SetColSelect(Col(), true);
            else
                SelectColsInSelection(false);
            RepaintRect({LeftCol(), 0, ColCount() - 1, RowCount() - 1});
        }
    } else if (Key == VK_SPACE) {
        if (FMouseActions->DisjunctRowSelect()) {
            const int real = RealRowIndex(Row());
            SetRowSelect(real, !GetRowSelect(real));
            RepaintRow(Row());
        }
        if (FMouseActions->DisjunctColSelect()) {
            SetColSelect(Col(), !GetColSelect(Col()));
            RepaintCol(Col());
        }
    }
}

bool TExtStringGrid::ClipboardShortCut(WORD Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if (Shift.Contains(ssAlt) || ctrl == shift) return false;
    enum { None, Cut, Copy, Paste } action = None;
    if (ctrl)
        action = Key == 'X'                       ? Cut
                 : Key == 'V'                     ? Paste
                 : Key == 'C' || Key == VK_INSERT ? Copy
                                                  : None;
    else
        action = Key == VK_INSERT ? Paste : Key == VK_DELETE ? Cut : None;
    if (action == None) return false;
    // The application may refuse each transfer; Shift+Insert and Shift+Delete
    // ask the same question as the Ctrl keys they stand for.
    bool allow = true;
    const TClipboardEvent& ask = action == Cut    ? OnClipboardCut
                                 : action == Copy ? OnClipboardCopy
                                                  : OnClipboardPaste;
    if (ask) ask(this, allow);
    if (!allow) return true;
    if (action == Cut)
        CutSelectionToClipboard();
    else if (action == Copy)
        CopySelectionToClipboard();
    else
        PasteFromClipboard();
    return true;
}

void TExtStringGrid::KeyDown(WORD& Key, TShiftState Shift) {
    if (Key == 0) return;
    const WORD key = Key;
    const int r = Row();
    const int oldLeft = LeftCol();
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift),
               alt = Shift.Contains(ssAlt);
    FKeySelection = Selection();
    // A control in the cell takes Space (and a button Enter) before the
    // row selection or the editor see the key.
    if ((key == VK_SPACE || key == VK_RETURN) && !EditorMode() && CellControlKey(key)) {
        Key = 0;
        return;
    }

    if (key == VK_HOME || key == VK_END) {
        if (FNavigation->HomeEndKey == heFirstLastRow) {
            const int target = key == VK_HOME ? TBaseGrid::FixedRows() : LastNormalRow();
            if (target >= TBaseGrid::FixedRows()) SetRow(target);
            if (FMouseActions->DisjunctRowSelect()) {
                ClearRowSelect();
                SelectRowsInSelection(false);
            }
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
        if (Options().Contains(goRowSelect)) {
            if (key == VK_HOME) {
                SetCol(FirstNormalCol());
                SetLeftCol(FirstNormalCol());
            } else {
                SetCol(LastNormalCol());
                SetLeftCol(MaxLeftCol());
            }
            if (OnKeyDown) OnKeyDown(this, Key, Shift);
            Key = 0;
            return;
        }
    }
    if (key == VK_TAB && Options().Contains(goTabs)) {
        if (!alt) TabToNextCell(shift);
        Key = 0;
        return;
    }
    if (FNavigation->SkipFixedCells && IsArrow(key) && !EditorMode() && SkipFixedCells(key)) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
        Key = 0;
    }

    const bool wasEditing = EditorMode();
    if (Key != 0) TBaseGrid::KeyDown(Key, Shift);
    if (key == VK_RETURN && wasEditing && !EditorMode() && FNavigation->AdvanceOnEnter)
        AdvanceToNextCell(Col(), Row(), !shift, false, false);

    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll &&
        (key == VK_PRIOR || key == VK_NEXT || key == VK_UP || key == VK_DOWN) &&
        LeftCol() != oldLeft) {
        BeginUpdateCount();
        SetLeftCol(oldLeft);
        ResetUpdateCount();
        Invalidate();
    }
    if (SelectionRectangle() && !(Selection() == FKeySelection)) {
        RepaintCellRange(FKeySelection);
        RepaintCellRange(Selection());
        FKeySelection = Selection();
    }

    // An open editor keeps its own clipboard keys.
    if (FNavigation->AllowClipboardShortCuts && !EditorMode() && ClipboardShortCut(key, Shift))
        return;
    if (key == VK_INSERT && !ctrl && !shift && !alt && FNavigation->AllowInsertRow)
        InsertRowByKey(r);
    if (key == 'A' && ctrl &&
        (Options().Contains(goRangeSelect) || Options().Contains(goRowSelect))) {
        const int lastCol = LastNormalCol(), lastRow = LastNormalRow();
        if (lastCol >= FirstNormalCol() && lastRow >= TBaseGrid::FixedRows())
            SetSelection({FirstNormalCol(), TBaseGrid::FixedRows(), lastCol, lastRow});
        Invalidate();
    }
    if (!EditorMode()) SelectByNavigationKey(key, Shift);
    if (key == VK_DELETE && !alt && !shift && FNavigation->AllowDeleteRow && !EditorMode())
        DeleteRowByKey(r);
}

// --- characters ----------------------------------------------------------------------------

void TExtStringGrid::WMChar(TMessage& Message) {
    if (ExcelStyleDecimalSeparator && Message.WParam == '.' && (Message.LParam & KeypadScanBit))
        Message.WParam = static_cast<unsigned char>(FormatSettings().DecimalSeparator);
    TBaseGrid::WMChar(Message);
}

void TExtStringGrid::KeyPress(char& Key) {
    const auto ch = static_cast<unsigned char>(Key);
    if (FNavigation->AllowClipboardShortCuts && (ch == 3 || ch == 22 || ch == 24)) {
        Key = 0;
        return;
    }
    const bool control = HasCellControl(Col(), Row());
    if (FMouseActions->RangeSelectAndEdit && !control && ch >= 32 &&
        !Options().Contains(goEditing)) {
        bool canEdit = true;
        CanEditCell(RealColIndex(Col()), Row(), canEdit);
        if (canEdit) SetOptions(Options() + goEditing);
    }
    if (control && Key != '\r') {
        Key = 0;
        return;
    }
    // Only typed characters (and Backspace) make up the text a row is found
    // by: Enter, Esc or Tab would leave a lookup text nothing ever matches.
    if (ch >= 32 || Key == '\b') LookupKey(Key);
    TBaseGrid::KeyPress(Key);
}

void TExtStringGrid::KeyUp(WORD& Key, TShiftState Shift) {
    const WORD key = Key;
    if (IsNavigationKey(key) || key == VK_INSERT || key == VK_DELETE) FLookupText.clear();
    TBaseGrid::KeyUp(Key, Shift);
    if (FNavigation->AlwaysEdit && key == VK_TAB && Options().Contains(goTabs) &&
        !HasCellControl(Col(), Row()) && !EditorMode())
        SetEditorMode(true);
}

void TExtStringGrid::WMGetDlgCode(TMessage& Message) {
    if (Options().Contains(goTabs)) {
        TBaseGrid::WMGetDlgCode(Message);
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTTAB;
        return;
    }
    TBaseGrid::WMGetDlgCode(Message);
}

void TExtStringGrid::CMDialogChar(TMessage& Message) {
    // Accelerators only with Alt: a plain letter belongs to the grid.
    if (GetKeyState(VK_MENU) < 0)
        TBaseGrid::CMDialogChar(Message);
    else
        Message.Result = 0;
}
