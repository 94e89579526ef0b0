#pragma once
// The per-cell property record of the grids: colours, font, alignment, editor,
// the application's cell object, and the spans of merged cells.

#include <string>

#include "platform/vcl/controls.h"
#include "platform/vcl/stdctrls.h"

// The kinds of in-place editor a grid cell can ask for.
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edUniEdit,
    edUniComboEdit,
    edUniComboList
};

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };

class TBaseGridCells;

// One record per cell that needs one, owned by the grid. A merged range has
// one base cell (its top-left) holding the spans (columns - 1, rows - 1); every
// covered cell holds its offsets to the base cell and IsBaseCell false. An
// unmerged cell holds both spans -1.
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGridCells* AGrid, int ACol, int ARow);
    ~TCellProperties() override;
    std::string ClassName() const override { return "TCellProperties"; }
    // Copies everything but the cell object, the graphic object and the paint stamp.
    void Assign(const TPersistent* Source) override;

    TBaseGridCells* Grid() const { return FGrid; }
    int OwnerCol = 0;
    int OwnerRow = 0;
    TObject* CellObject = nullptr; // the application's, not owned
    // The descendant grid's per-cell graphic, freed with the record unless
    // GraphicShared says that another holder (a column's shared graphic) frees it.
    TObject* GraphicObject = nullptr;
    bool GraphicShared = false;
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    int FontSize = 0;
    TColor FontColor = clNone;
    TFontStyles FontStyle;
    int CellSpanY = -1;
    int CellSpanX = -1;
    int BorderWidth = 0;
    TColor BorderColor = clBlack;
    TAlignment Alignment = taLeftJustify;
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    int PaintStamp = 0;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool IsBaseCell = true;
    unsigned char FooterFunction = 0;
    int Reserved = 0;
    int NodeLevel = 0;
    TEditorType Editor = edNormal;
    std::string FontName;
    bool ReadOnly = false;
    // A control placed in the cell: the application's, not owned. The grid
    // counts the records that hold one.
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);

private:
    void Repaint();
    TBaseGridCells* FGrid;
    TControl* FControl = nullptr;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    TVAlignment FVAlignment = vtaTop;
    bool FWordWrap = false;
};
