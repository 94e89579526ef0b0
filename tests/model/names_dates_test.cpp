#include <gtest/gtest.h>

#include "model/dates.h"
#include "model/names.h"

namespace {

TSpRec Naam(const std::string& a, const std::string& t, const std::string& vl,
            const std::string& vn) {
    TSpRec r;
    r.Achternaam = a;
    r.Tussenvoegsel = t;
    r.Voorletters = vl;
    r.Voornaam = vn;
    return r;
}

TEST(Names, MakeNaamSurnameFirst) {
    EXPECT_EQ(MakeNaam(Naam("Jansen", "van der", "J.", "Jan"), nmAchternaamEerst),
              "Jansen,van der J.(Jan)");
    EXPECT_EQ(MakeNaam(Naam(" Jansen ", "", "J.", ""), nmAchternaamEerst), "Jansen,J.");
    EXPECT_EQ(MakeNaam(Naam("Jansen", "", "", ""), nmAchternaamEerst), "Jansen");
    EXPECT_EQ(MakeNaam(Naam("Jansen", "", "", "Jan"), nmAchternaamEerst), "Jansen,(Jan)");
    EXPECT_EQ(MakeNaam(Naam("", "van", "J.", "Jan"), nmAchternaamEerst), "Jan");
}

TEST(Names, MakeNaamFirstNameFirst) {
    EXPECT_EQ(MakeNaam(Naam("Jansen", "van der", "J.", "Jan"), nmVoornaamEerst),
              "Jan van der Jansen");
    EXPECT_EQ(MakeNaam(Naam("Jansen", "", "J.", ""), nmVoornaamEerst), "Jansen");
    EXPECT_EQ(MakeNaam(Naam("", "", "", "Jan"), nmVoornaamEerst), "Jan");
    EXPECT_EQ(MakeNaam(Naam("Jansen", "", "", "Jan"), 2), "");
    EXPECT_EQ(MakeNaam(Naam("Berg", "van", "", ""), nmVoornaamEerst), "van Berg");
    // A particle without a surname stays a word of its own, without a blank at the end.
    EXPECT_EQ(MakeNaam(Naam("", "van", "", "Jan"), nmVoornaamEerst), "Jan van");
    EXPECT_EQ(MakeNaam(Naam("", " van ", "", ""), nmVoornaamEerst), "van");
}

TEST(Names, SplitNaamFirstNameFirst) {
    TSpRec r;
    SplitNaam("Jan Jansen", r);
    EXPECT_EQ(r.Voornaam, "Jan");
    EXPECT_EQ(r.Achternaam, "Jansen");
    EXPECT_EQ(r.Tussenvoegsel, "");
    EXPECT_EQ(r.Voorletters, "J.");
    SplitNaam(" jan van der Berg ", r);
    EXPECT_EQ(r.Voornaam, "jan");
    EXPECT_EQ(r.Tussenvoegsel, "van der");
    EXPECT_EQ(r.Achternaam, "Berg");
    EXPECT_EQ(r.Voorletters, "J.");
    SplitNaam("VRIJ", r);
    EXPECT_EQ(r.Achternaam, "VRIJ");
    EXPECT_EQ(r.Voornaam, "");
    EXPECT_EQ(r.Voorletters, "");
}

TEST(Names, SplitNaamSurnameFirst) {
    TSpRec r;
    SplitNaam("Jansen,van der J.(Jan)", r);
    EXPECT_EQ(r.Achternaam, "Jansen");
    EXPECT_EQ(r.Tussenvoegsel, "van der");
    EXPECT_EQ(r.Voorletters, "J.");
    EXPECT_EQ(r.Voornaam, "Jan");
    SplitNaam("Jansen(Jan)", r);
    EXPECT_EQ(r.Achternaam, "Jansen");
    EXPECT_EQ(r.Tussenvoegsel, "");
    EXPECT_EQ(r.Voorletters, "J.");
    EXPECT_EQ(r.Voornaam, "Jan");
    SplitNaam("Berg,van(Piet)", r);
    EXPECT_EQ(r.Tussenvoegsel, "van");
    EXPECT_EQ(r.Voorletters, "P.");
}

// Names written surname first come back as they were written, also without a first
// name, with more than one initial and with an abbreviated particle.
TEST(Names, SurnameFirstRoundTrip) {
    const TSpRec names[] = {
        Naam("Jansen", "van der", "J.", "Jan"), Naam("Jansen", "", "J.P.", "Jan"),
        Naam("Jansen", "van der", "J.", ""),    Naam("Berg", "", "A.", ""),
        Naam("Berg", "v.d.", "J.", "Jan"),      Naam("Dijk", "v.", "A.B.", ""),
        Naam("Berg", "", "J. P.", "Jan"),       Naam("Berg", "van den", "\xC9.", "\xC9mile")};
    for (const TSpRec& n : names) {
        const std::string text = MakeNaam(n, nmAchternaamEerst);
        TSpRec r;
        SplitNaam(text, r);
        EXPECT_EQ(MakeNaam(r, nmAchternaamEerst), text);
        EXPECT_EQ(r.Achternaam, n.Achternaam) << text;
        EXPECT_EQ(r.Tussenvoegsel, n.Tussenvoegsel) << text;
        EXPECT_EQ(r.Voorletters, n.Voorletters) << text;
        EXPECT_EQ(r.Voornaam, n.Voornaam) << text;
    }
}

// What the director typed comes back from the group file as he typed it.
TEST(Names, FileNameGivesBackTheTypedParts) {
    const TSpRec names[] = {Naam("Jansen", "", "J.", "Johannes (Hans)"),
                            Naam("Jansen", "van der", "J.W.", "Jan Willem"),
                            Naam("Berg", "van den", "A.", "Anna Maria Louise"),
                            Naam("", "", "H.", "Hans"), Naam("VRIJ", "", "", "")};
    for (const TSpRec& n : names) {
        const std::string text = MakeFileNaam(n);
        TSpRec r;
        SplitNaam(text, r);
        EXPECT_EQ(r.Achternaam, n.Achternaam) << text;
        EXPECT_EQ(r.Tussenvoegsel, n.Tussenvoegsel) << text;
        EXPECT_EQ(r.Voorletters, n.Voorletters) << text;
        EXPECT_EQ(r.Voornaam, n.Voornaam) << text;
    }
    EXPECT_EQ("Jansen,J.(Johannes (Hans))", MakeFileNaam(names[0]));
    // Files written first name first stay readable.
    TSpRec r;
    SplitNaam("Jan van der Berg", r);
    EXPECT_EQ("Berg", r.Achternaam);
    EXPECT_EQ("van der", r.Tussenvoegsel);
}

TEST(Names, MakeNaamKey) {
    EXPECT_EQ(MakeNaamKey("Jansen", 12), "JANSENAAAAAA");
    EXPECT_EQ(MakeNaamKey(""
                          "d'Hondt-\xD6"
                          "z 2 ",
                          12),
              "DHONDTZAAAAA");
    EXPECT_EQ(MakeNaamKey("Verylongsurname", 6), "VERYLO");
    EXPECT_EQ(MakeNaamKey("", 3), "AAA");
}

TEST(Dates, EncodeValidDate) {
    EXPECT_EQ(EncodeValidDate(29, 2, 2016), EncodeDate(2016, 2, 29));
    EXPECT_EQ(EncodeValidDate(29, 2, 2015), 0);
    EXPECT_EQ(EncodeValidDate(31, 4, 2015), 0);
    EXPECT_EQ(EncodeValidDate(31, 12, 2098), EncodeDate(2098, 12, 31));
    EXPECT_EQ(EncodeValidDate(1, 1, 1903), 0);
    EXPECT_EQ(EncodeValidDate(1, 13, 2000), 0);
    EXPECT_EQ(EncodeValidDate(0, 1, 2000), 0);
    // Month and year ends: 2000 is a leap year, 2100 lies beyond the valid years.
    EXPECT_EQ(EncodeValidDate(29, 2, 2000), EncodeDate(2000, 2, 29));
    EXPECT_EQ(EncodeValidDate(30, 2, 2000), 0);
    EXPECT_EQ(EncodeValidDate(31, 1, 2015) + 1, EncodeValidDate(1, 2, 2015));
    EXPECT_EQ(EncodeValidDate(31, 12, 2015) + 1, EncodeValidDate(1, 1, 2016));
    EXPECT_EQ(EncodeValidDate(30, 11, 2015) + 1, EncodeValidDate(1, 12, 2015));
    EXPECT_EQ(EncodeValidDate(31, 11, 2015), 0);
    EXPECT_EQ(EncodeValidDate(-1, -1, -2000), 0);
}

TEST(Dates, StrToDatum) {
    EXPECT_EQ(StrToDatum(doJMD, "2016-02-30"), 0);
    EXPECT_EQ(StrToDatum(doDMJ, "29.02.2016"), EncodeDate(2016, 2, 29));
    EXPECT_EQ(StrToDatum(doJMD, " 2016-02-29 "), EncodeDate(2016, 2, 29));
    EXPECT_EQ(StrToDatum(doMDJ, "12/31/2015"), EncodeDate(2015, 12, 31));
    EXPECT_EQ(StrToDatum(doDMJ, "1-1-2100"), 0);
    EXPECT_EQ(StrToDatum(3, "2016-02-29"), 0);
    EXPECT_EQ(StrToDatum(doJMD, "NO DATE"), 0);
    EXPECT_EQ(StrToDatum(doJMD, ""), 0);
    EXPECT_EQ(StrToDatum(doJMD, "2016-2-3"), EncodeDate(2016, 2, 3));
    EXPECT_EQ(StrToDatum(doJMD, "2016--02"), 0);
    EXPECT_EQ(StrToDatum(doJMD, "99999999999-12-31"), 0);
    // Dates are written "yyyy-mm-dd" and read back in year-month-day order.
    const TDateTime d = EncodeDate(2024, 3, 7);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", d), "2024-03-07");
    EXPECT_EQ(StrToDatum(doJMD, FormatDateTime("yyyy-mm-dd", d)), d);
}

TEST(Dates, CheckDatum) {
    EXPECT_EQ(CheckDatum(EncodeDate(1999, 12, 31)), 0);
    EXPECT_EQ(CheckDatum(EncodeDate(2000, 1, 1)), EncodeDate(2000, 1, 1));
    EXPECT_EQ(CheckDatum(EncodeDate(2012, 5, 6) + 0.5), EncodeDate(2012, 5, 6));
    EXPECT_EQ(CheckDatum(EncodeDate(2099, 1, 1)), 0);
}

} // namespace
