#pragma once
// Standard controls: label, edit, button, check box, radio button, group box.
// Native ones wrap the matching Qt widget; the label draws itself.

#include <string>

#include "platform/vcl/controls.h"

class QLineEdit;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);
    std::string ClassName() const override { return "TLabel"; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl = nullptr;

protected:
    void Paint() override;
    void CMDialogChar(TMessage& Message) override;
    void CMTextChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    unsigned TextFlags() const;
    void AdjustBounds();

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FAutoSize = true;
    bool FTransparent = false;
    bool FShowAccelChar = true;
};

// A one-line edit on a QLineEdit. Typing arrives as WM_KEYDOWN and WM_CHAR
// first; what the handlers leave is typed by the native edit.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    std::string ClassName() const override { return "TCustomEdit"; }

    int SelStart() const;
    void SetSelStart(int Value);
    // EM_CHARFROMPOS: the caret position nearest to a client point.
    int CharFromPos(const TPoint& P) const;
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SetSelText(const std::string& Value);
    void SelectAll();
    void ClearSelection() { SetSelText(""); }
    void Clear() { SetText(""); }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value);
    bool AutoSelect = true;
    bool Modified() const;
    void SetModified(bool Value);
    // Free room inside the frame, left and right of the text.
    void SetMargins(int Left, int Right);
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void Undo();

    TNotifyEvent OnChange;
    // With CodePageLetters, letters typed or pasted that the program's text
    // cannot hold (outside Windows-1252, such as the Polish L with stroke)
    // become their plain letter ("L") or are left out; then OnTextAdjusted
    // fires, so that the window can say so. Off: they stay in the edit (wide
    // text) and read as "?".
    bool CodePageLetters = false;
    TNotifyEvent OnTextAdjusted;

protected:
    TCustomEdit(TComponent* AOwner, QWidget* Widget);
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    void WndProc(TMessage& Message) override;
    void WMGetDlgCode(TMessage& Message) override;
    void DoEnter() override;
    void CNCommand(TMessage& Message) override;
    virtual void Change();
    // The 3D look is the style's sunken frame; the flat one a single line.
    void CMCtl3DChanged(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    QLineEdit* Edit() const;
    // EM_POSFROMCHAR: the client point of a character's left edge; -1 past the
    // last character.
    LRESULT PosFromChar(int Index) const;

private:
    void Connect();
    int FMaxLength = 0;
    char FPasswordChar = 0;
    TRect FEditRect;         // EM_SETRECT: the formatting rectangle, empty when not set
    bool FFlatFrame = false; // the style's frame was replaced by a single line
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    std::string ClassName() const override { return "TEdit"; }
};

// The common part of push buttons, check boxes and radio buttons.
class TButtonControl : public TWinControl {
public:
    std::string ClassName() const override { return "TButtonControl"; }
    // The room the style gives the caption's text, in client coordinates:
    // inside a push button's face beside its glyph, right of a check box's or
    // radio button's box. The text is clipped to it, so a caption wider than
    // this shows cut.
    TRect CaptionRect() const;

protected:
    TButtonControl(TComponent* AOwner, QWidget* Widget);
    void CMDialogChar(TMessage& Message) override;
    // What its accelerator does: a button clicks, a check box toggles.
    virtual void AccelPressed() = 0;
    // The native face, then the dotted focus frame of the platform, so that
    // a user moving through a window by keyboard sees where he is.
    void WMPaint(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;
    // Inside a push button's face, round the caption of a check box or
    // radio button.
    TRect FocusRect() const;
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);
    std::string ClassName() const override { return "TButton"; }
    bool Default = false;  // Enter anywhere on the form presses it
    bool Cancel = false;   // Escape presses it
    int ModalResult = 0;   // set on the form when pressed
    void Click() override; // also for code that presses the button

protected:
    TButton(TComponent* AOwner, QWidget* Widget);
    void CMDialogKey(TMessage& Message) override;
    bool Active() const; // the button that Enter presses now
    void AccelPressed() override { Click(); }
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);
    std::string ClassName() const override { return "TCheckBox"; }
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);

protected:
    void AccelPressed() override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);
    std::string ClassName() const override { return "TRadioButton"; }
    bool Checked() const { return FChecked; }
    // Checking one unchecks its siblings under the same parent.
    void SetChecked(bool Value);

protected:
    void AccelPressed() override;
    // A button of a group: the arrows that bring the focus here click it.
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DLGC_RADIOBUTTON; }
    void WndProc(TMessage& Message) override;

private:
    bool FChecked = false;
};

// A frame with a caption that holds other controls.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);
    std::string ClassName() const override { return "TGroupBox"; }
    // Where the heading starts, from the left edge; it is not clipped short
    // of the box's right edge.
    static constexpr int CaptionIndent = 8;

protected:
    void AdjustClientRect(TRect& R) const override;
    void Paint() override;
};
