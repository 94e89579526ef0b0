#include <gtest/gtest.h>

#include <vector>

#include "grid/support/intlists.h"

TEST(IntList, CommaTextFiresPerNumberAndReadsBack) {
    TIntList list(4, 7);
    std::vector<std::pair<int, int>> calls;
    list.OnChange = [&](TObject* Sender, int p1, int p2) {
        EXPECT_EQ(Sender, &list);
        calls.emplace_back(p1, p2);
    };
    list.SetCommaText("3,1,2");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0), 3);
    EXPECT_EQ(list.Items(1), 1);
    EXPECT_EQ(list.Items(2), 2);
    EXPECT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], std::make_pair(4, 7));
    EXPECT_EQ(list.CommaText(), "3,1,2");
    list.SetCommaText(" 5 , -6 ");
    EXPECT_EQ(list.CommaText(), "5,-6");
    list.SetCommaText("");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CommaText(), "");
}

TEST(IntList, BadCommaTextLeavesTheListAsItWas) {
    TIntList list(0, 0);
    list.SetCommaText("1,2,3");
    int changes = 0;
    list.OnChange = [&](TObject*, int, int) { ++changes; };
    EXPECT_THROW(list.SetCommaText("4,x,6"), EConvertError);
    EXPECT_THROW(list.SetCommaText("4,,6"), EConvertError);
    EXPECT_EQ(list.CommaText(), "1,2,3");
    EXPECT_EQ(changes, 0);
}

TEST(IntList, WhichOperationsNotify) {
    TIntList list(-1, -1);
    int changes = 0;
    list.OnChange = [&](TObject*, int, int) { ++changes; };
    list.Add(10);
    list.Insert(0, 5); // silent
    EXPECT_EQ(changes, 1);
    list.SetItems(1, 11);
    list.Delete(0);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(list.CommaText(), "11");
    EXPECT_EQ(list.IndexOf(11), 0);
    EXPECT_EQ(list.IndexOf(5), -1);
    EXPECT_THROW(list.Items(1), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Insert(3, 1), EListError);
}

TEST(SortIndexList, DirectionLivesInBit31) {
    TSortIndexList list(0, 0);
    list.AddIndex(4, false);
    EXPECT_EQ(list.FindIndex(4), 0);
    EXPECT_FALSE(list.SortAscending(0));
    list.ToggleIndex(4);
    EXPECT_EQ(list.Items(0), 4);
    EXPECT_EQ(list.FindIndex(4), 0);
    EXPECT_TRUE(list.SortAscending(0));
    list.AddIndex(2, true);
    list.ToggleIndex(2);
    EXPECT_EQ(static_cast<uint32_t>(list.Items(1)), 0x80000002u);
    EXPECT_EQ(list.SortColumn(1), 2);
    EXPECT_EQ(list.FindIndex(3), -1);
    list.ToggleIndex(3); // absent: nothing
    EXPECT_EQ(list.Count(), 2);
}
