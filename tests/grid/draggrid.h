#pragma once
// A grid whose drags land on a chosen control at a chosen point (widget
// coordinates), through the window system's road, instead of wherever the
// mouse would carry them.

#include "grid/extgrid.h"
#include "platform/vcl/synthdrag.h"

class TDragGrid : public TExtStringGrid {
public:
    using TExtStringGrid::TExtStringGrid;
    TControl* DropOn = nullptr;
    TPoint At;
    unsigned Keys = 0; // MK_CONTROL: a copy

protected:
    long RunOleDrag(const TSourceDataObject& Data, int AllowedEffects, int& Effect) override {
        Effect = SynthDragDrop(DropOn, Data.DropData(), At.X, At.Y, AllowedEffects, Keys).Drop;
        return 0;
    }
};
