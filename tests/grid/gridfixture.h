#pragma once
// A grid on a form, headless, with helpers that fill and read it by real
// column and display or real row.

#include <memory>
#include <string>
#include <vector>

#include "grid/extgrid.h"
#include "platform/vcl/forms.h"
#include "widgettest.h"

class GridTest : public WidgetTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // ColCount x RowCount cells "c<col>r<row>" (real column, row as filled).
    void Fill(int Cols, int Rows, int Fixed = 1);
    // The texts of display row Row over every real column.
    std::vector<std::string> RowTexts(int Row) const;
    // The first real column of every display row.
    std::vector<std::string> Column(int Col) const;
    static std::string Name(int Col, int Row) {
        return "c" + std::to_string(Col) + "r" + std::to_string(Row);
    }
    // Shows the form active and waits until the grid has the focus.
    void FocusGrid();

    std::unique_ptr<TForm> Form;
    TExtStringGrid* Grid = nullptr; // owned by the form
};

// An editable 5 x 6 grid, focused on cell (2, 2), whose column 2 is edited
// with the editor Type.
class EditorTypeTest : public GridTest {
protected:
    void SetUp() override;
    TEditorType Type = edNormal;
};
