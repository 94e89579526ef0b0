#include <gtest/gtest.h>

#include "platform/rtl/classes.h"
#include "platform/rtl/compstream.h"

namespace {

void Write(TMemoryStream& s) {
    TComponentWriter w(s);
    w.BeginComponent("TGridCellIO");
    w.WriteInteger("Col", -3);
    w.WriteInteger("Row", 70000);
    w.WriteString("Cell", std::string("a\0b\xBD", 4));
    w.WriteBoolean("HasProp", true);
    w.EndComponent();
    w.BeginComponent("TOther");
    w.WriteFloat("Value", 2.5);
    w.WriteBinary("Data", "\x01\x02");
    w.WriteStrings("Strings", {"x", "", "yz"});
    w.EndComponent();
    s.SetPosition(0);
}

} // namespace

TEST(ComponentStream, ReadsBackWhatWasWrittenInOrder) {
    TMemoryStream s;
    Write(s);
    TComponentReader r(s);
    TStreamedComponent c;
    ASSERT_TRUE(r.ReadComponent(c));
    EXPECT_EQ(c.ClassName, "TGridCellIO");
    ASSERT_EQ(c.Props.size(), 4u);
    EXPECT_EQ(c.Props[0].Name, "Col");
    EXPECT_EQ(c.Props[3].Name, "HasProp");
    EXPECT_EQ(c.Integer("Col"), -3);
    EXPECT_EQ(c.Integer("Row"), 70000);
    EXPECT_EQ(c.String("Cell"), std::string("a\0b\xBD", 4));
    EXPECT_TRUE(c.Boolean("HasProp"));
    EXPECT_EQ(c.Integer("Cell", 9), 9); // wrong type: the default
    ASSERT_TRUE(r.ReadComponent(c));
    EXPECT_EQ(c.ClassName, "TOther");
    EXPECT_DOUBLE_EQ(c.Float("Value"), 2.5);
    EXPECT_EQ(c.String("Data"), "\x01\x02");
    EXPECT_EQ(c.Strings("Strings"), (std::vector<std::string>{"x", "", "yz"}));
    EXPECT_FALSE(r.ReadComponent(c));
}

TEST(ComponentStream, EveryCutOfTheStreamIsRefused) {
    TMemoryStream full;
    Write(full);
    const std::vector<char>& bytes = full.Data();
    // Cut inside the first record: always damaged, never a crash.
    for (size_t cut = 1; cut < bytes.size(); ++cut) {
        TMemoryStream s;
        s.WriteBuffer(bytes.data(), static_cast<int64_t>(cut));
        s.SetPosition(0);
        TComponentReader r(s);
        TStreamedComponent c;
        try {
            while (r.ReadComponent(c)) {
            }
            // Only a cut between the two records reads cleanly.
            EXPECT_EQ(s.Position(), static_cast<int64_t>(cut));
        } catch (const EReadError&) {
        }
    }
}

TEST(ComponentStream, HugeLengthsAreRefusedBeforeAllocating) {
    for (const std::string& evil :
         {std::string("C\x01T\x04\x01S\xFF\xFF\xFF\x7F", 11), // string of 2 GB
          std::string("C\x01T\x06\x01L\xFF\xFF\xFF\xFF", 11), // list of 4 G items
          std::string("C\x01T\x09\x01X", 6),                  // unknown type
          std::string("C\x01T\x03\x01"
                      "B\x07\x00",
                      8),                  // boolean 7, then a whole record's end
          std::string("X\x01T\x00", 4)}) { // no record mark
        TMemoryStream s;
        s.WriteBuffer(evil.data(), static_cast<int64_t>(evil.size()));
        s.SetPosition(0);
        TComponentReader r(s);
        TStreamedComponent c;
        EXPECT_THROW(r.ReadComponent(c), EReadError) << evil.size();
    }
}
