#include <gtest/gtest.h>

#include "gridfixture.h"
#include "platform/rtl/sysutils.h"

namespace {

class Sort : public GridTest {
protected:
    // One fixed row, column 0 the row label, column 1.. the given values.
    void Load(const std::vector<std::vector<std::string>>& Rows) {
        Grid->SetColCount(static_cast<int>(Rows[0].size()) + 1);
        Grid->SetRowCount(static_cast<int>(Rows.size()) + 1);
        Grid->SetFixedRows(1);
        for (size_t r = 0; r < Rows.size(); ++r) {
            Grid->SetCells(0, static_cast<int>(r) + 1, "L" + std::to_string(r));
            for (size_t c = 0; c < Rows[r].size(); ++c)
                Grid->SetCells(static_cast<int>(c) + 1, static_cast<int>(r) + 1, Rows[r][c]);
        }
    }
    std::vector<std::string> Normal(int Col) const {
        std::vector<std::string> v;
        for (int r = Grid->FixedRows(); r < Grid->RowCount() - Grid->FixedFooters(); ++r)
            v.push_back(Grid->Cells(Col, r));
        return v;
    }
    void Style(TSortStyle S) {
        Grid->OnGetFormat = [S](TObject*, int, TSortStyle& A, std::string&, std::string&) {
            A = S;
        };
    }
    void By(int Col, TSortDirection D = sdAscending) {
        Grid->SortSettings()->Column = Col;
        Grid->SortSettings()->Direction = D;
        Grid->SortByColumn();
    }
    using V = std::vector<std::string>;
};

} // namespace

TEST_F(Sort, NumericBlankCountsAsZeroAndNineBeforeTen) {
    Load({{"10"}, {"9"}, {""}});
    Style(ssNumeric);
    By(1);
    EXPECT_EQ(Normal(1), (V{"", "9", "10"}));
    By(1, sdDescending);
    EXPECT_EQ(Normal(1), (V{"10", "9", ""}));
}

TEST_F(Sort, AutomaticStyleComparesNumbersAsNumbers) {
    Load({{"100"}, {"20"}, {"3"}});
    By(1);
    EXPECT_EQ(Normal(1), (V{"3", "20", "100"}));
    Grid->SortSettings()->AutoFormat = false; // alphabetic
    By(1);
    EXPECT_EQ(Normal(1), (V{"100", "20", "3"}));
}

TEST_F(Sort, BlanksLastInBothDirections) {
    Load({{"b"}, {""}, {"a"}, {""}, {"c"}});
    Grid->SortSettings()->IgnoreBlanks = true;
    Grid->SortSettings()->BlankPos = blLast;
    By(1);
    EXPECT_EQ(Normal(1), (V{"a", "b", "c", "", ""}));
    By(1, sdDescending);
    EXPECT_EQ(Normal(1), (V{"c", "b", "a", "", ""}));
    Grid->SortSettings()->BlankPos = blFirst;
    By(1, sdDescending);
    EXPECT_EQ(Normal(1), (V{"", "", "c", "b", "a"}));
}

TEST_F(Sort, CaseStyles) {
    Load({{"b"}, {"B"}, {"a"}, {"A"}});
    Style(ssAlphaCase);
    By(1);
    EXPECT_EQ(Normal(1), (V{"A", "B", "a", "b"}));
    Style(ssAlphaNoCase); // ties keep the order they had
    By(1);
    EXPECT_EQ(Normal(1), (V{"A", "a", "B", "b"}));
    Style(ssAnsiAlphaNoCase);
    Load({{"\xC9t"}, {"eu"}, {"Ez"}}); // Ét, eu, Ez
    By(1);
    EXPECT_EQ(Normal(1), (V{"eu", "Ez", "\xC9t"}));
}

TEST_F(Sort, FullBreaksTiesOnTheNextColumnAndStableOtherwise) {
    Load({{"1", "z"}, {"2", "a"}, {"1", "b"}, {"1", "a"}});
    By(1);
    EXPECT_EQ(Normal(2), (V{"a", "b", "z", "a"}));
    Grid->SortSettings()->Full = false;
    Load({{"1", "z"}, {"2", "a"}, {"1", "b"}, {"1", "a"}});
    By(1, sdDescending);
    // Stable: equal keys keep their order in either direction.
    EXPECT_EQ(Normal(2), (V{"a", "z", "b", "a"}));
}

