#pragma once
// Helpers of the grid tests: a form with a string grid on it, real Qt input
// at a cell, and the grid's protected hooks opened up for checking.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/grids/grids.h"
#include "vcltestenv.h"

// A string grid that records what its hooks were asked.
class TProbeGrid : public TStringGrid {
public:
    explicit TProbeGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
    struct TDrawn {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<TDrawn> Drawn;
    std::vector<std::string> EditWrites; // "c,r=value"
    int TopLeftChanges = 0;
    int SizeChanges = 0;
    int ColWidthChanges = 0;
    using TCustomGrid::CalcSizingState;
    using TCustomGrid::FAnchor;
    using TCustomGrid::FCurrent;
    using TCustomGrid::KeyDown;
    using TCustomGrid::ShowEditorChar;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
        Drawn.push_back({ACol, ARow, ARect, AState});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    void SetEditText(int ACol, int ARow, const std::string& Value) override {
        EditWrites.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + "=" + Value);
        TStringGrid::SetEditText(ACol, ARow, Value);
    }
    void TopLeftChanged() override {
        ++TopLeftChanges;
        TStringGrid::TopLeftChanged();
    }
    void SizeChanged(int OldColCount, int OldRowCount) override { ++SizeChanges; }
    void ColWidthsChanged() override {
        ++ColWidthChanges;
        TStringGrid::ColWidthsChanged();
    }
};

struct GridFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = MakeForm(640, 480);
    TProbeGrid* Grid = new TProbeGrid(Form.get());
    void SetUp() override {
        Grid->SetParent(Form.get());
        Grid->SetBounds(8, 8, 400, 300);
    }
    // Shows the form and gives the grid the focus.
    void Activate();
    // Real Qt mouse input at a client point of the grid.
    void Press(int X, int Y, Qt::KeyboardModifiers Mods = Qt::NoModifier);
    void Drag(int X, int Y);
    void Release(int X, int Y);
    void Click(int X, int Y, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        Press(X, Y, Mods);
        Release(X, Y);
    }
    // The middle of a shown cell, in client coordinates.
    TPoint CellCenter(int ACol, int ARow) const;
    void Key(int QtKey, Qt::KeyboardModifiers Mods = Qt::NoModifier);
    void Type(TControl* Target, const std::string& Text);
};
