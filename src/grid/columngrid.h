#pragma once
// The column grid: the advanced string grid with one column item per real
// column (hidden columns included). An item's settings answer the grid's
// cell questions before the application's events do; its filter list fills
// a drop-down in the header cell whose choice becomes the grid's filter for
// the column.

#include <memory>
#include <string>

#include "grid/droplist.h"
#include "grid/extgrid.h"
#include "platform/vcl/menus.h"

class TExtColumnGrid;

enum TColumnPopupType {
    cpFixedCellsRClick,
    cpFixedCellsLClick,
    cpNormalCellsRClick,
    cpNormalCellsLClick,
    cpAllCellsRClick,
    cpAllCellsLClick
};

class TGridColumnItem : public TCollectionItem {
public:
    explicit TGridColumnItem(TCollection* Collection);
    ~TGridColumnItem() override;
    std::string ClassName() const override { return "TGridColumnItem"; }
    // Name, or "Column " and the index.
    std::string DisplayName() const override;
    void Assign(const TPersistent* Source) override;

    // The widths auto-size keeps to (0: no limit).
    int AutoMinSize = 0, AutoMaxSize = 0;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TCellBorders Borders() const { return FBorders; }
    void SetBorders(TCellBorders Value);
    TPen* BorderPen() const { return FBorderPen.get(); }
    void SetBorderPen(const TPen* Value);
    std::string CheckFalse = "N", CheckTrue = "Y";
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPopupMenu* ColumnPopup = nullptr; // not owned
    TColumnPopupType ColumnPopupType = cpFixedCellsRClick;
    TStringList* ComboItems() const { return FComboItems.get(); }
    void SetComboItems(const TStrings* Value);
    int EditLength = 0;
    TComponent* EditLink = nullptr; // not owned
    std::string EditMask;
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value);
    // Lines "name=condition" (or a condition alone) of the filter drop-down.
    TStringList* Filter() const { return FFilter.get(); }
    void SetFilter(const TStrings* Value);
    bool FilterCaseSensitive = false;
    bool Fixed() const { return FFixed; }
    void SetFixed(bool Value);
    std::string FloatFormat() const { return FFloatFormat; }
    void SetFloatFormat(const std::string& Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    std::string Header() const { return FHeader; }
    void SetHeader(const std::string& Value);
    // The widths the user's sizing keeps to (0: no limit).
    int MinSize = 0, MaxSize = 0;
    std::string Name;
    bool Password() const { return FPassword; }
    void SetPassword(bool Value);
    TCellBorders PrintBorders{cbTop, cbLeft, cbRight, cbBottom};
    TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
    void SetPrintBorderPen(const TPen* Value) { FPrintBorderPen->Assign(Value); }
    TColor PrintColor = clWhite;
    TFont* PrintFont() const { return FPrintFont.get(); }
    void SetPrintFont(const TFont* Value) { FPrintFont->Assign(Value); }
    bool ReadOnly = false;
    bool ShowBands() const { return FShowBands; }
    void SetShowBands(bool Value);
    TSortStyle SortStyle = ssAutomatic;
    std::string SortPrefix, SortSuffix;
    int SpinMax = 0, SpinMin = 0, SpinStep = 1;
    int Tag = 0;
    int Width() const { return FWidth; }
    void SetWidth(int Value);

private:
    friend class TExtColumnGrid;
    TExtColumnGrid* Grid() const;
    void Changed();
    void Repaint();
    TAlignment FAlignment = taLeftJustify;
    TCellBorders FBorders;
    std::unique_ptr<TPen> FBorderPen, FPrintBorderPen;
    TColor FColor = clWindow;
    std::unique_ptr<TStringList> FComboItems, FFilter;
    TEditorType FEditor = edNormal;
    bool FFixed = false, FPassword = false, FShowBands = false;
    std::string FFloatFormat, FHeader;
    std::unique_ptr<TFont> FFont, FPrintFont;
    int FWidth = 50;
};

