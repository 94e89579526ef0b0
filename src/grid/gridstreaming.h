#pragma once
// The components that carry a grid's parts through a component stream (the
// cell stream of the clipboard and of drag and drop): each makes the object
// it carries and frees it with itself.

#include <memory>
#include <string>

#include "grid/cellgraphic.h"
#include "grid/support/cellprops.h"
#include "grid/support/gridaux.h"
#include "grid/support/intlists.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/gfx/graphics.h"
#include "platform/vcl/gfx/pictures.h"

// The grid's size, sizes and whether the stream holds the whole grid.
class TGridPropIO : public TComponent {
public:
    explicit TGridPropIO(TComponent* AOwner);
    std::string ClassName() const override { return "TGridPropIO"; }
    int ColCount = 0;
    int RowCount = 0;
    TIntList* ColWidths() const { return FColWidths.get(); }
    TIntList* RowHeights() const { return FRowHeights.get(); }
    bool FullGrid = false;
    std::string ID;

private:
    std::unique_ptr<TIntList> FColWidths, FRowHeights;
};

// One cell: its place, its text and whether its properties follow.
class TGridCellIO : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TGridCellIO"; }
    int Col = 0;
    int Row = 0;
    std::string Cell;
    bool HasProp = false;
};

class TGridCellPropIO : public TComponent {
public:
    explicit TGridCellPropIO(TComponent* AOwner);
    std::string ClassName() const override { return "TGridCellPropIO"; }
    TCellProperties* CellProperties() const { return FCellProperties.get(); }
    bool HasGraphic = false;

private:
    std::unique_ptr<TCellProperties> FCellProperties;
};

// A carrier of one object of type T.
template <class T, const char* KindName> class TGridObjectIO : public TComponent {
public:
    explicit TGridObjectIO(TComponent* AOwner)
        : TComponent(AOwner), FObject(std::make_unique<T>()) {}
    std::string ClassName() const override { return KindName; }
    T* Object() const { return FObject.get(); }

private:
    std::unique_ptr<T> FObject;
};

inline constexpr char SGridGraphicIO[] = "TGridGraphicIO";
inline constexpr char SGridBMPIO[] = "TGridBMPIO";
inline constexpr char SGridIconIO[] = "TGridIconIO";
inline constexpr char SGridPicIO[] = "TGridPicIO";
inline constexpr char SGridFilePicIO[] = "TGridFilePicIO";
inline constexpr char SGridSLIO[] = "TGridSLIO";

using TGridGraphicIO = TGridObjectIO<TCellGraphic, SGridGraphicIO>; // CellGraphic
using TGridBMPIO = TGridObjectIO<TBitmap, SGridBMPIO>;              // Bitmap
using TGridIconIO = TGridObjectIO<TIcon, SGridIconIO>;              // Icon
using TGridPicIO = TGridObjectIO<TPicture, SGridPicIO>;             // Picture
using TGridFilePicIO = TGridObjectIO<TFilePicture, SGridFilePicIO>; // Picture
using TGridSLIO = TGridObjectIO<TStringList, SGridSLIO>;            // Strings

// The stream classes by name, as a cell stream names them: a new component of
// that class, or null for a name that is none of them.
std::unique_ptr<TComponent> CreateGridStreamComponent(const std::string& ClassName);
