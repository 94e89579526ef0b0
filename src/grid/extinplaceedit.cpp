#include "grid/extinplaceedit.h"

#include <algorithm>

#include "grid/extgrid.h"
#include "grid/support/gridtext.h"
#include "grid/support/gridvalues.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/editalign.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/winapi.h"

namespace {

bool IsDigit(char Ch) {
    return Ch >= '0' && Ch <= '9';
}

// Keys that always pass the number filters: Backspace, Tab, Enter, Esc.
bool IsEditingControl(char Ch) {
    return Ch == '\b' || Ch == '\t' || Ch == '\r' || Ch == '\x1b';
}

std::string Upper(char Ch) {
    return AnsiUpperCase(std::string(1, Ch));
}

} // namespace

char FilterEditChar(TEditorType Type, char Key, const std::string& Text, int SelStart,
                    int SelLength, bool& Beep) {
    Beep = false;
    if (IsEditingControl(Key)) return Key;
    const std::string selected =
        Text.substr(std::min<size_t>(SelStart, Text.size()), std::max(0, SelLength));
    switch (Type) {
    case edNormal:
    case edPassword:
        return Key;
    case edNumeric:
        if (IsDigit(Key)) return Key;
        if (Key == '-' && SelStart == 0 &&
            (Text.find('-') == std::string::npos || selected.find('-') != std::string::npos))
            return Key;
        Beep = true;
        return 0;
    case edPositiveNumeric:
        if (IsDigit(Key)) return Key;
        Beep = true;
        return 0;
    case edFloat: {
        const TFormatSettings& fs = FormatSettings();
        if (IsDigit(Key)) return Key;
        if (Key == '-') {
            const bool hasMinus = Text.find('-') != std::string::npos;
            if ((SelStart == 0 && !hasMinus) || selected.find('-') != std::string::npos) return Key;
            Beep = true;
            return 0;
        }
        // A decimal comma where '.' is the separator is meant as the separator
        // (the Dutch way to type 7,25); dropped as a thousands separator it
        // would make 725.
        if (Key == ',' && fs.DecimalSeparator == '.') Key = '.';
        if (Key == fs.ThousandSeparator && Key != fs.DecimalSeparator) return 0;
        if (Key == fs.DecimalSeparator) {
            const bool has = Text.find(Key) != std::string::npos;
            return (!has || selected.find(Key) != std::string::npos) ? Key : 0;
        }
        return 0; // other characters vanish silently
    }
    case edCapital:
    case edUpperCase:
        return Upper(Key)[0];
    case edLowerCase:
        return AnsiLowerCase(std::string(1, Key))[0];
    case edMixedCase:
        return Key; // capitalised after it landed
    default:
        return 0;
    }
}

bool FilterEditPaste(TEditorType Type, std::string& Text) {
    switch (Type) {
    case edNumeric:
    case edPositiveNumeric:
        if (GetNumberKind(Text) != nkInteger) return false;
        return Type == edNumeric || Text.find('-') == std::string::npos;
    case edFloat:
        return GetNumberKind(Text) == nkInteger || GetNumberKind(Text) == nkNumber;
    case edMixedCase:
        Text = CapitalizeWords(Text);
        return true;
    case edCapital:
    case edUpperCase:
        Text = AnsiUpperCase(Text);
        return true;
    case edLowerCase:
        Text = AnsiLowerCase(Text);
        return true;
    default:
        return true;
    }
}

TExtInplaceEdit::TExtInplaceEdit(TExtStringGrid* AGrid) : TInplaceEdit(AGrid), FExtGrid(AGrid) {}

TEditorType TExtInplaceEdit::Type() const {
    return FExtGrid->CurrentEditorType();
}

void TExtInplaceEdit::UpdateContents() {
    WordWrap = FExtGrid->WordWrap();
    SetPasswordChar(Type() == edPassword ? '*' : '\0');
    TInplaceEdit::UpdateContents();
    FExtGrid->SetEditorLook(*this);
    // VAlign puts the text against the right edge (numbers lined up as the
    // cells show them); without it the text starts at the left.
    SetEditAlignment(*this, VAlign ? taRightJustify : taLeftJustify);
    LengthLimit = static_cast<short>(std::clamp(FExtGrid->MaxEditLength(), 0, 32767));
}

