// The spreadsheet import and the interchange with LibreOffice Calc, run
// through a headless LibreOffice on workbooks and texts the tests make.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "gridfixture.h"
#include "platform/rtl/sysutils.h"
#include "vz_test_support.h"

namespace {

namespace fs = std::filesystem;

bool HaveOffice() {
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

class Calc : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        if (!HaveOffice()) GTEST_SKIP() << "LibreOffice is not installed";
        char tmpl[] = "/tmp/vz_gridcalc_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
    }
    void TearDown() override {
        if (!Dir.empty()) fs::remove_all(Dir);
        GridTest::TearDown();
    }
    void Put(const std::string& Name, const std::string& Text) {
        fs::create_directories(fs::path(Dir + "/" + Name).parent_path());
        std::ofstream(Dir + "/" + Name, std::ios::binary) << Text;
    }
    // A workbook of two sheets, the second one active:
    //   "Eerste": A1 "a1", B1 42
    //   "Tweede": B2 "x", C3 "Café "q"" + line break + "two"
    std::string Workbook() {
        Put("wb/[Content_Types].xml",
            R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/></Types>)");
        Put("wb/_rels/.rels",
            R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)");
        Put("wb/xl/workbook.xml",
            R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><bookViews><workbookView activeTab="1"/></bookViews><sheets><sheet name="Eerste" sheetId="1" r:id="rId1"/><sheet name="Tweede" sheetId="2" r:id="rId2"/></sheets></workbook>)");
        Put("wb/xl/_rels/workbook.xml.rels",
            R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet2.xml"/></Relationships>)");
        Put("wb/xl/worksheets/sheet1.xml",
            R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>a1</t></is></c><c r="B1"><v>42</v></c></row></sheetData></worksheet>)");
        Put("wb/xl/worksheets/sheet2.xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet "
            "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData><row "
            "r=\"2\"><c r=\"B2\" t=\"inlineStr\"><is><t>x</t></is></c></row><row r=\"3\"><c "
            "r=\"C3\" t=\"inlineStr\"><is><t xml:space=\"preserve\">Caf\xC3\xA9 "
            "\"q\"\ntwo</t></is></c>"
            "</row></sheetData></worksheet>");
        const std::string cmd =
            "cd '" + Dir + "/wb' && zip -qr ../book.xlsx '[Content_Types].xml' _rels xl";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return Dir + "/book.xlsx";
    }
    // Calc converts In (read with InFilter) to Out (written with OutFilter).
    std::string Convert(const std::string& In, const std::string& InFilter,
                        const std::string& OutFilter, const std::string& OutExt) {
        const std::string out = Dir + "/conv";
        std::string cmd = "HOME='" + Dir + "' soffice -env:UserInstallation=file://" + Dir +
                          "/profile --headless --norestore ";
        if (!InFilter.empty()) cmd += "'--infilter=" + InFilter + "' ";
        cmd +=
            "--convert-to '" + OutFilter + "' --outdir '" + out + "' '" + In + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(cmd.c_str()), 0);
        return out + "/" + fs::path(In).stem().string() + "." + OutExt;
    }
    std::string Dir;
};

const std::string Multi = "Caf\xE9 \"q\"\r\ntwo";

} // namespace

TEST_F(Calc, ActiveSheetNamedSheetAndMissingSheet) {
    const std::string book = Workbook();
    Grid->LoadFromXLS(book); // the active sheet's used range B2:C3
    ASSERT_EQ(Grid->ColCount(), 2);
    ASSERT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->Cells(0, 0), "x");
    EXPECT_EQ(Grid->Cells(1, 1), Multi);
    EXPECT_EQ(Grid->Cells(1, 0), "");

    Grid->IncludeFixedCells = false; // placed after the fixed row and column
    Grid->LoadFromXLSWorker(book, "Eerste");
    EXPECT_EQ(Grid->ColCount(), 3);
    EXPECT_EQ(Grid->RowCount(), 2);
    EXPECT_EQ(Grid->Cells(1, 1), "a1");
    EXPECT_EQ(Grid->Cells(2, 1), "42");

    try {
        Grid->LoadFromXLSWorker(book, "Derde");
        FAIL();
    } catch (const EExtGridError& e) {
        EXPECT_EQ(std::string(e.what()), "Excel worksheet Derde not found");
    }
    EXPECT_EQ(Grid->Cells(1, 1), "a1");
}

TEST_F(Calc, NoOfficeProgramIsNoServer) {
    const std::string book = Workbook();
    const std::string path = std::getenv("PATH");
    setenv("PATH", "/nonexistent", 1);
    try {
        Grid->LoadFromXLS(book);
        ADD_FAILURE();
    } catch (const EExtGridError& e) {
        EXPECT_EQ(std::string(e.what()), "Excel OLE server not found");
    }
    setenv("PATH", path.c_str(), 1);
}

TEST_F(Calc, CopiedTextImportsIntoCalcAsTheSameCells) {
    Grid->SetColCount(4);
    Grid->SetRowCount(3);
    const std::vector<std::vector<std::string>> cells = {
        {"Naam", "Club", "Opmerking", "Punten"},
        {"Jansen, J.", "De \"Toren\"", Multi, "4\xBD"},
        {"tab\there", "", "\"begin", "-3"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            Grid->SetCells(c, r, cells[r][c]);
    Put("copy.txt", Cp1252ToUtf8(Grid->RectToText({0, 0, 3, 2}, false)));
    // Calc reads the text as the clipboard hands it over (TAB, quotes) and
    // saves it as ";"-separated CSV; the grid loads that back.
    const std::string csv = Convert(Dir + "/copy.txt", "Text - txt - csv (StarCalc):9,34,76,1",
                                    "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true", "csv");
    Put("back.csv", Utf8ToCp1252(ReadBytes(csv)));
    TExtStringGrid* back = new TExtStringGrid(Form.get());
    back->SetColCount(1);
    back->SetRowCount(1);
    back->LoadFromCSV(Dir + "/back.csv");
    ASSERT_EQ(back->RowCount(), 3);
    ASSERT_EQ(back->ColCount(), 4);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(back->Cells(c, r), cells[r][c]) << c << "," << r;
}

TEST_F(Calc, CsvSavedByCalcLoadsAsTheSameCells) {
    const std::string csv = Convert(
        Workbook(), "",
        "csv:Text - txt - csv (StarCalc):59,34,76,1,,0,true,true,true,false,false,2", "csv");
    // Calc names a one-sheet export after the sheet.
    std::string file = csv;
    if (!fs::exists(file)) file = Dir + "/conv/book-Tweede.csv";
    Put("calc.csv", Utf8ToCp1252(ReadBytes(file)));
    Grid->SetColCount(1);
    Grid->SetRowCount(1);
    Grid->LoadFromCSV(Dir + "/calc.csv");
    ASSERT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->Cells(1, 1), "x");
    EXPECT_EQ(Grid->Cells(2, 2), Multi);
    EXPECT_EQ(Grid->Cells(0, 0), "");
}
