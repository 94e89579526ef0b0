// What a cell shows and what a copy of it carries: float formats, wide text
// in full, the grid's version.
#include <gtest/gtest.h>

#include <filesystem>

#include "grid/support/pictures.h"
#include "painttest.h"
#include "platform/vcl/clipbrd.h"
#include "platform/vcl/gfx/imagelist.h"

namespace {

class Shown : public PaintTest {
protected:
    // Column 1 gets Format; every other column is no float.
    void FormatColumn1(const std::string* Format) {
        Grid->OnGetFloatFormat = [Format](TObject*, int ACol, int, bool& IsFloat, std::string& F) {
            if (ACol == 1)
                F = *Format;
            else
                IsFloat = false;
        };
    }
};

} // namespace

TEST_F(Shown, AFloatFormatThatCannotBeUsedPaintsTheStoredText) {
    Grid->SetCells(1, 2, "3.14159");
    Grid->SetCells(2, 2, "3.14159");
    std::string format;
    FormatColumn1(&format);
    const TRect formatted = Inner(Grid->CellRect(1, 2), 1), stored = Inner(Grid->CellRect(2, 2), 1);
    for (const char* f : {"%.2n", "%s", "%n", "%d", "%"}) {
        format = f;
        const auto image = Render();
        if (format == "%d" || format == "%s" || format == "%") {
            EXPECT_EQ(Pixels(*image, formatted), Pixels(*image, stored)) << f;
        }
    }
    format = "%.1f";
    Grid->SetCells(2, 2, "3.1");
    const auto image = Render();
    EXPECT_EQ(Pixels(*image, formatted), Pixels(*image, stored));
}

TEST_F(Shown, AFloatFormatHandlerThatLeavesIsFloatFormatsTheCell) {
    Grid->SetCells(1, 1, "2.5");
    std::string format;
    EXPECT_FALSE(Grid->GetFloatFormat(1, 1, format)) << "no handler: no float";
    Grid->OnGetFloatFormat = [](TObject*, int, int, bool&, std::string&) {};
    EXPECT_TRUE(Grid->GetFloatFormat(1, 1, format));
    EXPECT_EQ(format, "%.2f");
    EXPECT_EQ(Grid->GetFormattedCellText(1, 1), "2.50");
}

TEST_F(Shown, ACopyCarriesTheDisplayedText) {
    Grid->SetCells(1, 1, "3.14159");
    Grid->SetCells(2, 1, "3.14159");
    const std::string format = "%.1f";
    FormatColumn1(&format);
    Grid->SetSelection({1, 1, 2, 1});
    Grid->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "3.1\t3.14159");
}

TEST_F(Shown, WideCellsAreCopiedAsTheTextTheyShow) {
    Grid->SetWideCells(1, 1, u"\u041F\u0440\u0438\u0432\u0435\u0442");
    Grid->SetWideCells(2, 1, u"\u0391\u03B8\u03AE\u03BD\u03B1\t2");
    Grid->SetCells(3, 1, "caf\xE9");
    Grid->SetSelection({1, 1, 3, 1});
    Grid->CopySelectionToClipboard();
    EXPECT_EQ(
        Clipboard()->AsWideText(),
        u"\u041F\u0440\u0438\u0432\u0435\u0442\t\"\u0391\u03B8\u03AE\u03BD\u03B1\t2\"\tcaf\u00E9");
    // Programs that read single-byte text get no NULs or markers.
    const std::string plain = Clipboard()->AsText();
    EXPECT_EQ(plain.find('\0'), std::string::npos);
    EXPECT_EQ(plain.find("|\\"), std::string::npos);
}

TEST_F(Shown, TheVersionIsTwoSixWithItsDate) {
    EXPECT_EQ(Grid->GetVersionNr(), 0x02060002);
    EXPECT_EQ(Grid->GetVersionString(), "2.6.0.2 August, 2003");
}

