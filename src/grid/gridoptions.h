#pragma once
// The option objects of the advanced grid: small persistents, each created by
// the grid with a reference to it, that appear as nested properties. Most only
// hold values; those whose change shows repaint the grid, and the few with
// more to do say so.

#include <memory>
#include <string>

#include "grid/support/intlists.h"
#include "platform/rtl/collections.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/gfx/graphics.h"

class TBaseGrid;

// Base of the option objects that repaint their grid.
class TGridPersistent : public TPersistent {
public:
    explicit TGridPersistent(TBaseGrid* AGrid) : FGrid(AGrid) {}
    TBaseGrid* Grid() const { return FGrid; }

protected:
    void Repaint() const;
    bool Designing() const;

private:
    TBaseGrid* FGrid;
};

// A property whose setter stores the value and repaints the grid.
#define VZ_REPAINTING_PROPERTY(Type, Name, Default)                                                \
public:                                                                                            \
    Type Name() const {                                                                            \
        return F##Name;                                                                            \
    }                                                                                              \
    void Set##Name(Type Value) {                                                                   \
        F##Name = Value;                                                                           \
        Repaint();                                                                                 \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type F##Name = Default;

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

class TCellNode : public TGridPersistent {
public:
    explicit TCellNode(TBaseGrid* AGrid);
    std::string ClassName() const override { return "TCellNode"; }
    TColor Color = clSilver;
    bool ExpandOne = false;
    TColor NodeColor = clBlack;
    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value);
    int NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(int Value);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(const TBitmap* Value) { FExpandGlyph->Assign(Value); }
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(const TBitmap* Value) { FContractGlyph->Assign(Value); }

private:
    TNodeType FNodeType = cnXP;
    int FNodeIndent = 12;
    bool FShowTree = true;
    std::unique_ptr<TBitmap> FExpandGlyph, FContractGlyph;
};

class TSizeWhileTyping : public TPersistent {
public:
    std::string ClassName() const override { return "TSizeWhileTyping"; }
    bool Height = false;
    bool Width = false;
};

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };

class TMouseActions : public TGridPersistent {
public:
    using TGridPersistent::TGridPersistent;
    std::string ClassName() const override { return "TMouseActions"; }
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool CaretPositioning = false;
    bool CheckAllCheck = false;
    bool ColSelect = false;
    bool DirectComboDrop = false;
    bool DirectDateDrop = false;
    bool DirectEdit = false;
    // While the grid is designed, switching one of the three on switches the other two off.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    bool MoveRowOnNodeClick = false;
    bool NoAutoRangeScroll = false;
    bool NodeAllExpandContract = false;
    bool PreciseCheckBoxCheck = false;
    bool RangeSelectAndEdit = false;
    bool RowSelect = false;
    bool RowSelectPersistent = false;
    bool SizeFixedCol = false;

private:
    void SetDisjunct(bool& Flag, bool Value);
    bool FDisjunctRowSelect = false, FDisjunctColSelect = false, FDisjunctCellSelect = false;
};

enum TColumnSizeLocation { clRegistry, clIniFile };

class TColumnSize : public TGridPersistent {
public:
    using TGridPersistent::TGridPersistent;
    std::string ClassName() const override { return "TColumnSize"; }
    bool Save = false;
    std::string Key;
    std::string Section;
    // Switching it on stretches the grid's StretchColumn at once.
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    int StretchColumn = -1;
    bool SynchWithGrid = false;
    TColumnSizeLocation Location = clRegistry;

private:
    bool FStretch = false;
};

enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TAdvanceDirection { adLeftRight, adTopBottom };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

class TNavigation : public TPersistent {
public:
    std::string ClassName() const override { return "TNavigation"; }
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AlwaysEdit = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AllowClipboardShortCuts = false;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowFmtClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardColGrow = true;
    bool AdvanceAuto = false;
    bool EditSelectAll = true;
    TInsertPosition InsertPosition = pInsertBefore;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool CopyHTMLTagsToClipboard = true;
    bool KeepHorizScroll = false;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool SkipFixedCells = true;
    bool TabToNextAtEnd = false;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
    bool AllowClipboardRowGrow = true;
};

