#include <gtest/gtest.h>

#include "grid/gridunit.h"
#include "gridfixture.h"
#include "platform/vcl/clipbrd.h"

namespace {

class ExtGrid : public GridTest {};

} // namespace

TEST_F(ExtGrid, DefaultsOfANewGrid) {
    EXPECT_EQ(Grid->DefaultRowHeight(), 21);
    EXPECT_EQ(Grid->FloatFormat, "%.2f");
    EXPECT_EQ(Grid->GetCheckTrue(1, 1), "Y");
    EXPECT_EQ(Grid->GetCheckFalse(1, 1), "N");
    EXPECT_EQ(Grid->SelectionColor(), 15387318);
    EXPECT_EQ(Grid->SelectionTextColor(), clBlack);
    EXPECT_TRUE(Grid->ShowSelection());
    EXPECT_EQ(Grid->HintColor, static_cast<TColor>(0x80000018));
    EXPECT_EQ(Grid->URLColor(), 0xFF0000);
    EXPECT_TRUE(Grid->EnableHTML);
    EXPECT_TRUE(Grid->WordWrap());
    EXPECT_TRUE(Grid->IntelliZoom);
    EXPECT_TRUE(Grid->EnhRowColMove);
    EXPECT_FALSE(Grid->AutoSize());
    EXPECT_EQ(Grid->VAlignment(), vtaTop);
    EXPECT_EQ(Grid->Look(), glXP);
    EXPECT_EQ(Grid->ScrollType, ssNormal);
    EXPECT_EQ(Grid->ScrollColor, clNone);
    EXPECT_EQ(Grid->ScrollWidth, GridScrollBarSize);
    EXPECT_EQ(Grid->ActiveCellColor, 0x808080);
    EXPECT_EQ(Grid->FixedFont()->Name(), "Tahoma");
    EXPECT_EQ(Grid->FixedFont()->Style(), fsBold);
    EXPECT_EQ(Grid->ActiveCellFont()->Style(), fsBold);
    EXPECT_FALSE(Grid->HasCombo(1, 1));
    EXPECT_FALSE(Grid->HasFilter(1));
    EXPECT_TRUE(Grid->DatePickerAvailable());
    EXPECT_TRUE(Grid->ComCtl6());
    EXPECT_EQ(Grid->GetVersionString(), "2.6.0.2 August, 2003");
}

TEST_F(ExtGrid, UnitStartUpRegistersTheCellsFormat) {
    const TGridUnit& unit = InitGridUnit();
    EXPECT_EQ(unit.CellsClipboardFormat, RegisterClipboardFormat("TExtStringGrid Cells"));
    EXPECT_EQ(ClipboardFormatName(unit.CellsClipboardFormat), "TExtStringGrid Cells");
    EXPECT_EQ(&unit, &InitGridUnit()); // once
    EXPECT_GE(GetFileVersion("comctl32.dll"), DatePickerComCtlVersion);
    EXPECT_EQ(GetFileVersion("geen.dll"), -1);
}

TEST_F(ExtGrid, BackColorOfACell) {
    Fill(3, 3);
    EXPECT_EQ(Grid->GetCellBackColor(1, 1), clNone);
    Grid->SetCellBackColor(1, 1, clInfoBk);
    EXPECT_EQ(Grid->GetCellBackColor(1, 1), clInfoBk);
    EXPECT_FALSE(Grid->GetCellReadOnly(2, 2));
    EXPECT_EQ(Grid->GetCellAlignmentProp(2, 2), taLeftJustify);
    EXPECT_EQ(Grid->GetCellControl(2, 2), nullptr);
}

TEST_F(ExtGrid, RowUpdateIsReportedOncePerMove) {
    Fill(3, 6);
    std::vector<std::pair<int, int>> updates;
    Grid->OnRowUpdate = [&updates](TObject*, int OldRow, int NewRow) {
        updates.emplace_back(OldRow, NewRow);
    };
    Grid->SetRow(3);
    Grid->SetRow(3);
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0], std::make_pair(-1, 3));
    Grid->BeginGridUpdate();
    Grid->SetRow(4);
    Grid->EndGridUpdate();
    EXPECT_EQ(updates.size(), 1u);
    Grid->SetRow(5);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[1], std::make_pair(3, 5));
}

