// Keyboard, mouse and wheel: moving the current cell, selecting ranges,
// sizing and moving rows and columns by dragging.
#include "platform/vcl/grids/gridaxis.h"

#include <algorithm>
#include <cstdlib>

namespace {

// How near (in pixels) to a grid line the mouse sizes instead of selecting.
constexpr int SizingSlack = 2;

bool IsMouseMessage(UINT Msg) {
    return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK;
}

} // namespace

void TCustomGrid::ClientWndProc(TMessage& Message) {
    // Mouse positions arrive in widget coordinates; the cells live in client
    // coordinates inside the border. They are turned before any WndProc sees
    // them, so a descendant's WndProc reads the same points as its mouse
    // handlers.
    if (!IsMouseMessage(Message.Msg)) {
        WndProc(Message);
        return;
    }
    const LPARAM widgetPos = Message.LParam;
    const int b = BorderOffset();
    FLastMousePoint = {SignedLo(widgetPos) - b, SignedHi(widgetPos) - b};
    Message.LParam = MakeLParam(FLastMousePoint.X, FLastMousePoint.Y);
    WndProc(Message);
    Message.LParam = widgetPos;
}

void TCustomGrid::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_VSCROLL:
        WMVScroll(Message);
        break;
    case WM_HSCROLL:
        WMHScroll(Message);
        break;
    default:
        TCustomControl::WndProc(Message);
        break;
    }
}

void TCustomGrid::WMGetDlgCode(TMessage& Message) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if (FOptions.Contains(goTabs) && !(GetKeyState(VK_CONTROL) < 0)) Message.Result |= DLGC_WANTTAB;
}

void TCustomGrid::CMWantSpecialKey(TMessage& Message) {
    // Enter opens and closes the editor of an editing grid, Escape cancels it.
    const WORD key = static_cast<WORD>(Message.WParam);
    if ((key == VK_RETURN && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) ||
        (key == VK_ESCAPE && FEditorMode))
        Message.Result = 1;
    else
        TCustomControl::CMWantSpecialKey(Message);
}

void TCustomGrid::WMSetFocus(TMessage& Message) {
    TCustomControl::WMSetFocus(Message);
    InvalidateGridRect(Selection());
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::WMKillFocus(TMessage& Message) {
    StopScrollTimer();
    TCustomControl::WMKillFocus(Message);
    InvalidateGridRect(Selection());
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::CMFontChanged(TMessage& Message) {
    TCustomControl::CMFontChanged(Message);
    if (FInplaceEdit) FInplaceEdit->SetFont(Font());
    InvalidateGrid();
}

// --- keyboard ------------------------------------------------------------------------

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    const WORD key = Key;
    switch (key) {
    case VK_F2:
        if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
            SetEditorMode(true);
            if (FInplaceEdit && FInplaceEdit->Visible()) FInplaceEdit->Deselect();
        }
        return;
    case VK_RETURN:
        if (FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect)) {
            if (FEditorMode && !FOptions.Contains(goAlwaysShowEditor))
                HideEditor();
            else
                SetEditorMode(true);
        }
        return;
    case VK_ESCAPE:
        if (FEditorMode) {
            // Puts back the text the cell had when the editor opened; only when
            // the edit is open on this cell: a cell that took no editor (Return
            // on it) would get the start text of the cell edited before.
            if (FInplaceEdit && FInplaceEdit->Visible() && FInplaceEdit->EditCol() == FCurrent.X &&
                FInplaceEdit->EditRow() == FCurrent.Y)
                SetEditText(FCurrent.X, FCurrent.Y, FEditStartText);
            if (FOptions.Contains(goAlwaysShowEditor)) {
                if (FInplaceEdit) FInplaceEdit->UpdateContents();
            } else {
                HideEditor();
            }
        }
        return;
    case VK_TAB:
        if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt)) TabMove(Shift.Contains(ssShift));
        return;
    default:
        KeyMove(key, Shift);
        return;
    }
}

