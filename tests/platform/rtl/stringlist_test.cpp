#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"

namespace {
struct Tagged : TObject {
    explicit Tagged(int v) : value(v) {}
    int value;
};
} // namespace

TEST(StringList, ObjectsTravelWithTheirStrings) {
    Tagged a(1), b(2), c(3);
    TStringList list;
    list.AddObject("02", &b);
    list.AddObject("01", &a);
    list.InsertObject(1, "03", &c);
    ASSERT_EQ(list.Count(), 3);
    list.Sort();
    EXPECT_EQ(list.Strings(0), "01");
    EXPECT_EQ(list.Objects(0), &a);
    EXPECT_EQ(list.Objects(2), &c);
    list.Delete(0);
    EXPECT_EQ(list.Objects(0), &b);
    EXPECT_EQ(list.IndexOfObject(&c), 1);
    EXPECT_THROW(list.Strings(5), EListError);
}

TEST(StringList, SortIsStableForEqualKeys) {
    std::vector<std::unique_ptr<Tagged>> objs;
    TStringList list;
    for (int i = 0; i < 50; ++i) {
        objs.push_back(std::make_unique<Tagged>(i));
        list.AddObject(i % 2 ? "001" : "000", objs.back().get());
    }
    list.Sort();
    int lastEven = -1, lastOdd = -1;
    for (int i = 0; i < list.Count(); ++i) {
        const int v = static_cast<Tagged*>(list.Objects(i))->value;
        int& last = v % 2 ? lastOdd : lastEven;
        EXPECT_GT(v, last);
        last = v;
    }
    EXPECT_EQ(static_cast<Tagged*>(list.Objects(0))->value % 2, 0);
}

TEST(StringList, SortedFindAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    list.Add("b");
    list.Add("a");
    list.Add("c");
    list.Add("b");
    EXPECT_EQ(list.Count(), 3);
    int idx = -1;
    EXPECT_TRUE(list.Find("B", idx));
    EXPECT_EQ(idx, 1);
    EXPECT_FALSE(list.Find("bb", idx));
    EXPECT_EQ(idx, 2);
    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("a"), EListError);
    EXPECT_THROW(list.Insert(0, "z"), EListError);
}

TEST(StringList, TextAndDelimited) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), "d");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetCommaText("x, \"y z\",\"q\"\"q\",");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(1), "y z");
    EXPECT_EQ(list.Strings(2), "q\"q");
    EXPECT_EQ(list.Strings(3), "");
    EXPECT_EQ(list.CommaText(), "x,\"y z\",\"q\"\"q\",");
    list.Clear();
    list.Add("Naam=Jan");
    EXPECT_EQ(list.Values("naam"), "Jan");
    list.SetValues("Rating", "1600");
    EXPECT_EQ(list.Strings(1), "Rating=1600");
}

TEST(StringList, FileRoundTripWithCrLf) {
    const std::string dir = GetCurrentDir();
    const std::string name = dir + "/sl_test_\xe9.txt";
    TStringList list;
    list.Add("\xbd punt");
    list.Add("twee");
    list.SaveToFile(name);
    EXPECT_EQ(ReadFileBytes(name), "\xbd punt\r\ntwee\r\n");
    TStringList back;
    back.LoadFromFile(name);
    EXPECT_TRUE(back.Equals(list));
    EXPECT_TRUE(DeleteFile(name));
    EXPECT_THROW(back.LoadFromFile(name), EFOpenError);
}

TEST(StringList, OnChangeFiresOncePerUpdate) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
}
