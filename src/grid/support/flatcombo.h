#pragma once
// The combo box of the grid's combo editors: a native combo box over which a
// flat border and drop-down button are painted, lit while the mouse is inside
// or the box has the focus.

#include <string>

#include "platform/vcl/listctrls.h"

// Everything the flat parts are painted from, at one moment.
struct TFlatComboLook {
    int Width = 0, Height = 0; // of the whole control
    bool Active = false;       // mouse inside or focused
    bool FocusBorder = false;
    bool Etched = false;
    bool Simple = false;     // the simple style has no button
    bool Themed = false;     // draw the button in the desktop's style when possible
    bool ButtonDown = false; // a mouse button is held
    int ButtonWidth = 20;
    TColor Color = clWindow;        // the control's own colour
    TColor ParentColor = clBtnFace; // the colour of the control's parent
    // The Unicode combo's button: raised (flat while dropped down) only while
    // active, else just filled in the button face.
    bool ButtonOnlyWhenActive = false;
    bool DroppedDown = false;
};

// The rectangle of the drop-down button (inside its edge is the native arrow).
TRect FlatComboButtonRect(const TFlatComboLook& Look);
// Paints the border and the button on Canvas, whose (0, 0) is the control's
// top-left corner. Wnd is the window themed parts are opened on.
void PaintFlatCombo(TCanvas& Canvas, const TFlatComboLook& Look, HWND Wnd = nullptr);

// The default button width: the width of a vertical scroll bar plus 4.
constexpr int DefaultComboButtonWidth = 16 + 4;

class TXSGCustomCombo : public TComboBox {
public:
    explicit TXSGCustomCombo(TComponent* AOwner);
    std::string ClassName() const override { return "TXSGCustomCombo"; }

    bool AutoFocus = false; // take the focus when the mouse enters
    bool FocusBorder = false;
    bool IsWinXP = false; // themed; the grid sets it
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    bool MouseInControl() const { return FMouseInControl; }
    // What the flat parts would be painted from now.
    TFlatComboLook Look() const;

protected:
    void WndProc(TMessage& Message) override;
    void WMPaint(TMessage& Message) override;
    void Paint() override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;
    // The variant's look (the Unicode combo changes the button).
    virtual void AdjustLook(TFlatComboLook& Look) const {}

private:
    int FButtonWidth = DefaultComboButtonWidth;
    bool FFlat = true;
    bool FEtched = false;
    int FDropWidth = 0;
    bool FMouseInControl = false;
    // Kept while a flat box is disabled and shows its parent's colour.
    bool FColorSaved = false;
    TColor FSavedColor = clWindow;
    bool FSavedParentColor = false;
};

class TXSGComboBox : public TXSGCustomCombo {
public:
    explicit TXSGComboBox(TComponent* AOwner) : TXSGCustomCombo(AOwner) {}
    std::string ClassName() const override { return "TXSGComboBox"; }
};