void TCustomGrid::TabMove(bool Backward) {
    int c = FCurrent.X, r = FCurrent.Y;
    if (FOptions.Contains(goRowSelect)) {
        r += Backward ? -1 : 1;
    } else if (Backward) {
        if (--c < FFixedCols) {
            c = FColCount - 1;
            --r;
        }
    } else if (++c >= FColCount) {
        c = FFixedCols;
        ++r;
    }
    if (r < FFixedRows || r >= FRowCount) {
        // Past the last cell (or before the first) the Tab leaves the grid for
        // the next (previous) control, as a Tab without goTabs does.
        if (TCustomForm* form = ParentForm()) form->SelectNext(this, !Backward, true);
        return;
    }
    FocusCell(c, r, true);
}

void TCustomGrid::KeyMove(WORD Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool rowSelect = FOptions.Contains(goRowSelect);
    TGridCoord to = FCurrent;
    TGridCoord top = FTopLeft;
    const int page = std::max(1, VisibleRowCount());
    switch (Key) {
    case VK_UP:
        --to.Y;
        break;
    case VK_DOWN:
        ++to.Y;
        break;
    case VK_LEFT:
        if (rowSelect || ctrl)
            --top.X;
        else
            --to.X;
        break;
    case VK_RIGHT:
        if (rowSelect || ctrl)
            ++top.X;
        else
            ++to.X;
        break;
    case VK_PRIOR:
        to.Y -= page;
        top.Y -= page;
        break;
    case VK_NEXT:
        to.Y += page;
        top.Y += page;
        break;
    case VK_HOME:
        if (ctrl || rowSelect)
            to = {rowSelect ? to.X : FFixedCols, FFixedRows};
        else
            to.X = FFixedCols;
        break;
    case VK_END:
        if (ctrl || rowSelect)
            to = {rowSelect ? to.X : FColCount - 1, FRowCount - 1};
        else
            to.X = FColCount - 1;
        break;
    default:
        return;
    }
    to.X = std::clamp(to.X, FFixedCols, FColCount - 1);
    to.Y = std::clamp(to.Y, FFixedRows, FRowCount - 1);
    top.X = std::clamp(top.X, FFixedCols, MaxLeftCol());
    top.Y = std::clamp(top.Y, FFixedRows, MaxTopRow());
    if (!(top == FTopLeft)) MoveTopLeft(top.X, top.Y);
    if (to == FCurrent) return;
    const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    const TGridCoord before = FCurrent;
    MoveCurrent(to.X, to.Y, !extend, true);
    if (!(FCurrent == before)) Click();
}

void TCustomGrid::KeyPress(char& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0) return;
    const auto ch = static_cast<unsigned char>(Key);
    if (Key == '\t' && FOptions.Contains(goTabs)) {
        Key = 0; // the key moved already; the window system must not move the focus again
        return;
    }
    if (!FOptions.Contains(goEditing) || FOptions.Contains(goRowSelect) || ch < 32) return;
    if (!CanEditAcceptKey(Key)) {
        Key = 0;
        return;
    }
    if (FEditorMode && FInplaceEdit && FInplaceEdit->Visible()) {
        // The editor is shown but the grid has the focus: the character is
        // typed into the editor all the same.
        FInplaceEdit->SetFocus();
        FInplaceEdit->Perform(WM_CHAR, ch);
    } else {
        ShowEditorChar(Key);
    }
    Key = 0;
}

void TCustomGrid::KeyUp(WORD& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
}