TEST_F(Sort, DateStylesAndFinancial) {
    Load({{"31-12-2020"}, {"01-02-2021"}, {"15-06-2019"}});
    Style(ssShortDateEU);
    By(1);
    EXPECT_EQ(Normal(1), (V{"15-06-2019", "31-12-2020", "01-02-2021"}));
    Load({{"12/31/2020"}, {"02/01/2020"}, {"06/15/2019"}});
    Style(ssShortDateUS);
    By(1);
    EXPECT_EQ(Normal(1), (V{"06/15/2019", "02/01/2020", "12/31/2020"}));

    TFormatSettings saved = FormatSettings();
    FormatSettings().DecimalSeparator = ',';
    FormatSettings().ThousandSeparator = '.';
    Load({{"1.234,50"}, {"999,99"}, {"12.000,00"}});
    Style(ssFinancial);
    By(1);
    FormatSettings() = saved;
    EXPECT_EQ(Normal(1), (V{"999,99", "1.234,50", "12.000,00"}));
}

TEST_F(Sort, NumericWithPrefixAndSuffix) {
    Load({{"EUR 30 k"}, {"EUR 4 k"}, {"EUR 200 k"}});
    Grid->OnGetFormat = [](TObject*, int, TSortStyle& A, std::string& P, std::string& S) {
        A = ssNumeric;
        P = "EUR ";
        S = " k";
    };
    By(1);
    EXPECT_EQ(Normal(1), (V{"EUR 4 k", "EUR 30 k", "EUR 200 k"}));
}

TEST_F(Sort, CustomAndRawComparisonsAreAsked) {
    Load({{"aaa"}, {"b"}, {"cc"}});
    Style(ssCustom);
    Grid->OnCustomCompare = [](TObject*, const std::string& A, const std::string& B, int& R) {
        R = static_cast<int>(A.size()) - static_cast<int>(B.size());
    };
    By(1);
    EXPECT_EQ(Normal(1), (V{"b", "cc", "aaa"}));
    Style(ssRaw);
    Grid->OnRawCompare = [this](TObject*, int C, int R1, int R2, int& R) {
        R = -Grid->Cells(C, R1).compare(Grid->Cells(C, R2));
    };
    By(1);
    EXPECT_EQ(Normal(1), (V{"cc", "b", "aaa"}));
}

TEST_F(Sort, CheckBoxesCheckedAfterUnchecked) {
    Load({{"x"}, {"y"}, {"z"}});
    for (int r = 1; r <= 3; ++r) {
        TCellGraphic* g = Grid->CreateCellGraphic(1, r);
        g->CellType = ctCheckBox;
        g->CellBoolean = r != 2;
    }
    By(1);
    EXPECT_EQ(Normal(1), (V{"y", "x", "z"}));
    EXPECT_FALSE(Grid->GetCellGraphic(1, 1)->CellBoolean);
}

TEST_F(Sort, IndexedSortPerColumnDirections) {
    Load({{"b", "1"}, {"a", "2"}, {"b", "3"}, {"a", "1"}});
    EXPECT_THROW(Grid->IndexedSort(), EExtGridError);
    EXPECT_EQ(Normal(1), (V{"b", "a", "b", "a"})); // nothing changed
    Grid->SortIndexes()->AddIndex(2, false);
    Grid->SortIndexes()->AddIndex(1, true);
    Grid->IndexedSort();
    EXPECT_EQ(Normal(2), (V{"3", "2", "1", "1"}));
    EXPECT_EQ(Normal(1), (V{"b", "a", "a", "b"}));
    // SortByColumn forgets the indexes.
    By(1);
    EXPECT_EQ(Grid->SortIndexes()->Count(), 0);
}

TEST_F(Sort, RowsKeepPropertiesHeightsAndObjects) {
    Load({{"c", "3"}, {"a", "1"}, {"b", "2"}});
    Grid->SetCellBackColor(2, 1, clRed); // the "c" row
    Grid->SetRowHeights(2, 44);          // the "a" row
    TObject marker;
    Grid->SetObjects(2, 3, &marker); // the "b" row
    Grid->HideColumn(2);
    By(1);
    Grid->UnHideColumnsAll();
    EXPECT_EQ(Normal(1), (V{"a", "b", "c"}));
    EXPECT_EQ(Normal(2), (V{"1", "2", "3"}));
    EXPECT_EQ(Grid->GetCellBackColor(2, 3), clRed);
    EXPECT_EQ(Grid->GetCellBackColor(2, 1), clNone);
    EXPECT_EQ(Grid->RowHeights(1), 44);
    EXPECT_EQ(Grid->Objects(2, 2), &marker);
    EXPECT_EQ(Normal(0), (V{"L1", "L2", "L0"}));
}

TEST_F(Sort, FixedAndFooterRowsStayAndLabelsCanStay) {
    Load({{"c"}, {"a"}, {"b"}, {"SUM"}});
    Grid->SetFixedCols(1);
    Grid->SetFixedFooters(1);
    Grid->SortSettings()->NormalCellsOnly = true;
    By(1);
    EXPECT_EQ(Normal(1), (V{"a", "b", "c"}));
    EXPECT_EQ(Grid->Cells(1, 4), "SUM");
    EXPECT_EQ(Normal(0), (V{"L0", "L1", "L2"}));
}

