#pragma once
// The grid's rich edit: the editor of edRichEdit cells and the grid's means
// of turning a cell's RTF into formatted text and back.

#include <string>

#include "grid/grideditors.h"
#include "platform/vcl/richedit.h"

class TExtRichEdit : public TGridEditorControl<TRichEdit> {
public:
    explicit TExtRichEdit(TExtStringGrid* AGrid);
    std::string ClassName() const override { return "TExtRichEdit"; }
    // The room the text needs: its widest line and all its lines, in pixels.
    int ReqWidth() const { return ContentSize().cx; }
    int ReqHeight() const { return ContentSize().cy; }
    // The cell's text as RTF: the text loaded when nothing changed, empty
    // when no text is left.
    std::string EditorText() override;
    void LoadText(const std::string& Value) override;
    void LoadRTF(const std::string& Value) override;

protected:
    // Tab, Enter and Esc end the edit (Shift+Enter breaks the line); Up and
    // Down too, unless the grid wraps words or keeps several lines in a cell
    // (then they walk the lines).
    bool IsEndingKey(WORD Key, TShiftState Shift) const override;

private:
    std::string FLoadedText;
    TRtfDocument FLoadedDoc;
    // With SizeWhileTyping.Height the row grows with the text while it fits.
    void SizeToText();
};