bool TExtInplaceEdit::ValidateOrReload() {
    if (FExtGrid->ValidateCell(Text())) return true;
    // Refused: the cell's text comes back and the caret waits at its end (or
    // all of it is selected) for the user's next try.
    UpdateContents();
    if (FExtGrid->Navigation()->EditSelectAll)
        SelectAll();
    else
        Deselect();
    return false;
}

void TExtInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
    const bool ctrl = Shift.Contains(ssCtrl), shift = Shift.Contains(ssShift);
    if ((Key == 'V' && ctrl && !shift) || (Key == VK_INSERT && shift && !ctrl)) {
        Perform(WM_PASTE);
        Key = 0;
        return;
    }
    if ((Key == 'C' && ctrl) || (Key == VK_INSERT && ctrl)) {
        Perform(WM_COPY);
        Key = 0;
        return;
    }
    if ((Key == 'X' && ctrl) || (Key == VK_DELETE && shift)) {
        Perform(WM_CUT);
        Key = 0;
        return;
    }
    // Backspace and Delete take text away: no completion puts it back.
    FLookupOn = Key != VK_BACK && Key != VK_DELETE;
    if (Key == VK_RETURN && (ctrl || shift) && FExtGrid->Multilinecells && !ReadOnly()) {
        // A line of its own in a cell that shows several; with
        // SizeWhileTyping.Height the row grows along.
        SetSelText("\r\n");
        FExtGrid->SizeRowWhileTyping(*this, Text());
        Key = 0;
        return;
    }
    if ((Key == VK_RIGHT || Key == VK_LEFT) && CursorWalk(Key, Shift)) {
        Key = 0;
        return;
    }
    const bool leaving = Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN ||
                         (Key == VK_TAB && FExtGrid->Options().Contains(goTabs));
    if (leaving && !ctrl && !ValidateOrReload()) {
        Key = 0;
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TExtInplaceEdit::KeyPress(char& Key) {
    if (Key == 0) return;
    const auto ch = static_cast<unsigned char>(Key);
    // Ctrl+C, Ctrl+V and Ctrl+X did their work at key down, through the filters.
    if (ch == 3 || ch == 22 || ch == 24) {
        Key = 0;
        return;
    }
    // A full edit takes no more characters, silently.
    if (LengthLimit > 0 && ch >= 32 && SelLength() == 0 &&
        static_cast<int>(Text().size()) >= LengthLimit) {
        Key = 0;
        return;
    }
    if (ch >= 32) {
        bool beep = false;
        Key = FilterEditChar(Type(), Key, Text(), SelStart(), SelLength(), beep);
        if (Key == 0) {
            if (beep) MessageBeep(0);
            return;
        }
        if (Type() == edMixedCase && !ReadOnly()) {
            SetSelText(std::string(1, Key));
            const int caret = SelStart();
            SetText(CapitalizeWords(Text()));
            SetSelStart(caret);
            SetSelLength(0);
            Key = 0;
            return;
        }
    }
    if (ch >= 32) FTyped = true;
    TInplaceEdit::KeyPress(Key);
}

void TExtInplaceEdit::KeyUp(WORD& Key, TShiftState Shift) {
    TInplaceEdit::KeyUp(Key, Shift);
    const bool typed = FTyped;
    FTyped = false;
    if (!typed || !FLookupOn || !FExtGrid->Lookup || ReadOnly()) return;
    // Completed only while typing at the end: the tail is selected, so the
    // next character replaces it.
    const std::string text = Text();
    if (SelLength() != 0 || SelStart() != static_cast<int>(text.size())) return;
    const std::string item = FExtGrid->LookupCompletion(text);
    if (item.empty()) return;
    SetText(text + item.substr(text.size()));
    SetSelStart(static_cast<int>(text.size()));
    SetSelLength(static_cast<int>(item.size() - text.size()));
}

bool TExtInplaceEdit::CursorWalk(WORD Key, TShiftState Shift) {
    if (!FExtGrid->Navigation()->CursorWalkEditor || !Shift.Empty() || SelLength() != 0)
        return false;
    const bool right = Key == VK_RIGHT;
    const int caret = SelStart();
    if (right ? caret != static_cast<int>(Text().size()) : caret != 0) return false;
    if (!ValidateOrReload()) return true;
    const int col = FExtGrid->Col(), row = FExtGrid->Row();
    const int next = col + (right ? 1 : -1);
    const int last = FExtGrid->ColCount() - 1 - FExtGrid->FixedRightCols();
    // Written back and closed as Enter would.
    FExtGrid->SetEditorMode(false);
    if (next >= FExtGrid->FixedCols() && next <= last && FExtGrid->HasCellControl(next, row)) {
        // A check box, radio group or button beside: the walk stops on it.
        FExtGrid->FocusCell(next, row, true);
        return true;
    }
    // Otherwise on to the next cell that may be edited, wrapping at the row's
    // end, always along the row whatever way Enter advances.
    TNavigation* nav = FExtGrid->Navigation();
    struct TDirectionHold {
        TNavigation* Nav;
        TAdvanceDirection Held;
        ~TDirectionHold() { Nav->AdvanceDirection = Held; }
    } hold{nav, nav->AdvanceDirection};
    nav->AdvanceDirection = adLeftRight;
    FExtGrid->AdvanceToNextCell(col, row, right, false, true);
    return true;
}

void TExtInplaceEdit::PasteText(const std::string& Pasted) {
    std::string value = Pasted;
    bool allow = true;
    if (FExtGrid->OnClipboardBeforePasteCell)
        FExtGrid->OnClipboardBeforePasteCell(FExtGrid, FExtGrid->RealColIndex(EditCol()), EditRow(),
                                             value, allow);
    if (!allow) return;
    if (LengthLimit > 0 && static_cast<int>(value.size()) > LengthLimit) return;
    const std::string text = Text();
    const size_t start = std::min<size_t>(SelStart(), text.size());
    const size_t len = std::min<size_t>(SelLength(), text.size() - start);
    std::string result = text.substr(0, start) + value + text.substr(start + len);
    if (LengthLimit > 0 && static_cast<int>(result.size()) > LengthLimit) return;
    if (FExtGrid->OnClipboardPaste) FExtGrid->OnClipboardPaste(FExtGrid, allow);
    if (!allow || !FilterEditPaste(Type(), result)) return;
    SetText(result);
    SetSelStart(static_cast<int>(std::min(result.size(), start + value.size())));
    SetSelLength(0);
}

void TExtInplaceEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PASTE:
        if (Clipboard()->HasFormat(CF_TEXT)) PasteText(Clipboard()->AsText());
        return;
    case WM_COPY:
    case WM_CUT: {
        bool allow = true;
        const auto& event =
            Message.Msg == WM_COPY ? FExtGrid->OnClipboardCopy : FExtGrid->OnClipboardCut;
        if (event) event(FExtGrid, allow);
        if (!allow) return;
        break;
    }
    case WM_CHAR:
        if (FExtGrid->ExcelStyleDecimalSeparator && Message.WParam == '.' &&
            (Message.LParam & (LPARAM(0x40) << 16)))
            Message.WParam = static_cast<unsigned char>(FormatSettings().DecimalSeparator);
        break;
    default:
        break;
    }
    TInplaceEdit::WndProc(Message);
}

void TExtInplaceEdit::DoEnter() {
    TInplaceEdit::DoEnter();
    // Without EditSelectAll typing goes on after the text; a caret a click
    // already placed stays where it is.
    if (!FExtGrid->Navigation()->EditSelectAll && SelLength() != 0) Deselect();
}

void TExtInplaceEdit::DoExit() {
    TInplaceEdit::DoExit();
    // A text typed here is offered again next time.
    if (FExtGrid->LookupHistory && !Text().empty() && FExtGrid->LookupItems()->IndexOf(Text()) < 0)
        FExtGrid->LookupItems()->Add(Text());
    FExtGrid->EditorFocusLost(this, true, Text());
}

void TExtInplaceEdit::DblClick() {
    TInplaceEdit::DblClick();
    if (FExtGrid->OnDblClickCell)
        FExtGrid->OnDblClickCell(FExtGrid, FExtGrid->Row(), FExtGrid->Col());
}
