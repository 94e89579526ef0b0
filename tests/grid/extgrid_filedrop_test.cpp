// Dropped delimited and spreadsheet files loaded into the grid through the
// window system's drop road, and the drops that must leave it alone.
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "gridfixture.h"
#include "platform/vcl/synthdrag.h"
#include "vcltestenv.h"

namespace {

class FileDrop : public GridTest {
protected:
    void SetUp() override {
        GridTest::SetUp();
        Grid->SetBounds(0, 0, 500, 300);
        Fill(3, 4);
        Grid->SetOleDropTarget(true);
        ShowActive(Form.get());
        char tmpl[] = "/tmp/vz_filedrop_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        Dir = tmpl;
    }
    void TearDown() override {
        std::filesystem::remove_all(Dir);
        GridTest::TearDown();
    }
    std::string Write(const std::string& Name, const std::string& Text) {
        const std::string path = Dir + "/" + Name;
        std::ofstream(path, std::ios::binary) << Text;
        return path;
    }
    void Drop(const std::string& File) {
        TDropData d;
        d.Files = {File};
        const TRect r = Grid->CellRect(1, 1);
        const int b = Grid->BorderOffset();
        SynthDragDrop(Grid, d, r.Left + 5 + b, r.Top + 5 + b, DROPEFFECT_COPY, MK_CONTROL);
    }
    std::string Dir;
};

} // namespace

TEST_F(FileDrop, ADroppedCsvFileIsLoaded) {
    std::vector<std::string> events;
    Grid->OnOleDropFile = [&](TObject*, int ARow, int ACol, const std::string& Name, bool&) {
        events.push_back("file " + std::to_string(ACol) + "," + std::to_string(ARow) + " " +
                         Name.substr(Name.rfind('/') + 1));
    };
    Grid->OnOleDrop = [&](TObject*, int, int, const std::string& Data, bool&) {
        events.push_back("drop " + Data.substr(Data.rfind('/') + 1));
    };
    Drop(Write("groep A.CSV", "Naam;Punten\r\nJansen;2\r\nBakker;1\xBD\r\n"));
    EXPECT_EQ((std::vector<std::string>{"file 1,1 groep A.CSV", "drop groep A.CSV"}), events);
    EXPECT_EQ("Naam", Grid->Cells(0, 0));
    EXPECT_EQ("Punten", Grid->Cells(1, 0));
    EXPECT_EQ("Bakker", Grid->Cells(0, 2));
    EXPECT_EQ("1\xBD", Grid->Cells(1, 2));
}

TEST_F(FileDrop, RefusedUnknownAndUnreadableFilesLeaveTheGrid) {
    bool allowFile = false, allowDrop = true;
    int drops = 0;
    Grid->OnOleDropFile = [&](TObject*, int, int, const std::string&, bool& Allow) {
        Allow = allowFile;
    };
    Grid->OnOleDrop = [&](TObject*, int, int, const std::string&, bool& Allow) {
        ++drops;
        Allow = allowDrop;
    };
    const std::string csv = Write("uitslagen.csv", "x;y\r\n");
    Drop(csv);
    EXPECT_EQ(0, drops) << "refused as a file, it is not offered as data";
    EXPECT_EQ(Name(0, 0), Grid->Cells(0, 0));
    allowFile = true;
    allowDrop = false;
    Drop(csv);
    EXPECT_EQ(1, drops);
    EXPECT_EQ(Name(0, 0), Grid->Cells(0, 0));
    allowDrop = true;
    Drop(Write("notities.txt", "a;b\r\n"));
    EXPECT_EQ(1, drops) << "neither delimited text nor a spreadsheet";
    EXPECT_EQ(Name(0, 0), Grid->Cells(0, 0));
    // Gone before it was dropped: the grid stays as it was, nothing escapes.
    Drop(Dir + "/weg.csv");
    Drop(Dir + "/weg.xls");
    EXPECT_EQ(3, drops);
    EXPECT_EQ(Name(0, 0), Grid->Cells(0, 0));
    EXPECT_EQ(Name(2, 3), Grid->Cells(2, 3));
}
