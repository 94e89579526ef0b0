#pragma once
// The advanced grid's own text editor: the string grid's in-place edit with a
// key and paste filter per editor type (numbers, capitals, lower case, mixed
// case, passwords), a length limit, and validation through the grid before
// Enter, Tab or an arrow leaves the cell.

#include <string>

#include "grid/support/cellprops.h"
#include "platform/vcl/grids/grids.h"

class TExtStringGrid;

// What a typed character becomes under an editor type: the character to type
// (possibly converted), or 0 to drop it; Beep tells whether the drop is a
// refusal the user should hear. Text, SelStart and SelLength describe the
// edit before the character lands.
char FilterEditChar(TEditorType Type, char Key, const std::string& Text, int SelStart,
                    int SelLength, bool& Beep);
// Whether a pasted result text may stand in a cell of the type, and the text
// to store (converted for the case types).
bool FilterEditPaste(TEditorType Type, std::string& Text);

class TExtInplaceEdit : public TInplaceEdit {
public:
    explicit TExtInplaceEdit(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TExtInplaceEdit"; }

    short LengthLimit = 0;
    // The text stands against the right edge while editing.
    bool VAlign = false;
    bool WordWrap = false;

    void UpdateContents() override;
    // Replaces the selection by the clipboard's text, through the type's filter
    // and the grid's paste events.
    void PasteText(const std::string& Pasted);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    void DoEnter() override;
    void DoExit() override;
    // The grid hears of a double click in its editor as one on the cell.
    void DblClick() override;

private:
    // Right at the end of the text (Left at its start) leaves the cell with
    // Navigation.CursorWalkEditor; true when it did.
    bool CursorWalk(WORD Key, TShiftState Shift);
    bool FLookupOn = true, FTyped = false;
    TEditorType Type() const;
    // Validates the text through the grid; when refused the cell's text comes
    // back into the editor and false is answered.
    bool ValidateOrReload();
    TExtStringGrid* FExtGrid;
};
