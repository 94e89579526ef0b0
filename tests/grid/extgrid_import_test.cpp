#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "grid/delimitedtext.h"
#include "gridfixture.h"

namespace {

class Import : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        char tmpl[] = "/tmp/vz_gridimport_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
    }
    void TearDown() override {
        std::filesystem::remove_all(Dir);
        GridTest::TearDown();
    }
    std::string Write(const std::string& Text, const std::string& Name = "data.csv") {
        const std::string path = Dir + "/" + Name;
        std::ofstream(path, std::ios::binary) << Text;
        return path;
    }
    std::vector<std::string> Row(int R, int Cols) const {
        std::vector<std::string> v;
        for (int c = 0; c < Cols; ++c)
            v.push_back(Grid->Cells(c, R));
        return v;
    }
    void Empty() {
        Grid->SetColCount(1);
        Grid->SetRowCount(1);
        Grid->SetFixedRows(0);
        Grid->SetFixedCols(0);
    }
    using V = std::vector<std::string>;
    std::string Dir;
};

} // namespace

TEST(DelimiterDetection, ExamplesOfTheCandidateTable) {
    // Same counts of ";" and "," outside quotes on both lines: "," is earlier.
    EXPECT_EQ(DetectDelimiter("a;b,c;d,e;f,g;h,i;j,k", "1;2,3;4,5;6,7;8,9;0,1"), ',');
    EXPECT_EQ(DetectDelimiter("a;b;c", "d;e;f"), ';');
    // A single line: only pass 3 can pick, the most frequent.
    EXPECT_EQ(DetectDelimiter("a|b|c,d", ""), '|');
    EXPECT_EQ(DetectDelimiter("a\tb\tc", "x\ty\tz"), '\t');
    // Doubled characters are escapes in the first pass.
    EXPECT_EQ(DetectDelimiter("a;;b,c", "d;;e,f"), ',');
    EXPECT_EQ(DetectDelimiter("plain", "text"), '\0');
}

TEST(DelimitedReader, QuotesDelimitersLineBreaksAndEnds) {
    const std::string t = "a;\"b;c\";\"say \"\"hi\"\"\"\r\n\"two\r\nlines\";x\n\nlast;";
    TDelimitedReader r(t.data(), t.size(), ';');
    std::vector<std::string> f;
    std::vector<bool> q;
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{"a", "b;c", "say \"hi\""}));
    EXPECT_EQ(q, (std::vector<bool>{false, true, true}));
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{"two\r\nlines", "x"}));
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{""}));
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{"last", ""}));
    EXPECT_FALSE(r.Next(f, q));
}

TEST(DelimitedReader, UnterminatedQuoteKeepsTheRestOfItsLine) {
    const std::string t = "a;\"open; field\nb;c\n";
    TDelimitedReader r(t.data(), t.size(), ';');
    std::vector<std::string> f;
    std::vector<bool> q;
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{"a", "open; field"}));
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, (std::vector<std::string>{"b", "c"}));
    EXPECT_FALSE(r.Next(f, q));
}

TEST(DelimitedReader, DoubledQuoteEndingTheText) {
    const std::string t = "\"a\"\"";
    TDelimitedReader r(t.data(), t.size(), ';');
    std::vector<std::string> f;
    std::vector<bool> q;
    ASSERT_TRUE(r.Next(f, q));
    EXPECT_EQ(f, std::vector<std::string>{"a\""});
}

TEST(DelimiterDetection, WholeTextLooksAtItsFirstTwoLinesOnly) {
    // The third line's commas do not count; CR LF and lone CR both end a line.
    EXPECT_EQ(DetectTextDelimiter("a;b;c\r\nd;e;f\r\n1,2,3,4,5,6\r\n"), ';');
    EXPECT_EQ(DetectTextDelimiter("a|b\rc|d\re,f,g,h"), '|');
    // One line: the second counts as empty.
    EXPECT_EQ(DetectTextDelimiter("a#b#c"), '#');
    EXPECT_EQ(DetectTextDelimiter(""), '\0');
}

TEST(CopyQuoting, FieldsReadBackThroughTheTabReader) {
    EXPECT_EQ(QuoteField("plain \"x\""), "plain \"x\"");
    EXPECT_EQ(QuoteField("\"begin"), "\"\"\"begin\"");
    EXPECT_EQ(QuoteField("a\tb"), "\"a\tb\"");
    const std::vector<std::string> fields = {"", "a\r\nb", "\"q\"", "x\ty", "c\"d", ""};
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? "\t" : "") + QuoteField(fields[i]);
    TDelimitedReader r(line.data(), line.size(), '\t');
    std::vector<std::string> back;
    std::vector<bool> quoted;
    ASSERT_TRUE(r.Next(back, quoted));
    EXPECT_EQ(back, fields);
    EXPECT_FALSE(r.Next(back, quoted));
}

TEST_F(Import, SemicolonFileCellForCell) {
    Empty();
    Write("Naam;Rating;Club\r\n\"Jansen; J.\";1850;\"De \"\"Toren\"\"\"\r\nPieters;2010;\r\n");
    Grid->LoadFromCSV(Dir + "/data.csv");
    ASSERT_EQ(Grid->RowCount(), 3);
    ASSERT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Row(0, 3), (V{"Naam", "Rating", "Club"}));
    EXPECT_EQ(Row(1, 3), (V{"Jansen; J.", "1850", "De \"Toren\""}));
    EXPECT_EQ(Row(2, 3), (V{"Pieters", "2010", ""}));
    EXPECT_EQ(Grid->Delimiter, '\0'); // kept for the next load
}

