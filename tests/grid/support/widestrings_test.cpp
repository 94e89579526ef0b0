#include <gtest/gtest.h>

#include <QString>

#include <cstdlib>
#include <memory>

#include "grid/support/widestrings.h"
#include "platform/rtl/streams.h"

namespace {
struct Tagged : TObject {
    explicit Tagged(int v) : Value(v) {}
    int Value;
};
} // namespace

TEST(WideStrings, ListOperationsKeepObjects) {
    TWideStringList list;
    Tagged a(1), b(2), c(3);
    list.AddObject(u"\u0391lpha", &a);
    list.AddObject(u"beta", &b);
    list.AddObject(u"gamma", &c);
    list.Exchange(0, 2);
    EXPECT_EQ(list[0], u"gamma");
    EXPECT_EQ(list.Objects(0), &c);
    EXPECT_EQ(list.Objects(2), &a);
    list.Move(2, 0);
    EXPECT_EQ(list[0], u"\u0391lpha");
    EXPECT_EQ(list.Objects(0), &a);
    EXPECT_EQ(list[1], u"gamma");
    list.Put(1, u"GAMMA");
    EXPECT_EQ(list.Objects(1), &c);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_THROW(list.Get(2), EListError);
    EXPECT_THROW(list.Insert(5, u"x"), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

TEST(WideStrings, IndexOfIgnoresCaseBeyondAscii) {
    TWideStringList list;
    list.Add(u"\u00E9t\u00E9");      // été
    list.Add(u"\u0436\u0443\u043A"); // жук
    list.Add(u"\u00FF");             // ÿ
    EXPECT_EQ(list.IndexOf(u"\u00C9T\u00C9"), 0);
    EXPECT_EQ(list.IndexOf(u"\u0416\u0423\u041A"), 1);
    EXPECT_EQ(list.IndexOf(u"\u0178"), 2);
    EXPECT_EQ(list.IndexOf(u"ete"), -1);
    EXPECT_EQ(CompareWideText(u"abc", u"ABD"), -1);
    EXPECT_EQ(CompareWideText(u"ab", u"AB"), 0);
    EXPECT_GT(CompareWideText(u"abc", u"AB"), 0);
}

TEST(WideStrings, EqualsIsCaseSensitive) {
    TWideStringList a, b;
    a.Add(u"x");
    b.Add(u"X");
    EXPECT_FALSE(a.Equals(b));
    b.Put(0, u"x");
    EXPECT_TRUE(a.Equals(b));
    b.Add(u"y");
    EXPECT_FALSE(a.Equals(b));
}

TEST(WideStrings, TextJoinsAndSplits) {
    TWideStringList list;
    list.SetText(u"a\r\nb\nc\rd\u2028e\u2029f\vg\fh");
    ASSERT_EQ(list.Count(), 8);
    EXPECT_EQ(list[1], u"b");
    EXPECT_EQ(list[7], u"h");
    list.SetText(u"one\r\n\r\ntwo\r\n");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], u"");
    EXPECT_EQ(list.Text(), u"one\r\n\r\ntwo\r\n");
    list.SetText(u"");
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), u"");
}

TEST(WideStrings, AnsiAdapterConvertsBothWays) {
    TWideStringList list;
    Tagged t(7);
    list.AddObject(u"caf\u00E9 \u20AC", &t);
    list.Add(u"\u4E2D");
    TStrings* ansi = list.AnsiStrings();
    ASSERT_EQ(ansi->Count(), 2);
    EXPECT_EQ(ansi->Get(0), "caf\xE9 \x80");
    EXPECT_EQ(ansi->Objects(0), &t);
    EXPECT_EQ(ansi->Get(1), "?");
    ansi->Add("\xBD");
    EXPECT_EQ(list[2], u"\u00BD");
    ansi->Delete(0);
    EXPECT_EQ(list.Count(), 2);
    ansi->Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(WideStrings, AssignBetweenWideAndSingleByteLists) {
    TStringList single;
    Tagged t(1);
    single.AddObject("\xE9\xE9n", &t);
    single.Add("twee");
    TWideStringList wide;
    wide.Add(u"stale");
    wide.Assign(&single);
    ASSERT_EQ(wide.Count(), 2);
    EXPECT_EQ(wide[0], u"\u00E9\u00E9n");
    EXPECT_EQ(wide.Objects(0), &t);

    TStringList back;
    back.Add("stale");
    back.Assign(&wide);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back[0], "\xE9\xE9n");
    EXPECT_EQ(back.Objects(0), &t);

    TWideStringList copy;
    copy.Assign(&wide);
    EXPECT_TRUE(copy.Equals(wide));
    copy.Assign(&copy); // self-assignment keeps the items
    EXPECT_EQ(copy.Count(), 2);
    copy.Assign(copy.AnsiStrings());
    EXPECT_EQ(copy.Count(), 2);
}

