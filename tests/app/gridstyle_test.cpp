#include <gtest/gtest.h>

#include "app/gridstyle.h"
#include "grid/columngrid.h"
#include "widgettest.h"

namespace {

class GridStyle : public WidgetTest {};

TEST_F(GridStyle, SizeColourAndRowHeightFollowTheFontSize) {
    TExtColumnGrid Grid(nullptr);
    Grid.SetColCount(3);
    Grid.SetColor(clRed);
    for (const auto& [Size, Height] : {std::pair{9, 24}, {10, 26}, {12, 28}}) {
        SetGridStyle(&Grid, Size);
        EXPECT_EQ(clWindow, Grid.Color());
        EXPECT_EQ(Size, Grid.Font()->Size());
        EXPECT_EQ(Size, Grid.FixedFont()->Size());
        EXPECT_EQ(Height, Grid.DefaultRowHeight());
        ASSERT_EQ(3, Grid.Columns()->Count());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Size, Grid.Columns()->Items(i)->Font()->Size());
            EXPECT_EQ(clInfoBk, Grid.Columns()->Items(i)->Color());
        }
        EXPECT_EQ(ssEncarta, Grid.ScrollType);
    }
}

} // namespace