class TGridColumnCollection : public TCollection {
public:
    explicit TGridColumnCollection(TExtColumnGrid* AGrid);
    std::string ClassName() const override { return "TGridColumnCollection"; }
    TGridColumnItem* Items(int Index) const {
        return static_cast<TGridColumnItem*>(TCollection::Items(Index));
    }
    TGridColumnItem* Add() { return static_cast<TGridColumnItem*>(TCollection::Add()); }
    TGridColumnItem* Insert(int Index) {
        return static_cast<TGridColumnItem*>(TCollection::Insert(Index));
    }
    TExtColumnGrid* Grid() const { return FGrid; }
    // While set, changes of the items leave the grid's column count alone.
    bool UpdateGuard = false;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TExtColumnGrid* FGrid;
};

class TFilterDropDown : public TPersistent {
public:
    TFilterDropDown();
    std::string ClassName() const override { return "TFilterDropDown"; }
    int Width = 200, Height = 200;
    TColor Color = clWindow;
    bool ColumnWidth = false; // the list takes the column's width
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }

private:
    std::unique_ptr<TFont> FFont;
};

using TColumnPopupEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TFilterSelectEvent =
    std::function<void(TObject* Sender, int Column, int ItemIndex, const std::string& FriendlyName,
                       std::string& FilterCondition)>;

class TExtColumnGrid : public TExtStringGrid {
public:
    explicit TExtColumnGrid(TComponent* AOwner);
    ~TExtColumnGrid() override;
    std::string ClassName() const override { return "TExtColumnGrid"; }

    void SetColCount(int Value);
    TGridColumnCollection* Columns() const { return FColumns.get(); }
    void SetColumns(const TGridColumnCollection* Value) { FColumns->Assign(Value); }
    bool AutoFilterUpdate = false;
    bool AutoFilterDisplay = false;
    TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
    TDropList* DropList() const { return FDropList; }
    // The real column whose filter list is open, -1 when none.
    int FilterColumn() const { return FFilterColumn; }
    TColumnPopupEvent OnColumnPopup;
    TFilterSelectEvent OnFilterSelect;
    TNotifyEvent OnFilterDone;

    // Items follow the grid's real columns, and headers the header row.
    void SyncColumns();
    void UpdateColumnWidths();
    // The drop-down's choice Index of the open column becomes the column's filter.
    void ApplyColumnFilter(int Index);
    // Opens the filter drop-down of a header cell (display column).
    void ShowFilterDropDown(int ACol);
    void HideFilterDropDown();
    bool SyncingHeaders() const { return FSyncingHeaders; }

    void InsertCols(int ACol, int ACount) override;
    void RemoveCols(int ACol, int ACount) override;
    void GridChanged() override;
    void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                      TFont* AFont) override;
    void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                           TFont* AFont) override;
    void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
    void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
    void GetCellFormat(int ACol, int ARow, TSortStyle& AStyle, std::string& aPrefix,
                       std::string& aSuffix) override;
    void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) override;
    void IsFixedCell(int ACol, int ARow, bool& IsFixed) override;
    void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
    void IsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
    bool HasCombo(int ACol, int ARow) override;
    std::string GetCheckTrue(int ACol, int ARow) override;
    std::string GetCheckFalse(int ACol, int ARow) override;
    bool HasFilter(int ACol) override;
    TCellType GetCellType(int ACol, int ARow) const override;
    TCellGraphic* GetCellGraphic(int ACol, int ARow) const override;
    bool GetFloatFormat(int ACol, int ARow, std::string& AFloatFormat) override;
    void UpdateColumnSize(int ACol, int& AWidth) override;
    void UpdateAutoSizeLimits(int ACol, int& AWidth) override;
    void UpdateColumnHeaders() override;
    // The item of a real column, null beyond the items.
    TGridColumnItem* ItemOf(int ARealCol) const;
    int EditLengthOf(int ARealCol) const;
    std::string GetEditMask(int ACol, int ARow) override;

protected:
    virtual std::unique_ptr<TGridColumnCollection> CreateColumns();
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    // The in-place editors' maximum length: the current column's EditLength.
    int GetEditLimit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool NormalItemCell(int ACol, int ARow) const;
    bool ItemCellFromFixed(int ACol, int ARow) const;
    std::unique_ptr<TGridColumnCollection> FColumns;
    std::unique_ptr<TCellGraphic> FCheckGraphic;
    std::unique_ptr<TFilterDropDown> FFilterDropDown;
    TDropList* FDropList = nullptr; // owned as a component
    int FFilterColumn = -1;
    bool FSyncingHeaders = false;
    bool FHoldItems = false; // a column operation places the items itself
};