TEST(WideStrings, ChangeEventsRespectUpdates) {
    TWideStringList list;
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.Add(u"a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.Add(u"b");
    list.Add(u"c");
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.AnsiStrings()->BeginUpdate();
    list.Add(u"d");
    list.AnsiStrings()->EndUpdate();
    EXPECT_EQ(changes, 3);
}

TEST(WideStrings, CaseIsIgnoredInEveryScript) {
    TWideStringList list;
    // Full-width, Armenian, Latin Extended-B, Georgian, Cherokee, and Deseret
    // outside the basic plane.
    for (const char16_t* upper :
         {u"\uFF21\uFF22", u"\u0531\u0532", u"\u0182\u01F1", u"\u10A0", u"\u13A0", u"\U00010400"})
        list.Add(upper);
    const std::u16string lower[] = {u"\uFF41\uFF42", u"\u0561\u0562", u"\u0183\u01F3",
                                    u"\u2D00",       u"\uAB70",       u"\U00010428"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list.IndexOf(lower[i]), i) << i;
    EXPECT_EQ(list.IndexOf(u"\uFF41"), -1);
    // Every character of the basic plane that Qt holds equal to its upper
    // case ignoring case is equal here too.
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const QString a(QChar(static_cast<char16_t>(c)));
        const QString b = a.toUpper();
        if (b.size() != 1 || a.compare(b, Qt::CaseInsensitive) != 0) continue;
        ASSERT_EQ(CompareWideText(a.toStdU16String(), b.toStdU16String()), 0)
            << static_cast<unsigned>(c);
    }
}

TEST(WideStrings, TheListsLocaleIsTheUsersAtCreation) {
    const char* saved = std::getenv("LANG");
    const std::string old = saved ? saved : "";
    unsetenv("LC_ALL");
    unsetenv("LC_COLLATE");
    setenv("LANG", "tr_TR.UTF-8", 1);
    TWideStringList turkish;
    setenv("LANG", "nl_NL.UTF-8", 1);
    TWideStringList dutch;
    if (saved)
        setenv("LANG", old.c_str(), 1);
    else
        unsetenv("LANG");
    EXPECT_EQ(turkish.Locale(), 0x041Fu);
    EXPECT_EQ(dutch.Locale(), 0x0413u);
    // In Turkish the capital of i has a dot.
    for (TWideStringList* list : {&turkish, &dutch})
        list->Add(u"istanbul");
    EXPECT_EQ(turkish.IndexOf(u"\u0130STANBUL"), 0);
    EXPECT_EQ(turkish.IndexOf(u"ISTANBUL"), -1);
    EXPECT_EQ(dutch.IndexOf(u"ISTANBUL"), 0);
    dutch.SetLocale(0x041F);
    EXPECT_EQ(dutch.IndexOf(u"ISTANBUL"), -1);
}

TEST(WideStrings, StreamedAsThePropertyWideStrings) {
    TWideStringList list;
    list.Add(u"\u03A9mega");
    list.Add(u"caf\u00E9 \U00010400");
    TMemoryStream stream;
    TComponentWriter writer(stream);
    writer.BeginComponent("TWideStringList");
    list.WriteProperties(writer);
    writer.EndComponent();
    // A list written by a single-byte program reads converted.
    writer.BeginComponent("TWideStringList");
    writer.WriteStrings("WideStrings", {"caf\xE9", "\xBD"});
    writer.EndComponent();
    stream.Seek(0, soBeginning);
    TComponentReader reader(stream);
    TStreamedComponent c;
    ASSERT_TRUE(reader.ReadComponent(c));
    ASSERT_NE(c.Find("WideStrings"), nullptr);
    EXPECT_EQ(c.Find("WideStrings")->Type, pvWideStrings);
    TWideStringList back;
    back.ReadProperties(c);
    EXPECT_TRUE(back.Equals(list));
    ASSERT_TRUE(reader.ReadComponent(c));
    back.ReadProperties(c);
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back[0], u"caf\u00E9");
    EXPECT_EQ(back[1], u"\u00BD");
}
