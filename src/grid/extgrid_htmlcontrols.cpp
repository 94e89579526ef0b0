// HTML form controls in cell text: a check box toggled by a click, a button
// pressed until the release, an edit and a combo box placed over the
// control to change its value, each told to the application.
#include "grid/controleditors.h"
#include "grid/extgrid.h"
#include "grid/support/gridvalues.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/htmlsupport.h"
#include "platform/rtl/sysutils.h"

TControlEdit* TExtStringGrid::ControlEdit() {
    if (!FControlEdit) FControlEdit = new TControlEdit(this); // owned by the grid as a component
    return FControlEdit;
}

TControlCombo* TExtStringGrid::ControlCombo() {
    if (!FControlCombo) FControlCombo = new TControlCombo(this); // owned by the grid as a component
    return FControlCombo;
}

TGridTransEdit* TExtStringGrid::TransEdit() {
    if (!FTransEdit) FTransEdit = new TGridTransEdit(this); // owned by the grid as a component
    return FTransEdit;
}

bool TExtStringGrid::HTMLHitTest(int ACol, int ARow, int X, int Y, const std::string& Text,
                                 THTMLRenderResult& Result) {
    // Laid out as the cell is painted: inside the text margins.
    const TRect cell = MergedCellRect(ACol, ARow);
    TBitmap surface(std::max(1, cell.Width()), std::max(1, cell.Height()));
    surface.Canvas()->SetFont(*Font());
    THTMLRenderParams params;
    params.PointX = X - cell.Left;
    params.PointY = Y - cell.Top;
    params.TestOnly = true;
    params.WordWrap = WordWrap();
    const TRect r{XYOffset.X, XYOffset.Y, cell.Width() - XYOffset.X, cell.Height() - XYOffset.Y};
    if (!RenderHTML(*surface.Canvas(), Text, r, params, Result, HTMLImages())) return false;
    const TRect& m = Result.MouseControlRect;
    Result.MouseControlRect = {m.Left + cell.Left, m.Top + cell.Top, m.Right + cell.Left,
                               m.Bottom + cell.Top};
    return true;
}

bool TExtStringGrid::HTMLControlAt(int ACol, int ARow, int X, int Y, THTMLRenderResult& Result) {
    const std::string text = Cells(RealColIndex(ACol), ARow);
    // Only text painted as tagged text shows its controls.
    if (CellContentKind(text, EnableHTML) != cckHTML) return false;
    return HTMLHitTest(ACol, ARow, X, Y, text, Result) && Result.AnchorHref == "ctrl";
}

void TExtStringGrid::SetHTMLControlValue(int ACol, int ARow, const std::string& ID,
                                         const std::string& Value) {
    const int realCol = RealColIndex(ACol);
    std::string text = Cells(realCol, ARow);
    if (!SetControlTagValue(text, ID, Value)) return;
    SetCells(realCol, ARow, text);
    RepaintCell(ACol, ARow);
}

bool TExtStringGrid::HTMLControlPress(int ACol, int ARow, int X, int Y) {
    THTMLRenderResult hit;
    if (!HTMLControlAt(ACol, ARow, X, Y, hit)) return false;
    if (FControlCell.X >= 0) ControlEditDone(); // one control edited at a time
    HideEditor();
    const std::string type = UpperCase(hit.ControlType);
    std::string value = hit.ControlValue;
    const int b = BorderOffset();
    const TRect& r = hit.MouseControlRect;
    if (type == "CHECK") {
        value = UpperCase(value) == "TRUE" ? "FALSE" : "TRUE";
        SetHTMLControlValue(ACol, ARow, hit.ControlId, value);
    } else if (type == "BUTTON") {
        FHTMLButton = {ACol, ARow};
        FHTMLButtonPoint = {X, Y};
        RepaintCell(ACol, ARow);
    } else if (type == "EDIT") {
        FControlCell = {ACol, ARow};
        FControlId = hit.ControlId;
        FControlType = type;
        TControlEdit* edit = ControlEdit();
        edit->SetBounds(r.Left + b, r.Top + b, std::max(20, r.Width()), std::max(16, r.Height()));
        edit->SetText(value);
        edit->SetVisible(true);
        edit->BringToFront();
        edit->SetFocus();
        edit->SelectAll();
    } else if (type == "COMBO") {
        FControlCell = {ACol, ARow};
        FControlId = hit.ControlId;
        FControlType = type;
        TControlCombo* combo = ControlCombo();
        auto values = std::make_unique<TStringList>();
        bool editable = true;
        int dropCount = 8;
        if (OnControlComboList)
            OnControlComboList(this, ARow, RealColIndex(ACol), hit.ControlId, type, value,
                               values.get(), editable, dropCount);
        FFillingControlCombo = true;
        combo->SetStyle(editable ? csDropDown : csDropDownList);
        combo->Items()->Assign(values.get());
        combo->SetDropDownCount(dropCount);
        combo->SetItemIndex(combo->Items()->IndexOf(value));
        if (editable) combo->SetText(value);
        FFillingControlCombo = false;
        combo->SetBounds(r.Left + b, r.Top + b, std::max(40, r.Width()),
                         std::max(combo->Height(), r.Height()));
        combo->SetVisible(true);
        combo->BringToFront();
        combo->SetFocus();
        combo->SetDroppedDown(true);
    }
    if (OnControlClick) OnControlClick(this, ARow, RealColIndex(ACol), hit.ControlId, type, value);
    return true;
}

void TExtStringGrid::HTMLControlRelease() {
    if (FHTMLButton.X < 0) return;
    const TGridCoord cell = FHTMLButton;
    FHTMLButton = {-1, -1};
    RepaintCell(cell.X, cell.Y);
}

void TExtStringGrid::ControlEditDone() {
    if (FControlCell.X < 0) return;
    const TGridCoord cell = FControlCell;
    const std::string id = FControlId, type = FControlType;
    // Cleared first: hiding the control and taking the focus back end the
    // edit once more, and that finds nothing left to end.
    FControlCell = {-1, -1};
    TWinControl* control = nullptr;
    std::string value;
    if (type == "EDIT") {
        control = ControlEdit();
        value = ControlEdit()->Text();
    } else {
        control = ControlCombo();
        ControlCombo()->SetDroppedDown(false);
        value = ControlCombo()->Text();
    }
    SetHTMLControlValue(cell.X, cell.Y, id, value);
    const bool hadFocus = control->Focused();
    control->SetVisible(false);
    if (hadFocus) TakeFocusBack();
    if (OnControlEditDone) OnControlEditDone(this, cell.Y, RealColIndex(cell.X), id, type, value);
}

void TExtStringGrid::ControlComboChanged(int Index, const std::string& Text) {
    if (FControlCell.X < 0 || FFillingControlCombo) return;
    const int col = RealColIndex(FControlCell.X), row = FControlCell.Y;
    // The value follows the choice at once, so the cell shows it.
    SetHTMLControlValue(FControlCell.X, row, FControlId, Text);
    if (OnComboChange) OnComboChange(this, col, row, Index, Text);
    if (OnComboObjectChange && Index >= 0)
        OnComboObjectChange(this, col, row, Index, Text, ControlCombo()->Items()->Objects(Index));
}

void TExtStringGrid::ControlComboClosedUp() {
    if (FControlCell.X < 0) return;
    if (OnComboCloseUp) OnComboCloseUp(this, FControlCell.Y, RealColIndex(FControlCell.X));
}

bool TExtStringGrid::HTMLButtonPressed(int ACol, int ARow) const {
    return FHTMLButton.X == ACol && FHTMLButton.Y == ARow;
}
