#pragma once
// A grid of Width x Height pixels on a form a little larger: a screen for the
// paint benchmarks to draw. The form owns the grid.

#include <memory>

#include "grid/extgrid.h"
#include "platform/vcl/forms.h"

inline TExtStringGrid* MakeScreenGrid(std::unique_ptr<TForm>& Form, int Width, int Height) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, Width + 20, Height + 20);
    auto* grid = new TExtStringGrid(Form.get()); // owned by the form
    grid->SetParent(Form.get());
    grid->SetBounds(0, 0, Width, Height);
    return grid;
}