class THTMLSettings : public TPersistent {
public:
    std::string ClassName() const override { return "THTMLSettings"; }
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    std::string FooterFile, HeaderFile, TableStyle, PrefixTag, SuffixTag;
    int Width = 100;
    bool XHTML = false;
    TIntList* ColWidths() { return &FColWidths; }

private:
    TIntList FColWidths{0, 0};
};

enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrinterOrientation { poPortrait, poLandscape };

class TPrintSettings : public TPersistent {
public:
    TPrintSettings();
    std::string ClassName() const override { return "TPrintSettings"; }
    // Every property; the fonts and title lines by content.
    void Assign(const TPersistent* Source) override;

    int FooterSize = 0, HeaderSize = 0;
    TPrintPosition Time = ppNone, Date = ppNone, PageNr = ppNone, Title = ppNone;
    std::string DateFormat = "dd/mm/yyyy";
    std::string TitleText;
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(const TStrings* Value) { FTitleLines->Assign(Value); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont* Value) { FFixedFont->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(const TFont* Value) { FFooterFont->Assign(Value); }
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    bool Centered = true;
    bool RepeatFixedRows = false, RepeatFixedCols = false;
    int LeftSize = 0, RightSize = 0, ColumnSpacing = 0, RowSpacing = 0, TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    std::string PagePrefix, PageSuffix;
    int PageNumberOffset = 0, MaxPagesOffset = 0;
    int FixedWidth = 0, FixedHeight = 0;
    bool UseFixedHeight = false, UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    std::string JobName;
    std::string PageNumSep = "/";
    bool NoAutoSize = false, NoAutoSizeRow = false, PrintGraphics = false;
    bool UseDisplayFont = true;

private:
    std::unique_ptr<TStringList> FTitleLines;
    std::unique_ptr<TFont> FFont, FFixedFont, FHeaderFont, FFooterFont;
};

enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };

class TSortSettings : public TGridPersistent {
public:
    explicit TSortSettings(TBaseGrid* AGrid);
    std::string ClassName() const override { return "TSortSettings"; }
    bool AutoColumnMerge = false;
    int Column = 0;
    bool Show = false, IndexShow = false;
    TColor IndexColor = clYellow;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending, InitSortDirection = sdAscending;
    TBitmap* UpGlyph() const { return FGlyphs[0].get(); }
    void SetUpGlyph(const TBitmap* Value) { FGlyphs[0]->Assign(Value); }
    TBitmap* DownGlyph() const { return FGlyphs[1].get(); }
    void SetDownGlyph(const TBitmap* Value) { FGlyphs[1]->Assign(Value); }
    TBitmap* IndexUpGlyph() const { return FGlyphs[2].get(); }
    void SetIndexUpGlyph(const TBitmap* Value) { FGlyphs[2]->Assign(Value); }
    TBitmap* IndexDownGlyph() const { return FGlyphs[3].get(); }
    void SetIndexDownGlyph(const TBitmap* Value) { FGlyphs[3]->Assign(Value); }
    bool FixedCols = false, NormalCellsOnly = false, UndoSort = false;
    int Row() const { return FRow; }
    // Raises EExtGridError, keeping the old row, past the fixed rows.
    void SetRow(int Value);

private:
    int FRow = 0;
    std::unique_ptr<TBitmap> FGlyphs[4];
};

// The look of the controls in cells (the control library has its own TControlStyle).
enum TControlLookStyle { csClassic, csFlat, csWinXP, csVarnok, csHouse, csGlyph, csTheme };