TEST_F(Sort, VerticalMergesAreSplitRowMergesFollow) {
    Load({{"b", "x"}, {"a", "y"}, {"c", "z"}});
    Grid->MergeCells(1, 1, 2, 1); // inside the "b" row
    Grid->MergeCells(2, 2, 1, 2); // over the "a" and "c" rows
    By(1);
    EXPECT_EQ(Normal(1), (V{"a", "b", "c"}));
    EXPECT_TRUE(Grid->IsXMerged(1, 2));
    EXPECT_FALSE(Grid->IsYMerged(2, 1));
    EXPECT_FALSE(Grid->IsYMerged(2, 3));
}

TEST_F(Sort, HiddenRowsStayOutAndComeBackAtTheirPlace) {
    Load({{"d"}, {"c"}, {"b"}, {"a"}});
    Grid->HideRow(2); // "c"
    By(1);
    EXPECT_EQ(Normal(1), (V{"a", "b", "d"}));
    Grid->UnHideRowsAll();
    EXPECT_EQ(Grid->Cells(1, 2), "c");
    EXPECT_EQ(Grid->RowCount(), 5);
}

TEST_F(Sort, UnSortAfterTwoSorts) {
    Load({{"b", "2"}, {"c", "1"}, {"a", "3"}});
    By(1);
    By(2, sdDescending);
    Grid->UnSort();
    EXPECT_EQ(Normal(1), (V{"b", "c", "a"}));
    EXPECT_EQ(Normal(0), (V{"L0", "L1", "L2"}));
}

TEST_F(Sort, CurrentRowFollowsItsDataOnlyWhenAsked) {
    Load({{"c"}, {"b"}, {"a"}});
    Grid->SetRow(1);
    By(1);
    EXPECT_EQ(Grid->Row(), 1);
    Grid->Navigation()->MoveRowOnSort = true;
    By(1, sdDescending); // "a" at row 1 goes to row 3
    EXPECT_EQ(Grid->Row(), 3);
    EXPECT_EQ(Grid->Cells(1, Grid->Row()), "a");
}

TEST_F(Sort, SwapRowsAndCompareRows) {
    Load({{"10"}, {"9"}});
    Style(ssNumeric);
    EXPECT_EQ(Grid->CompareRows(1, 1, 2), 1);
    EXPECT_EQ(Grid->CompareRows(1, 2, 1), -1);
    EXPECT_EQ(Grid->CompareRows(1, 1, 1), 0);
    Grid->SwapRows(1, 2);
    EXPECT_EQ(Normal(1), (V{"9", "10"}));
    EXPECT_EQ(Normal(0), (V{"L1", "L0"}));
}

TEST_F(Sort, ShortDatesOfEveryFormReadAlike) {
    // Two-digit years, other separators, impossible dates (no date: first).
    Load({{"1.2.99"}, {"31/04/2020"}, {"01-01-05"}, {"5-6-1926"}, {"x-1-2000"}, {"30-12-1999"}});
    Style(ssShortDateEU);
    By(1);
    EXPECT_EQ(Normal(1),
              (V{"31/04/2020", "x-1-2000", "5-6-1926", "1.2.99", "30-12-1999", "01-01-05"}));
}

TEST_F(Sort, HtmlUnicodeAnsiCaseAndImageStyles) {
    Load({{"<b>z</b>"}, {"<i>a</i>"}, {"m"}});
    Style(ssHTML); // tags do not count
    By(1);
    EXPECT_EQ(Normal(1), (V{"<i>a</i>", "m", "<b>z</b>"}));
    Load({{"b"}, {"B"}, {"a"}});
    Style(ssAnsiAlphaCase); // letters first, then case
    By(1);
    EXPECT_EQ(Normal(1), (V{"a", "B", "b"}));
    Load({{"x"}, {"y"}, {"z"}});
    Grid->SetWideCells(1, 1, u"\u0411");
    Grid->SetWideCells(1, 2, u"\u0430");
    Grid->SetWideCells(1, 3, u"\u0432");
    Style(ssUnicode); // Cyrillic, case ignored: a, B, v
    By(1);
    EXPECT_EQ(Grid->WideCells(1, 1), u"\u0430");
    EXPECT_EQ(Grid->WideCells(1, 2), u"\u0411");
    EXPECT_EQ(Grid->WideCells(1, 3), u"\u0432");
    Load({{"p"}, {"q"}, {"r"}});
    Grid->CreateCellGraphic(1, 1)->SetImageListGraphic(5, haLeft, vaTop);
    Grid->CreateCellGraphic(1, 3)->SetImageListGraphic(2, haLeft, vaTop);
    Style(ssImages); // no image (-1) first, then by index
    By(1);
    EXPECT_EQ(Normal(1), (V{"q", "r", "p"}));
}