TEST_F(ExtGrid, FixedRowAlwaysAnswersOneFixedRow) {
    Grid->FixedRowAlways = true;
    Grid->SetRowCount(1);
    EXPECT_EQ(Grid->TBaseGrid::FixedRows(), 0);
    EXPECT_EQ(Grid->FixedRows(), 1);
    Grid->SetRowCount(5);
    EXPECT_EQ(Grid->TBaseGrid::FixedRows(), 1);
    bool fixed = false;
    Grid->IsFixedCell(2, 0, fixed);
    EXPECT_TRUE(fixed);
    fixed = false;
    Grid->IsFixedCell(2, 2, fixed);
    EXPECT_FALSE(fixed);
}

TEST_F(ExtGrid, CanEditFollowsReadOnlyAndTheBaseCell) {
    Fill(4, 4);
    Grid->SetOptions(Grid->Options() - goEditing);
    bool canEdit = true;
    Grid->CanEditCell(1, 1, canEdit); // no record: the incoming answer stays
    EXPECT_TRUE(canEdit);
    Grid->SetCellBackColor(1, 1, clRed);
    Grid->CanEditCell(1, 1, canEdit); // a record and editing off
    EXPECT_FALSE(canEdit);
    Grid->SetOptions(Grid->Options() + goEditing);
    canEdit = true;
    Grid->CanEditCell(1, 1, canEdit);
    EXPECT_TRUE(canEdit);
    Grid->SetCellReadOnly(1, 1, true);
    Grid->CanEditCell(1, 1, canEdit);
    EXPECT_FALSE(canEdit);
    ASSERT_TRUE(Grid->MergeCells(2, 2, 2, 2));
    int eventRow = -1, eventCol = -1;
    Grid->OnCanEditCell = [&](TObject*, int ARow, int ACol, bool&) {
        eventRow = ARow;
        eventCol = ACol;
    };
    canEdit = true;
    Grid->CanEditCell(3, 3, canEdit);
    EXPECT_EQ(eventRow, 2);
    EXPECT_EQ(eventCol, 2);
}

TEST_F(ExtGrid, CellColorsFromTheRecordThenTheEvent) {
    Fill(4, 4);
    TCellProperties* p = Grid->GetCellProperties(2, 2);
    p->SetBrushColor(clYellow);
    p->FontColor = clRed;
    p->FontSize = 14;
    p->FontName = "Courier New";
    TBrush brush;
    TFont font;
    Grid->GetCellColor(2, 2, TGridDrawState{}, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Size(), 14);
    EXPECT_EQ(font.Name(), "Courier New");
    TColor seen = clNone;
    Grid->OnGetCellColor = [&seen](TObject*, int, int, TGridDrawState, TBrush* ABrush, TFont*) {
        seen = ABrush->Color();
        ABrush->SetColor(clLime);
    };
    Grid->GetCellColor(2, 2, TGridDrawState{}, &brush, &font);
    EXPECT_EQ(seen, clYellow);
    EXPECT_EQ(brush.Color(), clLime);
}

TEST_F(ExtGrid, ActiveCellHeadersTakeTheActiveLook) {
    Fill(4, 4);
    Grid->SetFixedCols(1);
    Grid->ActiveCellShow = true;
    Grid->FocusCell(2, 3, true);
    TBrush brush;
    TFont font;
    Grid->GetCellColor(2, 0, TGridDrawState{}, &brush, &font);
    EXPECT_EQ(brush.Color(), Grid->ActiveCellColor);
    EXPECT_EQ(font.Style(), fsBold);
    TBrush other;
    Grid->GetCellColor(0, 3, TGridDrawState{}, &other, &font);
    EXPECT_EQ(other.Color(), Grid->ActiveCellColor);
    TBrush plain;
    plain.SetColor(clWhite);
    Grid->GetCellColor(1, 0, TGridDrawState{}, &plain, &font);
    EXPECT_EQ(plain.Color(), clWhite);
}