// --- mouse -----------------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs) {
    State = gsNormal;
    Index = -1;
    const TAxis h = HorzAxis(), v = VertAxis();
    auto nearLine = [](const TAxis& A, int Pos, int& Found, int& LinePos) {
        // The cell whose far edge (the start of its grid line) is near Pos.
        int pos = 0;
        auto check = [&](int i) {
            const int edge = pos + A.Size(i);
            if (std::abs(Pos - edge) <= SizingSlack) {
                Found = i;
                LinePos = edge;
            }
            pos = edge + A.Line;
        };
        for (int i = 0; i < A.Fixed && i < A.Count && pos < A.Extent; ++i)
            check(i);
        for (int i = A.First; i < A.Count && pos < A.Extent; ++i)
            check(i);
    };
    // Columns are sized in the fixed rows, rows in the fixed columns.
    auto tryAxis = [&](bool Rows) {
        const TAxis& along = Rows ? v : h;
        const TAxis& across = Rows ? h : v;
        const int at = Rows ? Y : X, beside = Rows ? X : Y;
        if (!FOptions.Contains(Rows ? goRowSizing : goColSizing) || beside < 0 ||
            beside >= across.FixedBoundary())
            return false;
        int found = -1, linePos = 0;
        nearLine(along, at, found, linePos);
        if (found < 0) return false;
        State = Rows ? gsRowSizing : gsColSizing;
        Index = found;
        SizingPos = linePos;
        SizingOfs = linePos - at;
        return true;
    };
    if (!tryAxis(false)) tryAxis(true);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const std::weak_ptr<bool> alive = AliveToken();
    // The double click's press comes after its handler, which may have sent
    // the focus on (to a search box, say); the first press focused the grid.
    if (CanFocus() && !Focused() && !(FInplaceEdit && FInplaceEdit->Focused()) &&
        !Shift.Contains(ssDouble))
        SetFocus();
    if (Button == mbLeft && !Shift.Contains(ssDouble)) {
        TGridState state = gsNormal;
        int index = -1, pos = 0, ofs = 0;
        CalcSizingState(X, Y, state, index, pos, ofs);
        const TGridCoord cell = MouseCoord(X, Y);
        if (state != gsNormal) {
            HideEditor();
            FGridState = state;
            FSizingIndex = index;
            FSizingPos = pos;
            FSizingOfs = ofs;
            SetMouseCapture(true);
            Invalidate();
        } else if (cell.X >= 0 && cell.Y >= 0) {
            const bool normal = cell.X >= FFixedCols && cell.Y >= FFixedRows;
            if (normal) {
                const bool onCurrent = cell == FCurrent && !Shift.Contains(ssShift);
                if (onCurrent && FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
                    !FEditorMode) {
                    SetEditorMode(true);
                } else {
                    FGridState = gsSelecting;
                    SetMouseCapture(true);
                    const bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
                    const TGridCoord before = FCurrent;
                    MoveCurrent(cell.X, cell.Y, !extend, true);
                    if (alive.expired()) return;
                    if (!(FCurrent == before)) Click();
                }
            } else if (cell.Y < FFixedRows && cell.X >= FFixedCols &&
                       FOptions.Contains(goColMoving)) {
                int origin = cell.X, dest = cell.X;
                if (BeginColumnDrag(origin, dest, {X, Y})) {
                    HideEditor();
                    FGridState = gsColMoving;
                    FMoveIndex = origin;
                    FMovePos = -1;
                    SetMouseCapture(true);
                }
            } else if (cell.X < FFixedCols && cell.Y >= FFixedRows &&
                       FOptions.Contains(goRowMoving)) {
                int origin = cell.Y, dest = cell.Y;
                if (BeginRowDrag(origin, dest, {X, Y})) {
                    HideEditor();
                    FGridState = gsRowMoving;
                    FMoveIndex = origin;
                    FMovePos = -1;
                    SetMouseCapture(true);
                }
            }
        }
    }
    if (alive.expired()) return;
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
    switch (FGridState) {
    case gsSelecting:
        DragSelect(X, Y);
        break;
    case gsColSizing:
    case gsRowSizing:
        FSizingPos = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
        Invalidate();
        break;
    case gsColMoving:
    case gsRowMoving: {
        const TGridCoord cell = MouseCoord(X, Y);
        const bool cols = FGridState == gsColMoving;
        int target = cols ? cell.X : cell.Y;
        const int fixed = cols ? FFixedCols : FFixedRows;
        if (target >= 0 && target < fixed) target = fixed;
        if (target != FMovePos) {
            FMovePos = target;
            Invalidate();
        }
        break;
    }
    default:
        break;
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

TGridState TCustomGrid::SizingStateAt(int X, int Y) {
    TGridState state = gsNormal;
    int index = -1, pos = 0, ofs = 0;
    CalcSizingState(X, Y, state, index, pos, ofs);
    return state;
}

void TCustomGrid::WMSetCursor(TMessage& Message) {
    const TGridState state =
        FGridState == gsNormal ? SizingStateAt(FLastMousePoint.X, FLastMousePoint.Y) : gsNormal;
    if (state == gsColSizing)
        ShowCursorFor(crHSplit);
    else if (state == gsRowSizing)
        ShowCursorFor(crVSplit);
    else
        TCustomControl::WMSetCursor(Message);
}

void TCustomGrid::DragSelect(int X, int Y) {
    const TRect client = ClientRect();
    FDragMouse = {X, Y};
    const bool outside = X < 0 || Y < 0 || X >= client.Right || Y >= client.Bottom;
    if (outside && !FScrollTimerOn)
        FScrollTimerOn = SetTimer(this, GridScrollTimer, GridScrollInterval) != 0;
    else if (!outside)
        StopScrollTimer();
    const TAxis h = HorzAxis(), v = VertAxis();
    TGridCoord cell =
        MouseCoord(std::clamp(X, 0, client.Right - 1), std::clamp(Y, 0, client.Bottom - 1));
    if (cell.X < 0 || cell.Y < 0) return;
    if (X >= client.Right) cell.X = std::min(h.First + h.FullVisible(), FColCount - 1);
    if (Y >= client.Bottom) cell.Y = std::min(v.First + v.FullVisible(), FRowCount - 1);
    if (X < 0 && h.First > FFixedCols) cell.X = h.First - 1;
    if (Y < 0 && v.First > FFixedRows) cell.Y = v.First - 1;
    cell.X = std::clamp(cell.X, FFixedCols, FColCount - 1);
    cell.Y = std::clamp(cell.Y, FFixedRows, FRowCount - 1);
    if (!(cell == FCurrent)) MoveCurrent(cell.X, cell.Y, !FOptions.Contains(goRangeSelect), true);
}

void TCustomGrid::StopScrollTimer() {
    if (!FScrollTimerOn) return;
    KillTimer(this, GridScrollTimer);
    FScrollTimerOn = false;
}

void TCustomGrid::WMTimer(TMessage& Message) {
    if (Message.WParam != GridScrollTimer || !FScrollTimerOn) {
        TCustomControl::WMTimer(Message);
        return;
    }
    // The mouse rests past an edge: one more cell that way per tick.
    if (FGridState == gsSelecting)
        DragSelect(FDragMouse.X, FDragMouse.Y);
    else
        StopScrollTimer();
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const std::weak_ptr<bool> alive = AliveToken();
    if (Button == mbLeft) {
        StopScrollTimer();
        const TGridState state = FGridState;
        FGridState = gsNormal;
        SetMouseCapture(false);
        switch (state) {
        case gsColSizing:
        case gsRowSizing: {
            const bool cols = state == gsColSizing;
            const int pos = (cols ? X : Y) + FSizingOfs;
            const int start =
                cols ? HorzAxis().Start(FSizingIndex) : VertAxis().Start(FSizingIndex);
            if (start >= 0) {
                const int size = std::max(0, pos - start);
                if (cols)
                    SetColWidths(FSizingIndex, size);
                else
                    SetRowHeights(FSizingIndex, size);
            }
            Invalidate();
            break;
        }
        case gsColMoving:
        case gsRowMoving: {
            int origin = FMoveIndex, dest = FMovePos;
            FMovePos = -1;
            Invalidate();
            if (dest < 0 || dest == origin) break;
            if (state == gsColMoving) {
                if (EndColumnDrag(origin, dest, {X, Y})) MoveColumn(origin, dest);
            } else if (EndRowDrag(origin, dest, {X, Y})) {
                MoveRow(origin, dest);
            }
            break;
        }
        case gsSelecting:
            if (FEditorMode) UpdateEditor();
            break;
        default:
            break;
        }
        if (alive.expired()) return;
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() {
    TCustomControl::DblClick();
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    if (FCurrent.Y < FRowCount - 1) FocusCell(FCurrent.X, FCurrent.Y + 1, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    if (FCurrent.Y > FFixedRows) FocusCell(FCurrent.X, FCurrent.Y - 1, true);
    return true;
}

void TCustomGrid::WMContextMenu(TMessage& Message) {
    const TRect cell = CellRect(FCurrent.X, FCurrent.Y);
    if (Message.LParam == KeyboardContextMenuPos && cell.Width() > 0) {
        const TPoint at = ClientToScreen(TPoint{cell.Left, cell.Bottom});
        Message.LParam = MakeLParam(at.X, at.Y);
    }
    TCustomControl::WMContextMenu(Message);
}