class TControlLook : public TGridPersistent {
public:
    explicit TControlLook(TBaseGrid* AGrid);
    std::string ClassName() const override { return "TControlLook"; }
    VZ_REPAINTING_PROPERTY(int, CheckSize, 15)
    VZ_REPAINTING_PROPERTY(int, RadioSize, 10)
    VZ_REPAINTING_PROPERTY(TControlLookStyle, ControlStyle, csWinXP)
    VZ_REPAINTING_PROPERTY(int, ProgressMarginX, 2)
    VZ_REPAINTING_PROPERTY(int, ProgressMarginY, 2)
    VZ_REPAINTING_PROPERTY(TColor, Color, clBlack)
    VZ_REPAINTING_PROPERTY(bool, FlatButton, false)
    VZ_REPAINTING_PROPERTY(bool, DropDownAlwaysVisible, false)
    VZ_REPAINTING_PROPERTY(bool, ProgressXP, false)
public:
    TBitmap* CheckedGlyph() const { return FGlyphs[0].get(); }
    void SetCheckedGlyph(const TBitmap* Value) { SetGlyph(0, Value); }
    TBitmap* UnCheckedGlyph() const { return FGlyphs[1].get(); }
    void SetUnCheckedGlyph(const TBitmap* Value) { SetGlyph(1, Value); }
    TBitmap* RadioOnGlyph() const { return FGlyphs[2].get(); }
    void SetRadioOnGlyph(const TBitmap* Value) { SetGlyph(2, Value); }
    TBitmap* RadioOffGlyph() const { return FGlyphs[3].get(); }
    void SetRadioOffGlyph(const TBitmap* Value) { SetGlyph(3, Value); }

private:
    void SetGlyph(int Index, const TBitmap* Value);
    std::unique_ptr<TBitmap> FGlyphs[4];
};

class TBands : public TGridPersistent {
public:
    using TGridPersistent::TGridPersistent;
    std::string ClassName() const override { return "TBands"; }
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool Print = false;
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    // Primary plus secondary length.
    int Period() const { return FPeriod; }

private:
    void RepaintWhenActive() const;
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    int FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    int FSecondaryLength = 1;
    int FPeriod = 2;
};

enum TBackGroundDisplay { bdTile, bdFixed };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TGridPersistent {
public:
    explicit TBackGround(TBaseGrid* AGrid);
    std::string ClassName() const override { return "TBackGround"; }
    VZ_REPAINTING_PROPERTY(int, Top, 0)
    VZ_REPAINTING_PROPERTY(int, Left, 0)
    VZ_REPAINTING_PROPERTY(TBackGroundDisplay, Display, bdTile)
    VZ_REPAINTING_PROPERTY(TBackGroundCells, Cells, bcNormal)
public:
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(const TBitmap* Value);

private:
    std::unique_ptr<TBitmap> FBitmap;
};

class TGrouping : public TPersistent {
public:
    std::string ClassName() const override { return "TGrouping"; }
    TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderTextColor = clNone;
    TColor SummaryColor = clNone, SummaryColorTo = clNone, SummaryTextColor = clNone;
    bool MergeHeader = false, MergeSummary = false, Summary = false;
};

class TDragDropSettings : public TPersistent {
public:
    std::string ClassName() const override { return "TDragDropSettings"; }
    bool OleAcceptText = true;
    bool OleAcceptFiles = true;
    bool OleDropTarget = false;
    bool OleDropSource = false;
    bool OleEntireRows = false;
    bool OleRemoveRows = false;
    bool OleInsertRows = false;
    bool OleCopyAlways = false;
    bool OleDropRTF = false;
    bool OleColumnDragDrop = false;
};

enum TFilterOperation { foNONE, foAND, foXOR, foOR };

class TFilterData : public TCollectionItem {
public:
    using TCollectionItem::TCollectionItem;
    std::string ClassName() const override { return "TFilterData"; }
    short Column = 0;
    std::string Condition;
    bool CaseSensitive = true;
    std::string Prefix, Suffix;
    TFilterOperation Operation = foNONE;
};

class TFilter : public TCollection {
public:
    TFilter();
    std::string ClassName() const override { return "TFilter"; }
    TFilterData* Items(int Index) const {
        return static_cast<TFilterData*>(TCollection::Items(Index));
    }
    TFilterData* Add() { return static_cast<TFilterData*>(TCollection::Add()); }
    // The entry of a column, added when there is none.
    TFilterData* ColumnFilter(int Col);
};
#undef VZ_REPAINTING_PROPERTY