TEST_F(ExtGrid, ColumnHeadersWriteTheFixedRow) {
    Fill(3, 3);
    TStringList headers;
    headers.Add("Naam");
    headers.Add("Rating\\nKNSB");
    Grid->SetColumnHeaders(&headers);
    EXPECT_EQ(Grid->Cells(0, 0), "Naam");
    EXPECT_EQ(Grid->Cells(1, 0), "Rating\rKNSB");
    EXPECT_EQ(Grid->Cells(2, 0), "");
    EXPECT_EQ(Grid->Cells(1, 1), "c1r1");
}

TEST_F(ExtGrid, VerticalAlignmentGivesItsTextFlag) {
    Grid->SetVAlignment(vtaCenter);
    EXPECT_EQ(Grid->VAlignmentFlag(), 4u);
    Grid->SetVAlignment(vtaBottom);
    EXPECT_EQ(Grid->VAlignmentFlag(), 8u);
    Grid->SetVAlignment(vtaTop);
    EXPECT_EQ(Grid->VAlignmentFlag(), 0u);
}

TEST_F(ExtGrid, MergedCellsReadAndWriteTheirBase) {
    Fill(4, 4);
    ASSERT_TRUE(Grid->MergeCells(1, 1, 2, 2));
    Grid->SetCells(2, 2, "samen");
    EXPECT_EQ(Grid->Cells(1, 1), "samen");
    EXPECT_EQ(Grid->Cells(2, 1), "samen");
    Grid->SetWideCells(3, 3, u"\u0416");
    EXPECT_EQ(Grid->WideCells(3, 3), u"\u0416");
}

TEST_F(ExtGrid, IntegralHeightCutsToWholeRows) {
    Grid->SetColCount(2); // no horizontal scroll bar before or after
    Grid->SetIntegralHeight(true);
    Grid->SetBounds(0, 0, 300, 100);
    const int border = Grid->BorderStyle() == bsSingle ? 2 : 0;
    const int bar = Grid->HorzScrollBarShown() ? GridScrollBarSize : 0;
    EXPECT_EQ((Grid->Height() - bar - 2 * border) % Grid->DefaultRowHeight(), 0);
}

TEST_F(ExtGrid, AnEditThatIsNotValidPutsBackTheStartText) {
    Fill(3, 3);
    Grid->SetOptions(Grid->Options() + goEditing);
    Grid->FocusCell(1, 1, true);
    Grid->SetEditorMode(true);
    Grid->EditStart(1, 1);
    int asked = 0;
    Grid->OnCellValidate = [&asked](TObject*, int ACol, int ARow, std::string& Value, bool& Valid) {
        ++asked;
        if (Value == "beter") Value = "verbeterd";
        Valid = Value == "goed";
    };
    EXPECT_TRUE(Grid->ValidateCell("c1r1")); // unchanged: nobody is asked
    EXPECT_EQ(asked, 0);
    Grid->SetCells(1, 1, "fout"); // as typed
    EXPECT_FALSE(Grid->ValidateCell("fout"));
    EXPECT_EQ(Grid->Cells(1, 1), "c1r1");
    EXPECT_TRUE(Grid->EditorMode());
    EXPECT_FALSE(Grid->ValidateCell("beter"));
    EXPECT_EQ(Grid->Cells(1, 1), "verbeterd"); // the handler's text stays
    EXPECT_TRUE(Grid->ValidateCell("goed"));
    EXPECT_EQ(Grid->Cells(1, 1), "goed");
    EXPECT_EQ(asked, 3);
    Grid->SetEditorMode(false);
    EXPECT_TRUE(Grid->ValidateCell("anders")); // no edit open
    EXPECT_EQ(asked, 3);
}
