#include <gtest/gtest.h>

#include <memory>

#include "grid/support/cellcheck.h"
#include "grid/support/undoredo.h"

TEST(UndoRedo, MaxLevelKeepsTheLatestChanges) {
    TExtGridUndoRedo undo(nullptr);
    undo.SetMaxLevel(3);
    for (int i = 1; i <= 4; ++i)
        undo.AddChange(i, 10 * i, "old" + std::to_string(i), "new");
    ASSERT_EQ(undo.Changes()->Count(), 3);
    EXPECT_EQ(undo.Level(), 3);
    EXPECT_EQ(undo.Changes()->Items(0)->Col, 2);
    EXPECT_EQ(undo.Changes()->Items(0)->Row, 20);
    EXPECT_EQ(undo.Changes()->Items(2)->OrigValue, "old4");
    EXPECT_EQ(undo.Changes()->Items(2)->Value, "new");
}

TEST(UndoRedo, NoLimitAndLoweredLimit) {
    TExtGridUndoRedo undo(nullptr);
    for (int i = 0; i < 20; ++i)
        undo.AddChange(i, 0, "", "");
    EXPECT_EQ(undo.Changes()->Count(), 20);
    // Lowering the limit takes effect with the next change, all at once.
    undo.SetMaxLevel(5);
    undo.AddChange(99, 0, "", "");
    EXPECT_EQ(undo.Changes()->Count(), 5);
    EXPECT_EQ(undo.Level(), 5);
    EXPECT_EQ(undo.Changes()->Items(0)->Col, 16);
    EXPECT_EQ(undo.Changes()->Items(4)->Col, 99);
    undo.SetMaxLevel(1);
    undo.AddChange(100, 0, "", "");
    EXPECT_EQ(undo.Changes()->Count(), 1);
    EXPECT_EQ(undo.Changes()->Items(0)->Col, 100);
}

TEST(UndoRedo, ForgetsADestroyedGrid) {
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* undo = new TExtGridUndoRedo(owner.get()); // owned by owner
    {
        TComponent grid(nullptr);
        undo->SetGrid(&grid);
        EXPECT_EQ(undo->Grid(), &grid);
    }
    EXPECT_EQ(undo->Grid(), nullptr);
    // And the grid outliving the recorder is fine too.
    TComponent grid2(nullptr);
    undo->SetGrid(&grid2);
    owner.reset();
}

namespace {
class UpperChecker : public TExtStringGridCheck {
public:
    using TExtStringGridCheck::TExtStringGridCheck;
    std::string Correct(int, int, const std::string& V) override { return V + "!"; }
    std::string HighlightError(int, int, const std::string& V) override {
        return "<E>" + V + "</E>";
    }
};
} // namespace

TEST(CellCheck, BaseChangesNothingAndFlagsChooseTheSteps) {
    TExtStringGridCheck base(nullptr);
    EXPECT_FALSE(base.AutoCorrect || base.AutoMarkError || base.GotoCell || base.UseCorrect ||
                 base.UseMarkError);
    EXPECT_EQ(base.Correct(1, 1, "abc"), "abc");
    EXPECT_EQ(base.HighlightError(1, 1, "abc"), "abc");
    EXPECT_EQ(ApplyCellCheck(nullptr, 0, 0, "x"), "x");

    UpperChecker checker(nullptr);
    EXPECT_EQ(ApplyCellCheck(&checker, 0, 0, "x"), "x");
    checker.AutoCorrect = true;
    EXPECT_EQ(ApplyCellCheck(&checker, 0, 0, "x"), "x!");
    checker.AutoMarkError = true;
    EXPECT_EQ(ApplyCellCheck(&checker, 0, 0, "x"), "<E>x!</E>");
    checker.AutoCorrect = false;
    EXPECT_EQ(ApplyCellCheck(&checker, 0, 0, "x"), "<E>x</E>");
}
