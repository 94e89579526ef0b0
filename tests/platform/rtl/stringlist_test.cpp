#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "vz_test_support.h"

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

TEST(StringList, InsertReachesTheEndButNotBeyond) {
    TStringList list;
    list.Insert(0, "b");
    list.Insert(1, "c"); // at Count: appended
    list.Insert(0, "a");
    EXPECT_EQ(list.CommaText(), "a,b,c");
    EXPECT_THROW(list.Insert(4, "x"), EListError);
    EXPECT_THROW(list.Insert(-1, "x"), EListError);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, SortingAListSortsWhatItHolds) {
    TStringList list;
    list.SetCommaText("c,a,b");
    list.SetSorted(true);
    EXPECT_EQ(list.CommaText(), "a,b,c");
    EXPECT_EQ(list.IndexOf("c"), 2);
    list.Add("a0");
    EXPECT_EQ(list.Strings(1), "a0");
    list.SetSorted(false);
    list.Add("0");
    EXPECT_EQ(list.Strings(4), "0"); // unsorted again: added at the end
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
    EXPECT_FALSE(list.Find("0", idx));
    EXPECT_EQ(idx, 0);
    EXPECT_FALSE(list.Find("d", idx));
    EXPECT_EQ(idx, 3);
    list.Duplicates = TDuplicates::dupError;
    EXPECT_THROW(list.Add("a"), EListError);
    EXPECT_THROW(list.Insert(0, "z"), EListError);
}

TEST(StringList, AcceptedDuplicatesFollowTheOnesThere) {
    Tagged first(1), second(2), third(3), last(4), lastAgain(5);
    TStringList list;
    list.SetSorted(true);
    list.Duplicates = TDuplicates::dupAccept;
    list.AddObject("b", &first);
    list.AddObject("a", nullptr);
    list.AddObject("c", &last);
    list.AddObject("B", &second);
    list.AddObject("b", &third);
    list.AddObject("c", &lastAgain); // a duplicate of the last item
    ASSERT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Objects(1), &first);
    EXPECT_EQ(list.Objects(2), &second);
    EXPECT_EQ(list.Objects(3), &third);
    EXPECT_EQ(list.Objects(4), &last);
    EXPECT_EQ(list.Objects(5), &lastAgain);
    // Searches find the first of equal keys.
    int idx = -1;
    EXPECT_TRUE(list.Find("b", idx));
    EXPECT_EQ(idx, 1);
    EXPECT_EQ(list.IndexOf("C"), 4);
    list.SetCaseSensitive(true); // "B" and "b" differ now
    EXPECT_EQ(list.Objects(list.IndexOf("B")), &second);
    EXPECT_EQ(list.Objects(list.IndexOf("b")), &first);
}

TEST(StringList, TextAndDelimited) {
    TStringList list;
    list.SetText("a\r\nb\nc\rd\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(3), "d");
    EXPECT_EQ(list.Text(), "a\r\nb\r\nc\r\nd\r\n");
    list.SetText("a\r\n\r\nb");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(1), "");
    list.SetCommaText("x, \"y z\",\"q\"\"q\",");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Strings(1), "y z");
    EXPECT_EQ(list.Strings(2), "q\"q");
    EXPECT_EQ(list.Strings(3), "");
    EXPECT_EQ(list.CommaText(), "x,\"y z\",\"q\"\"q\",");
    list.Clear();
    list.Add("Naam=Jan");
    EXPECT_EQ(list.Values("naam"), "Jan");
    EXPECT_EQ(list.Values("Naa"), "");
    EXPECT_EQ(list.Names(0), "Naam");
    list.SetValues("Rating", "1600");
    EXPECT_EQ(list.Strings(1), "Rating=1600");
    list.SetValues("rating", "1700");
    EXPECT_EQ(list.Strings(1), "rating=1700");
    list.SetValues("Naam", "");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.IndexOfName("Rating"), 0);
}

struct CommaCase {
    const char* Text;
    std::vector<std::string> Items;
    const char* Written; // CommaText of the items read
};

class CommaTextTable : public ::testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextTable, EmptyStringsKeepTheirPlaces) {
    const CommaCase& c = GetParam();
    TStringList list;
    list.SetCommaText(c.Text);
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list.Strings(i));
    EXPECT_EQ(items, c.Items);
    EXPECT_EQ(list.CommaText(), c.Written);
}

INSTANTIATE_TEST_SUITE_P(StringList, CommaTextTable,
                         ::testing::Values(CommaCase{"", {}, ""}, CommaCase{"\"\"", {""}, "\"\""},
                                           CommaCase{",", {"", ""}, ","},
                                           CommaCase{"a,,b", {"a", "", "b"}, "a,,b"},
                                           CommaCase{",a", {"", "a"}, ",a"},
                                           CommaCase{"a,", {"a", ""}, "a,"},
                                           CommaCase{"a b", {"a", "b"}, "a,b"},
                                           CommaCase{"\"a b\",c", {"a b", "c"}, "\"a b\",c"},
                                           CommaCase{"a,\"\",b", {"a", "", "b"}, "a,,b"}));

TEST(StringList, StrictDelimiterKeepsSpaces) {
    TStringList list;
    list.Delimiter = ';';
    list.StrictDelimiter = true;
    list.SetDelimitedText("a b;;c ");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Strings(0), "a b");
    EXPECT_EQ(list.Strings(1), "");
    EXPECT_EQ(list.Strings(2), "c ");
    EXPECT_EQ(list.DelimitedText(), "a b;;c ");
}

TEST(StringList, FileRoundTripWithCrLf) {
    const TTestFolder folder("vz_stringlist");
    const std::string name = folder.File("sl_test_\xe9.txt");
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
