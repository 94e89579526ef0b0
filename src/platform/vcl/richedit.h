#pragma once
// Rich text on screen: a laid-out rich text that draws itself on a canvas and
// says how much room it needs (for cells, which keep their text as RTF), and
// the rich edit control in which the user formats text. Both hold a Qt text
// document; RTF goes in and out through the reader and writer of rtftext.h.

#include <memory>
#include <string>

#include "platform/vcl/controls.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/rtftext.h"

class QTextDocument;
class QTextEdit;

// A rich text laid out once, drawn and measured as often as needed.
class TRichTextLayout {
public:
    TRichTextLayout();
    ~TRichTextLayout();
    TRichTextLayout(const TRichTextLayout&) = delete;
    TRichTextLayout& operator=(const TRichTextLayout&) = delete;
    // Runs without a font of their own take DefaultFont (name, size, colour).
    void Load(const TRtfDocument& Doc, const TFont& DefaultFont);
    void LoadRTF(const std::string& RTF, const TFont& DefaultFont) {
        Load(ReadRTF(RTF), DefaultFont);
    }
    TRtfDocument Document() const;
    // The room the text needs: at Width (lines broken there), or unbroken
    // when Width is 0 or less.
    TSize ContentSize(int Width) const;
    // Draws the text into R (lines broken at its width, clipped to it);
    // Color other than clNone paints every character in it.
    void Draw(TCanvas& Canvas, const TRect& R, TColor Color = clNone) const;

private:
    std::unique_ptr<QTextDocument> FDoc;
};

// A rich edit on a Qt text edit. Ctrl+B, Ctrl+I and Ctrl+U switch bold,
// italic and underline of the selection (or of what is typed next).
class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;
    std::string ClassName() const override { return "TRichEdit"; }
    // The whole text as RTF; an empty or plain text loads as plain text.
    virtual void LoadRTF(const std::string& RTF);
    std::string RTF() const;
    TRtfDocument Document() const;
    // The size the text needs at the control's width, less its frame.
    TSize ContentSize() const;
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int Start, int Length);
    void SelectAll();
    // The format of the selection (its first character), and setting it on
    // the whole selection.
    bool SelBold() const;
    void SetSelBold(bool Value);
    bool SelItalic() const;
    void SetSelItalic(bool Value);
    bool SelUnderline() const;
    void SetSelUnderline(bool Value);
    void SetSelColor(TColor Value);
    // Without a frame the text fills the control (an editor over a cell).
    void SetFramed(bool Value);
    // The selection stays visible while the control has no focus.
    bool HideSelection = true;
    TNotifyEvent OnChange, OnSelectionChange;

protected:
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void WMGetDlgCode(TMessage& Message) override;
    QTextEdit* Editor() const;
};
