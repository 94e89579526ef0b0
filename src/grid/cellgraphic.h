#pragma once
// The per-cell graphic of the advanced grid: what kind of picture or control
// a cell shows, where, and the objects it shows. A cell's graphic is the
// graphic object of its TCellProperties; the grid makes and frees it.

#include <string>

#include "platform/rtl/classes.h"
#include "platform/rtl/types.h"

enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctProgressPie,
    ctSummary
};
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    // Frees what the graphic owns: the object of a bitmap, radio, picture,
    // file picture or bit button, and the icon, when it made them
    // (CellCreated); the image list of ctImages always.
    ~TCellGraphic() override;
    std::string ClassName() const override { return "TCellGraphic"; }
    // Copies the values and CellCreated, never the objects: the target keeps its own.
    void Assign(const TPersistent* Source) override;

    void SetImageListGraphic(int Index, TCellHAlign HAlign, TCellVAlign VAlign);

    TCellType CellType = ctNone;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int CellIndex = 0; // pictures: the margin
    bool CellTransparent = false;
    bool CellCreated = false;
    bool CellBoolean = false;
    int CellAngle = 0; // pictures: the stretch mode 0..4
    double CellValue = 0;
    short CellErrFrom = 0;
    short CellErrLen = 0;
    std::string CellText;
    // The shown object (bitmap, picture, image index list, radio or button
    // data, by type) and the icon; who frees them is said above.
    TObject* CellBitmap = nullptr;
    TObject* CellIcon = nullptr;
};

// The size a picture of natural size (W, H) is shown at in a cell of
// (CellWidth, CellHeight) with Margin, by stretch mode: 1 fills the room, 2
// keeps the proportions filling one side, 3 fills the room only when the
// picture does not fit, 4 is 2 for pictures that do not fit; other modes keep
// the natural size.
TPoint PictureFitSize(int CellWidth, int CellHeight, int Margin, int W, int H, int StretchMode);