TEST_F(Shown, WideCellsAreDrawnAndMeasuredWithTheirOwnCharacters) {
    const std::u16string cyrillic = u"\u0429\u0443\u043A\u0430 \u0429\u0438\u0449";
    const std::u16string greek = u"\u0391\u03B8\u03AE\u03BD\u03B1 \u03A9\u03C8";
    Grid->SetColWidths(1, 160);
    Grid->SetColWidths(2, 160);
    Grid->SetWideCells(1, 1, cyrillic);
    Grid->SetCells(2, 1, Utf16ToCp1252(cyrillic)); // what the code page makes of it
    Grid->SetWideCells(1, 2, greek);
    Grid->SetCells(1, 3, "Jansen");
    Grid->SetWideCells(2, 3, u"Jansen");
    const auto image = Render();
    SaveArtifact(*image, "grid_wide_text_cyrillic_greek.png");
    const TRect wide = Inner(Grid->CellRect(1, 1), 1), coded = Inner(Grid->CellRect(2, 1), 1);
    EXPECT_FALSE(Ink(*image, wide).Empty());
    EXPECT_NE(Pixels(*image, wide), Pixels(*image, coded)) << "not \"??? ???\"";
    EXPECT_FALSE(Ink(*image, Inner(Grid->CellRect(1, 2), 1)).Empty());
    // Text the code page holds looks the same either way.
    EXPECT_EQ(Pixels(*image, Inner(Grid->CellRect(1, 3), 1)),
              Pixels(*image, Inner(Grid->CellRect(2, 3), 1)));
    // Auto-size measures the characters drawn.
    Grid->Canvas()->Font()->Assign(Grid->Font());
    const int needed = Grid->Canvas()->TextExtentW(u"\u0429\u0429\u0429\u0429\u0429\u0429").cx;
    Grid->SetWideCells(3, 4, u"\u0429\u0429\u0429\u0429\u0429\u0429");
    Grid->AutoSizeCol(3);
    EXPECT_GE(Grid->ColWidths(3), needed);
    EXPECT_LE(Grid->ColWidths(3), needed + 20);
}

TEST_F(Shown, HTMLCellsShowImagesOfTheListAndTheContainer) {
    TImageList images(nullptr, 16, 16);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(0x0000FF);
    red.Canvas()->FillRect({0, 0, 16, 16});
    images.Add(&red);
    TPictureContainer pictures(nullptr);
    TPictureItem* item = pictures.Items()->Add();
    item->Name = "Toren";
    TBitmap green(12, 12);
    green.Canvas()->Brush()->SetColor(0x00C000);
    green.Canvas()->FillRect({0, 0, 12, 12});
    const std::string file =
        (std::filesystem::temp_directory_path() / "vz_grid_html_toren.png").string();
    green.SaveToFile(file);
    item->Picture()->LoadFromFile(file);
    std::filesystem::remove(file);
    Grid->SetGridImages(&images);
    Grid->SetPictureContainer(&pictures);
    Grid->SetCells(1, 1, "a<IMG src=\"idx:0\">b");
    Grid->SetCells(1, 2, "a<IMG src=\"toren\">b");
    Grid->SetCells(1, 3, "a<IMG src=\"idx:4\">b");
    const auto image = Render();
    EXPECT_GT(CountNear(*image, Grid->CellRect(1, 1), 0x0000FF, 0), 100);
    EXPECT_GT(CountNear(*image, Grid->CellRect(1, 2), 0x00C000, 0), 80);
    EXPECT_EQ(CountNear(*image, Grid->CellRect(1, 3), 0x0000FF, 0), 0);
}

TEST_F(Shown, SoftLooksFrameTheGridWithOneGreyLine) {
    Grid->SetScrollBars(ssNone);
    Grid->SetBorderStyle(bsSingle);
    auto corner = [this] {
        auto image = WhiteBitmap(Grid->Width(), Grid->Height());
        PaintControlTo(*Grid, *image);
        return std::make_pair(image->Pixel(Grid->Width() - 2, Grid->Height() - 2),
                              image->Pixel(1, Grid->Height() / 2));
    };
    EXPECT_NE(corner().first, 0x808080) << "the standard look's sunken edge";
    for (const TGridLook look : {glSoft, glHouse, glXP}) {
        Grid->SetLook(look);
        EXPECT_EQ(corner(), std::make_pair(TColor(0x808080), TColor(0x808080))) << look;
    }
    Grid->SetFlat(true);
    EXPECT_NE(corner().first, 0x808080);
}

TEST_F(Shown, WideAndRichCellsLieOnABackgroundOfTheirOwn) {
    Grid->SetLook(glXP);
    Grid->SetWideCells(1, 0, u"\u0391");
    Grid->SetCells(2, 0, "A");
    Grid->SetCells(3, 0, "{\\rtf1 A}");
    const auto image = Render();
    // Top and bottom of the text's room, right of the letter.
    auto ends = [&](int ACol) {
        const TRect r = Grid->CellRect(ACol, 0);
        return std::make_pair(Px(*image, r.Right - 6, r.Top + 3),
                              Px(*image, r.Right - 6, r.Bottom - 2));
    };
    EXPECT_NE(ends(2).first, ends(2).second) << "the header's gradient shows through plain text";
    EXPECT_EQ(ends(1).first, ends(1).second) << "wide text fills its room";
    EXPECT_EQ(ends(3).first, ends(3).second) << "rich text fills its room";
}
