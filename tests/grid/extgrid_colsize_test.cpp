#include <gtest/gtest.h>

#include <memory>

#include "config_folder.h"
#include "grid/extgrid.h"
#include "platform/rtl/inifiles.h"
#include "platform/rtl/registry.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/qtapp.h"

namespace {

// Each test keeps its settings in a configuration folder of its own.
class ColumnSizes : public ConfigFolderTest {
protected:
    void SetUp() override {
        ConfigFolderTest::SetUp();
        EnsureQtApplication();
        Form = std::make_unique<TForm>(nullptr);
        Grid = new TExtStringGrid(Form.get()); // owned by the form
        Grid->SetParent(Form.get());
        Grid->SetColCount(4);
    }
    void TearDown() override {
        Form.reset();
        ConfigFolderTest::TearDown();
    }
    void Keep(TColumnSizeLocation Where) {
        Grid->ColumnSize()->Save = true;
        Grid->ColumnSize()->Key = Where == clIniFile ? "kolommen.ini" : "Software\\Vivazozodi";
        Grid->ColumnSize()->Section = "Stand";
        Grid->ColumnSize()->Location = Where;
    }

    std::unique_ptr<TForm> Form;
    TExtStringGrid* Grid = nullptr;
};

} // namespace

TEST_F(ColumnSizes, IniFileRoundTrip) {
    Keep(clIniFile);
    for (int c = 0; c < 4; ++c)
        Grid->SetColWidths(c, 30 + 10 * c);
    Grid->SaveColumnSizes();
    TIniFile ini("kolommen.ini");
    EXPECT_EQ(ini.ReadInteger("Stand", "Col2", -1), 50);
    for (int c = 0; c < 4; ++c)
        Grid->SetColWidths(c, 99);
    ini.WriteString("Stand", "Col3", "breed"); // not a number: the default width
    Grid->LoadColumnSizes();
    EXPECT_EQ(Grid->ColWidths(0), 30);
    EXPECT_EQ(Grid->ColWidths(2), 50);
    EXPECT_EQ(Grid->ColWidths(3), Grid->DefaultColWidth());
}

TEST_F(ColumnSizes, SavingKeepsWhatOthersWroteToTheFile) {
    Keep(clIniFile);
    TIniFile others("kolommen.ini");
    others.WriteString("Last", "DataMap", "/data");
    Grid->LoadColumnSizes();
    others.WriteString("Stand", "Sort", "2"); // while the grid lives
    Grid->SetColWidths(1, 61);
    Grid->SaveColumnSizes();
    EXPECT_EQ(others.ReadString("Last", "DataMap", ""), "/data");
    EXPECT_EQ(others.ReadString("Stand", "Sort", ""), "2");
    EXPECT_EQ(others.ReadInteger("Stand", "Col1", -1), 61);
}

TEST_F(ColumnSizes, RegistryRoundTripAndSavedWhenTheGridGoes) {
    Keep(clRegistry);
    Grid->SetColWidths(1, 123);
    Form.reset(); // the grid saves as it goes
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\Vivazozodi\\Stand", false));
    EXPECT_EQ(reg.ReadInteger("Col1"), 123);
    reg.WriteString("Col2", "smal"); // not an integer
    reg.CloseKey();

    TForm form(nullptr);
    auto* grid = new TExtStringGrid(&form); // owned by the form
    grid->SetColCount(4);
    grid->ColumnSize()->Save = true;
    grid->ColumnSize()->Key = "Software\\Vivazozodi";
    grid->ColumnSize()->Section = "Stand";
    grid->SetColWidths(2, 77);
    grid->LoadColumnSizes();
    EXPECT_EQ(grid->ColWidths(1), 123);
    EXPECT_EQ(grid->ColWidths(2), grid->DefaultColWidth());
    grid->ColumnSize()->Save = false; // nothing more to keep
}

TEST_F(ColumnSizes, NothingKeptWithoutKeyOrSection) {
    Keep(clIniFile);
    Grid->ColumnSize()->Section = "";
    Grid->SetColWidths(0, 44);
    Grid->SaveColumnSizes();
    TIniFile ini("kolommen.ini");
    EXPECT_FALSE(ini.SectionExists("Stand"));
    EXPECT_FALSE(ini.SectionExists(""));
}
