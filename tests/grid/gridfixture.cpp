#include "gridfixture.h"

#include <gtest/gtest.h>

#include "vcltestenv.h"

void GridTest::SetUp() {
    WidgetTest::SetUp();
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(0, 0, 640, 480);
    Grid = new TExtStringGrid(Form.get()); // owned by the form
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 600, 400);
}

void GridTest::TearDown() {
    Form.reset();
}

void GridTest::FocusGrid() {
    ShowActive(Form.get());
    Grid->SetFocus();
    ASSERT_TRUE(ProcessUntil([this] { return Grid->Focused(); }));
}

void EditorTypeTest::SetUp() {
    GridTest::SetUp();
    Fill(5, 6);
    Grid->SetColWidths(2, 120);
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->OnGetEditorType = [this](TObject*, int ACol, int, TEditorType& AEditor) {
        if (ACol == 2) AEditor = Type;
    };
    FocusGrid();
    Grid->FocusCell(2, 2, true);
}

void GridTest::Fill(int Cols, int Rows, int Fixed) {
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    Grid->SetFixedRows(Fixed);
    for (int r = 0; r < Rows; ++r)
        for (int c = 0; c < Cols; ++c)
            Grid->SetCells(c, r, Name(c, r));
}

std::vector<std::string> GridTest::RowTexts(int Row) const {
    std::vector<std::string> texts;
    for (int c = 0; c < Grid->GetAllColCount(); ++c)
        texts.push_back(Grid->Cells(c, Row));
    return texts;
}

std::vector<std::string> GridTest::Column(int Col) const {
    std::vector<std::string> texts;
    for (int r = 0; r < Grid->RowCount(); ++r)
        texts.push_back(Grid->Cells(Col, r));
    return texts;
}
