#pragma once
// The way an application plugs any control in as the editor of the grid's
// edCustom cells: a component whose operations create the control, place it
// over the cell, move the value in and out, and say which keys the control
// keeps for itself. The grid hooks the control's messages while it edits, so
// the keys that end editing come back to the grid.

#include <memory>
#include <string>

#include "platform/rtl/classes.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"

class TExtStringGrid;

enum TEditStyle { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner) : TComponent(AOwner) {}
    ~TEditLink() override;
    std::string ClassName() const override { return "TEditLink"; }

    bool AutoPopupWidth = false;
    // esInplace: the control lies over the cell; esPopup: it fills a
    // borderless window of PopupWidth (or the cell's width, with
    // AutoPopupWidth) by PopupHeight right under the cell.
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0;
    int PopupHeight = 0;
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    int Tag = 0;

    // The grid and cell being edited (set by the grid before each use).
    TExtStringGrid* Grid() const { return FGrid; }
    // The pop-up window while an esPopup link edits.
    TForm* PopupForm() const { return FPopup.get(); }
    int EditCol() const { return FEditCol; }
    int EditRow() const { return FEditRow; }

    // A key of the control: the keys that end editing (Tab, Enter, Esc, the
    // page keys, End and the arrows), less the ones the control wants, go to
    // the grid; the others stay with the control.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent) {}
    virtual void DestroyEditor() {}
    // Hooks the control and gives it (or the grid) the focus.
    virtual void SetFocus(bool Value);
    // Over R, less the grid line.
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProperties() {}
    virtual std::string GetEditorValue() { return {}; }
    virtual void SetEditorValue(const std::string& Value) {}

private:
    friend class TExtStringGrid;
    friend class TEditLinkEditor;
    // The control's own message handling back in place.
    void Unhook();
    // Puts the control into a pop-up window under the cell (screen
    // coordinates of the cell's bottom-left corner) and back.
    void OpenPopup(const TPoint& Below, int CellWidth);
    void ClosePopup();
    // The pop-up window lost activation: the value goes into the cell (and
    // the grid's text editor); unless a key is closing the link, the edit
    // ends there.
    void PopupDeactivate();
    std::unique_ptr<TForm> FPopup;
    bool FClosingByKey = false;
    bool FInDeactivate = false;
    TExtStringGrid* FGrid = nullptr;
    int FEditCol = -1, FEditRow = -1;
    TWinControl* FHooked = nullptr;
    TWndMethod FSavedProc;
};
