// A grid of a hundred thousand rows, without a window: filled, hidden, shown,
// inserted into and deleted from, every cell must come back where it belongs.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "grid/extgrid.h"
#include "widgettest.h"

namespace {

constexpr int Cols = 4;
constexpr int Rows = 100000;

std::string Text(int Id, int Col) {
    return std::to_string(Id) + ":" + std::to_string(Col);
}

class LargeGrid : public WidgetTest {};

} // namespace

TEST_F(LargeGrid, EveryCellComesBackWhereItBelongs) {
    TExtStringGrid grid(nullptr);
    grid.SetColCount(Cols);
    grid.SetRowCount(Rows);
    // The model: the id of the row at every real place.
    std::vector<int> model(Rows);
    for (int r = 0; r < Rows; ++r) {
        model[static_cast<size_t>(r)] = r;
        for (int c = 0; c < Cols; ++c)
            grid.SetCells(c, r, Text(r, c));
    }
    grid.SetCellBackColor(1, 50000, clInfoBk);

    // Hide every seventh row of the first half in one pass, and a range.
    TIntList list(0, 0);
    for (int r = 1; r < Rows / 2; r += 7)
        list.Add(r);
    grid.HideRowList(list);
    grid.HideRows(60000, 60999);
    EXPECT_EQ(grid.NumHiddenRows(), list.Count() + 1000);
    EXPECT_EQ(grid.GetAllRowCount(), Rows);

    // Insert and delete in the middle, around the hidden rows.
    int nextId = Rows;
    for (int i = 0; i < 100; ++i) {
        const int at = grid.RowCount() / 2 + i;
        const int real = grid.RealRowIndex(at);
        grid.InsertRows(at, 1);
        model.insert(model.begin() + real, nextId);
        for (int c = 0; c < Cols; ++c)
            grid.SetCells(c, at, Text(nextId, c));
        ++nextId;
    }
    for (int i = 0; i < 100; ++i) {
        const int at = grid.RowCount() / 3 + 5 * i;
        const int real = grid.RealRowIndex(at);
        grid.RemoveRows(at, 1);
        model.erase(model.begin() + real);
    }
    ASSERT_EQ(grid.GetAllRowCount(), static_cast<int>(model.size()));

    // Read through the hidden rows, then show everything again.
    for (int r = 0; r < grid.GetAllRowCount(); ++r)
        ASSERT_EQ(grid.GetAllCells(2, r), Text(model[static_cast<size_t>(r)], 2)) << r;
    grid.UnHideRows(60000, 60999); // the range, where it now is, shows nothing unless hidden
    grid.UnHideRowsAll();
    ASSERT_EQ(grid.NumHiddenRows(), 0);
    ASSERT_EQ(grid.RowCount(), static_cast<int>(model.size()));
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < Cols; ++c)
            ASSERT_EQ(grid.Cells(c, r), Text(model[static_cast<size_t>(r)], c)) << c << "," << r;
    const auto colored = std::find(model.begin(), model.end(), 50000) - model.begin();
    EXPECT_EQ(grid.GetCellBackColor(1, static_cast<int>(colored)), clInfoBk);
    EXPECT_EQ(grid.FindCellProperties(1, static_cast<int>(colored))->OwnerRow, colored);
}
