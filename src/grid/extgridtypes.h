#pragma once
// The types that the advanced string grid shares with its option objects,
// its column grid and the windows: the grid's exception, its enumerations and
// the signatures of its events (parameter orders as the events fire them:
// some put the row first, some the column).

#include <functional>
#include <string>

#include "grid/support/cellprops.h"
#include "platform/rtl/dateutils.h"
#include "platform/rtl/sets.h"
#include "platform/vcl/grids/grids.h"

class EExtGridError : public Exception {
public:
    using Exception::Exception;
};

// The texts the grid raises with.
inline constexpr const char* SInvalidRow = "Invalid row accessed";
inline constexpr const char* SInvalidColumn = "Invalid column accessed";
inline constexpr const char* SNoIntegerValue = "Cell does not contain integer value";
inline constexpr const char* SNoFloatValue = "Cell does not contain a float value";
// --- data operations ---
inline constexpr const char* SNoSortIndexes = "No indexes specified for indexed sort";
inline constexpr const char* SCannotOpenFile = "Cannot open file ";
inline constexpr const char* SNoExcelServer = "Excel OLE server not found";
enum TGridFindFlag {
    gfMatchCase,
    gfWholeCell,
    gfCondition,
    gfByRows,
    gfAtStart,
    gfCurrentRow,
    gfCurrentCol,
    gfIncludeFixed,
    gfGotoCell,
    gfIgnoreHTML,
    gfBackward,
    gfIncludeHidden
};
// Stored as a 16-bit number: bit n is member n (0x104: condition, go to cell).
using TGridFindFlags = TSet<TGridFindFlag>;
// --- end of data operations ---

enum TGridLook { glStandard, glSoft, glClassic, glHouse, glXP };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssUnicode
};
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder>;

// --- events ---------------------------------------------------------------------
using TGetAlignmentEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                              TAlignment& HAlign, TVAlignment& VAlign)>;
using TGetCellColorEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                              TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGetCellBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGetFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle,
                                           std::string& aPrefix, std::string& aSuffix)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
class TEditLink;
// The link's control is set up for the cell: the application's last word on it.
using TGetEditorPropEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using THasComboBoxEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
// (Sender, ARow, ACol, var Answer): OnIsFixedCell, OnCanEditCell, OnIsPasswordCell.
using TRowColBoolEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Answer)>;
using TIsFixedCellEvent = TRowColBoolEvent;
using TCanEditCellEvent = TRowColBoolEvent;
using TIsPasswordCellEvent = TRowColBoolEvent;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TGridHintEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, std::string& hintstr)>;
using TFloatFormatEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat,
                                             std::string& FloatFormat)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value, bool& Valid)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TRowUpdateEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TCellChangingEvent = std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow,
                                              int NewCol, bool& Allow)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TClipboardPasteCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value, bool& Allow)>;
using TClipboardPasteWideCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, std::u16string& Value, bool& Allow)>;
using TCustomCompareEvent = std::function<void(TObject* Sender, const std::string& str1,
                                               const std::string& str2, int& Res)>;
using TRawCompareEvent =
    std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TGridProgressEvent = std::function<void(TObject* Sender, short progress)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
using TAutoRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoColEvent = std::function<void(TObject* Sender, int ACol)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanRowEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TSelectionChangedEvent =
    std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;

// --- keyboard, mouse and editing input ---------------------------------------------
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& S)>;
using TAnchorClickEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                             const std::string& Anchor, bool& AutoHandle)>;
using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& Data, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& Rect)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent = std::function<void(TObject* Sender, int ARow, int ACol,
                                             const std::string& FileName, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
// ===== painting =====
using TCustomCellDrawEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState,
                       const TRect& ARect, bool Printing)>;
using TGetCellBorderPropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                       TPen* RightPen, TPen* BottomPen)>;
using TAnchorHintEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, std::string& Anchor)>;
enum TScrollHintType { shNone, shHorizontal, shVertical, shBoth };
using TScrollHintEvent = std::function<void(TObject* Sender, int Index, std::string& Hint)>;
// ===== end of painting =====

// --- input wired to the data operations --------------------------------------------
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
// ===== cell controls by key and mouse =====
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowReal)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
// HTML form controls in cells and combo editors.
using TControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const std::string& CtrlID,
                       const std::string& CtrlType, const std::string& CtrlVal)>;
using TControlComboListEvent = std::function<void(
    TObject* Sender, int ARow, int ACol, const std::string& CtrlID, const std::string& CtrlType,
    const std::string& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;
using TComboChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                             const std::string& ASelection)>;
using TComboObjectChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                       const std::string& ASelection, TObject* AObject)>;
using TComboCloseUpEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TSelectionResizeEvent = std::function<void(TObject* Sender, const TGridRect& OrigSelection,
                                                 const TGridRect& NewSelection)>;
// ===== end of cell controls =====
// ===== spin editor steps =====
using TSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
// ===== end of spin editor steps =====
