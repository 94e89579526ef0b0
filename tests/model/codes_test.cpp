#include <gtest/gtest.h>

#include <cstdint>

#include "model/codes.h"
#include "model/textutils.h"

namespace {

const std::string Half = "\xBD";

TEST(Codes, UitslagToStr) {
    EXPECT_EQ(UitslagToStr(ucGeen), " ");
    EXPECT_EQ(UitslagToStr(ucWinst), "1");
    EXPECT_EQ(UitslagToStr(ucRemise), Half);
    EXPECT_EQ(UitslagToStr(ucVerlies), "0");
    EXPECT_EQ(UitslagToStr(ucReglWinst), "1r");
    EXPECT_EQ(UitslagToStr(ucReglRemise), Half + "r");
    EXPECT_EQ(UitslagToStr(ucReglVerlies), "0r");
    EXPECT_EQ(UitslagToStr(7), " ");
    EXPECT_EQ(UitslagToStr(0x80 | ucWinst), "1");
    EXPECT_EQ(UitslagToStr(0x80 | ucReglRemise), Half + "r");
}

TEST(Codes, ScoresAndForfeitCredit) {
    const double score[] = {0, 1, 0.5, 0, 1, 0.5, 0, 0};
    const double credit[] = {0, 1, 0.5, 0, 0.5, 0.5, 0.5, 0};
    for (TUitslagCode u = 0; u <= 7; ++u) {
        EXPECT_DOUBLE_EQ(UitslagToScore(u), score[u]) << int(u);
        EXPECT_DOUBLE_EQ(GetWPSBScore(u), credit[u]) << int(u);
    }
}

TEST(Codes, InvoerToUitslagStr) {
    const std::string expected[] = {"", "1", "0", Half, "0", "0r", "1r", "0r", Half + "r", ""};
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(InvoerToUitslagStr(static_cast<TInvoerCode>(i)), expected[i]);
}

TEST(Codes, InvoerCodeToStr) {
    const std::string expected[] = {"..-..",
                                    "1-0",
                                    "0-1",
                                    Half + "-" + Half,
                                    "0-0",
                                    "0-0 Regl.",
                                    "1-0 Regl.",
                                    "0-1 Regl.",
                                    Half + "-" + Half + " Regl.",
                                    ""};
    for (int i = 0; i <= 9; ++i)
        EXPECT_EQ(InvoerCodeToStr(static_cast<TInvoerCode>(i)), expected[i]) << i;
    EXPECT_EQ(InvoerCodeToStr(3), "\xBD-\xBD");
    EXPECT_EQ(InvoerCodeToStr(3).size(), 3u);
}

TEST(Codes, StrToUitslag) {
    EXPECT_EQ(StrToUitslag(""), ucGeen);
    EXPECT_EQ(StrToUitslag(" "), ucGeen);
    EXPECT_EQ(StrToUitslag("X"), ucGeen);
    EXPECT_EQ(StrToUitslag("1"), ucWinst);
    EXPECT_EQ(StrToUitslag(" 0 "), ucVerlies);
    EXPECT_EQ(StrToUitslag(Half), ucRemise);
    EXPECT_EQ(StrToUitslag("1r"), ucReglWinst);
    EXPECT_EQ(StrToUitslag(Half + "r"), ucReglRemise);
    EXPECT_EQ(StrToUitslag("0r"), ucReglVerlies);
    EXPECT_EQ(StrToUitslag("10"), ucWinst);
    EXPECT_EQ(StrToUitslag("r"), ucGeen);
    // Every code's own text reads back as that code.
    for (TUitslagCode u = ucWinst; u <= ucReglVerlies; ++u)
        EXPECT_EQ(StrToUitslag(UitslagToStr(u)), u);
}

TEST(Codes, OtherKleur) {
    EXPECT_EQ(GetOtherKleur(kWit), kZwart);
    EXPECT_EQ(GetOtherKleur(kZwart), kWit);
    EXPECT_EQ(GetOtherKleur(kGeen), kGeen);
    EXPECT_EQ(GetOtherKleur(9), kGeen);
}

TEST(Codes, NamesOfRatingKindsAndCriteria) {
    EXPECT_EQ(RatingTypeToStr(rtKNSB), "KNSB");
    EXPECT_EQ(RatingTypeToStr(rtJeugd), "Jeugd");
    EXPECT_EQ(RatingTypeToStr(rtFIDE), "FIDE");
    EXPECT_EQ(RatingTypeToStr(rtNJR), "NJR");
    EXPECT_EQ(RatingTypeToStr(4), "");
    EXPECT_EQ(SortIdToStr(siOnderling), "Onderling resultaat");
    EXPECT_EQ(SortIdToStr(siLootNr), "Lootnummer");
    EXPECT_EQ(SortIdToStr(siGeen), "Geen");
    EXPECT_EQ(SortIdToCode(siWWe), "WW");
    EXPECT_EQ(SortIdToCode(siLootNr), "LT");
    EXPECT_EQ(SortIdToCode(siGeen), "NO");
    const TMyStSortAr ar = {{siOnderling, 1}, {siWP, 0},     {siSB, 1},
                            {siWWe, 1},       {siLootNr, 1}, {9, 1}};
    EXPECT_EQ(SortArToStr(ar), "Gesorteerd op: OR (Onderling Resultaat); SB; W-We; Lootnr.; ?; ");
    EXPECT_EQ(SortArToStr({}), "Gesorteerd op: ");
}

TEST(TextUtils, PuntenToStr) {
    EXPECT_EQ(PuntenToStr(3.5), "3" + Half);
    EXPECT_EQ(PuntenToStr(4.0), "4");
    EXPECT_EQ(PuntenToStr(0.5), Half);
    EXPECT_EQ(PuntenToStr(0), "0");
    EXPECT_EQ(PuntenToStr(10.5), "10" + Half);
    EXPECT_EQ(PuntenToStr(10), "10");
    EXPECT_EQ(PuntenToStr(100), "100");
}

TEST(TextUtils, NumberTexts) {
    EXPECT_EQ(RatingToStr(1850), "1850");
    EXPECT_EQ(RatingToStr(1850.5), "1850");
    EXPECT_EQ(RatingToStr(4), "");
    EXPECT_EQ(RatingToStr(3300), "");
    EXPECT_TRUE(IsValidGebJaar(1904));
    EXPECT_TRUE(IsValidGebJaar(2098));
    EXPECT_FALSE(IsValidGebJaar(1903));
    EXPECT_FALSE(IsValidGebJaar(2099));
    EXPECT_EQ(GebJaarToStr(1970), "1970");
    EXPECT_EQ(GebJaarToStr(0), "");
    EXPECT_EQ(WWeToStr(0), "+0.000");
    EXPECT_EQ(WWeToStr(1.23456), "+1.235");
    EXPECT_EQ(WWeToStr(-0.5), "-0.500");
    EXPECT_EQ(WWeToStr(-0.0), "+0.000");
    EXPECT_EQ(WWeToStr(0.0625), "+0.063");
    EXPECT_EQ(IntToZeroStr(7, 6), "000007");
    EXPECT_EQ(IntToZeroStr(1234567, 6), "1234567");
    EXPECT_EQ(IntToZeroStr(-5, 4), "00-5");
    EXPECT_EQ(IntToKey4(-12), "0012");
    EXPECT_EQ(IntToKey4(INT32_MIN), "2147483648");
    EXPECT_EQ(TrimStrToInt(" 42 "), 42);
    EXPECT_EQ(TrimStrToInt("4x"), 0);
    EXPECT_EQ(TrimStrToInt(""), 0);
    EXPECT_EQ(TrimStrToInt(" -7 "), -7);
    EXPECT_EQ(TrimStrToInt("99999999999"), 0); // beyond an int: no number
    EXPECT_EQ(TrimStrToInt("1.5"), 0);
    EXPECT_DOUBLE_EQ(TrimStrToFloat(" 2.5 "), 2.5);
    EXPECT_DOUBLE_EQ(TrimStrToFloat("7,25"), 7.25); // a Dutch decimal comma
    EXPECT_DOUBLE_EQ(TrimStrToFloat("-2"), -1);
    EXPECT_DOUBLE_EQ(TrimStrToFloat("abc"), -1);
    EXPECT_DOUBLE_EQ(TrimStrToFloat(""), -1);
    EXPECT_DOUBLE_EQ(TrimStrToFloat(",5"), 0.5);
    EXPECT_DOUBLE_EQ(TrimStrToFloat("1,2,3"), -1);
    EXPECT_DOUBLE_EQ(TrimStrToFloat("nan"), -1);
    EXPECT_DOUBLE_EQ(TrimStrToFloat("1e999"), -1);
}

TEST(TextUtils, FloatToStrDec) {
    struct Case {
        double X;
        int Decimals;
        const char* Text;
    };
    const Case cases[] = {
        {17.7777, 2, "17.78"},
        // An exact half at the last decimal goes away from zero, as the platform writes it.
        {10.625, 2, "10.63"},
        {0.125, 2, "0.13"},
        {6.25, 1, "6.3"},
        {-6.25, 1, "-6.3"},
        {2.5, 0, "3"},
        // 2.675 is stored a little below the half, so it stays down.
        {2.675, 2, "2.67"},
        {9.996, 2, "10.00"},
        {0.006, 2, "0.01"},
        {0.004, 2, "0.00"},
        {-0.0001, 3, "0.000"},
        {1234.5, 3, "1234.500"},
        {0, 0, "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FloatToStrDec(c.X, c.Decimals), c.Text) << c.X << " " << c.Decimals;
}

TEST(TextUtils, TabFields) {
    EXPECT_EQ(CountTabs("a\tb\t\t"), 3);
    std::string line = " 12 \tabc\t";
    EXPECT_EQ(CutTabInt(line), 12);
    EXPECT_EQ(line, "abc\t");
    EXPECT_EQ(CutTabField(line), "abc");
    EXPECT_EQ(line, "");
    line = "no tab";
    EXPECT_EQ(CutTabField(line), "");
    EXPECT_EQ(line, "no tab");
}

} // namespace