TEST_F(Import, TrailingDelimiterMakesNoColumnAndLineWithoutDelimiterIsOneCell) {
    Empty();
    Write("a,b,\nc,d,\njust one line\n");
    Grid->LoadFromCSV(Dir + "/data.csv");
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Row(2, 2), (V{"just one line", ""}));
}

TEST_F(Import, MultiLineFieldsAndUnterminatedQuote) {
    Empty();
    Write("x;\"line1\nline2\";y\nz;\"no end;here\nq;r\n");
    Grid->LoadFromCSV(Dir + "/data.csv");
    ASSERT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Row(0, 3), (V{"x", "line1\r\nline2", "y"}));
    EXPECT_EQ(Row(1, 3), (V{"z", "no end;here", ""}));
    EXPECT_EQ(Row(2, 3), (V{"q", "r", ""}));
}

TEST_F(Import, AStrayQuoteMergesNoLinesAndLosesNoPlayer) {
    Empty();
    Write("Naam;Rating\r\n\"Jan;1800\r\nPiet;1700\r\n\"Kees\";1600\r\nAnna;1500\r\n");
    Grid->LoadFromCSV(Dir + "/data.csv");
    ASSERT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Row(1, 2), (V{"Jan;1800", ""}));
    EXPECT_EQ(Row(2, 2), (V{"Piet", "1700"}));
    EXPECT_EQ(Row(3, 2), (V{"Kees", "1600"}));
    EXPECT_EQ(Row(4, 2), (V{"Anna", "1500"}));
}

TEST_F(Import, TildesFixedCellsOemAndProgress) {
    Grid->SetColCount(3);
    Grid->SetRowCount(2);
    Grid->SetFixedRows(1);
    Grid->SetFixedCols(1);
    Grid->IncludeFixedCells = false;
    Grid->TildeLineBreaks = true;
    Grid->OemConvert = true;
    Write("a~b;\x82t\nc;d\n"); // 0x82 is e acute in the OEM code page
    std::vector<short> progress;
    Grid->OnFileProgress = [&](TObject*, short P) { progress.push_back(P); };
    Grid->LoadFromCSV(Dir + "/data.csv");
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->Cells(1, 1), "a\r\nb");
    EXPECT_EQ(Grid->Cells(2, 1), "\xE9t");
    EXPECT_EQ(Grid->Cells(1, 2), "c");
    EXPECT_EQ(Grid->Cells(0, 1), "");
    EXPECT_EQ(progress, (std::vector<short>{50, 100}));
}

TEST_F(Import, AppendKeepsTheFooterLast) {
    Grid->SetColCount(2);
    Grid->SetRowCount(3);
    Grid->SetFixedRows(1);
    Grid->SetCells(0, 1, "old");
    Grid->SetCells(0, 2, "TOTAL");
    Grid->SetCellBackColor(0, 2, clYellow);
    Grid->SetFixedFooters(1);
    Write("n1;1\nn2;2"); // the last line without its line break
    Grid->LoadFromCSVWorker(Dir + "/data.csv", true);
    ASSERT_EQ(Grid->RowCount(), 5);
    EXPECT_EQ(Grid->Cells(0, 1), "old");
    EXPECT_EQ(Grid->Cells(0, 2), "n1");
    EXPECT_EQ(Grid->Cells(1, 3), "2");
    EXPECT_EQ(Grid->Cells(0, 4), "TOTAL");
    EXPECT_EQ(Grid->GetCellBackColor(0, 4), clYellow);
}

TEST_F(Import, MissingFileRaisesAndLeavesTheGrid) {
    Fill(2, 2);
    try {
        Grid->LoadFromCSV(Dir + "/none.csv");
        FAIL();
    } catch (const EExtGridError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + Dir + "/none.csv");
    }
    EXPECT_EQ(Grid->Cells(1, 1), Name(1, 1));
}

TEST_F(Import, ColumnStatistics) {
    Grid->SetColCount(2);
    Grid->SetRowCount(5);
    const char* v[] = {"x", "4", "-2.5", "", "10"};
    for (int r = 0; r < 5; ++r)
        Grid->SetCells(1, r, v[r]);
    EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, 1, 4), 11.5);
    EXPECT_DOUBLE_EQ(Grid->ColumnAverage(1, 1, 4), 11.5 / 4);
    EXPECT_DOUBLE_EQ(Grid->ColumnMin(1, 1, 4), -2.5);
    EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, 1, 4), 10);
    EXPECT_DOUBLE_EQ(Grid->ColumnMin(1, 2, 2), -2.5);
    EXPECT_DOUBLE_EQ(Grid->ColumnMax(1, 2, 2), -2.5);
    EXPECT_DOUBLE_EQ(Grid->ColumnSum(1, 3, 2), 0);
    EXPECT_DOUBLE_EQ(Grid->ColumnAverage(1, 3, 2), 0);
}
