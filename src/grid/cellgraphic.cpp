#include "grid/cellgraphic.h"

#include <algorithm>
#include <cmath>

TCellGraphic::~TCellGraphic() {
    switch (CellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        if (CellCreated) delete CellBitmap;
        break;
    case ctIcon:
        if (CellCreated) delete CellIcon;
        break;
    case ctImages:
        delete CellBitmap;
        break;
    default:
        break;
    }
}

void TCellGraphic::Assign(const TPersistent* Source) {
    const auto* src = dynamic_cast<const TCellGraphic*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
    CellType = src->CellType;
    CellVAlign = src->CellVAlign;
    CellHAlign = src->CellHAlign;
    CellIndex = src->CellIndex;
    CellTransparent = src->CellTransparent;
    CellCreated = src->CellCreated;
    CellBoolean = src->CellBoolean;
    CellAngle = src->CellAngle;
    CellValue = src->CellValue;
    CellErrFrom = src->CellErrFrom;
    CellErrLen = src->CellErrLen;
    CellText = src->CellText;
}

void TCellGraphic::SetImageListGraphic(int Index, TCellHAlign HAlign, TCellVAlign VAlign) {
    CellType = ctImageList;
    CellIndex = Index;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

TPoint PictureFitSize(int CellWidth, int CellHeight, int Margin, int W, int H, int StretchMode) {
    // A margin wider than the cell leaves no room, not a negative one.
    const int aw = std::max(CellWidth - Margin, 0), ah = std::max(CellHeight - Margin, 0);
    auto round = [](double v) { return static_cast<int>(std::lround(v)); };
    auto proportional = [&](bool Shrink) -> TPoint {
        double fx = W < 1 ? 1.0 : static_cast<double>(aw) / W;
        double fy = H < 1 ? 1.0 : static_cast<double>(ah) / H;
        if (Shrink) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fx >= fy) return {round(W * fy), ah};
        return {aw, round(H * fx)};
    };
    switch (StretchMode) {
    case 1:
        return {aw, ah};
    case 2:
        return proportional(false);
    case 3:
        return (W > aw || H > ah) ? TPoint{aw, ah} : TPoint{W, H};
    case 4:
        return (W <= aw && H <= ah) ? TPoint{W, H} : proportional(true);
    default:
        return {W, H};
    }
}
