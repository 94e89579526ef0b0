#include <gtest/gtest.h>

#include "gfxtestenv.h"
#include "grid/support/htmlcanvas.h"
#include "grid/support/pictures.h"
#include "platform/rtl/files.h"
#include "vz_test_support.h"

namespace {

// A 2 x 2 GIF with one frame per colour index given, each a graphic control
// extension and an image descriptor, the pixels LZW-coded with a clear code
// before every pixel (so every code is 3 bits wide).
std::string MakeGIF(const std::vector<int>& FrameColors) {
    std::string g = "GIF89a";
    g += std::string("\x02\x00\x02\x00\x81\x00\x00", 7);
    g +=
        std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\xFF\xFF\xFF", 12); // red green blue white
    for (const int color : FrameColors) {
        g += std::string("\x21\xF9\x04\x00\x00\x00\x00\x00", 8);
        g += std::string("\x2C\x00\x00\x00\x00\x02\x00\x02\x00\x00", 10);
        g += '\x02'; // minimum code size
        std::vector<int> codes;
        for (int i = 0; i < 4; ++i) {
            codes.push_back(4);
            codes.push_back(color);
        }
        codes.push_back(5);
        std::string bytes;
        unsigned acc = 0;
        int bits = 0;
        for (const int c : codes) {
            acc |= static_cast<unsigned>(c) << bits;
            bits += 3;
            while (bits >= 8) {
                bytes += static_cast<char>(acc & 0xFF);
                acc >>= 8;
                bits -= 8;
            }
        }
        if (bits > 0) bytes += static_cast<char>(acc & 0xFF);
        g += static_cast<char>(bytes.size());
        g += bytes;
        g += '\0';
    }
    g += '\x3B';
    return g;
}

std::string Word16Bytes(unsigned V) {
    return {static_cast<char>(V & 0xFF), static_cast<char>((V >> 8) & 0xFF)};
}

// A placeable metafile of Right x Bottom units at 1440 units per inch that
// draws nothing: its headers, Records (whole records, at most 9 words each)
// and the end record.
std::string EmptyPlaceableWMF(unsigned Right, unsigned Bottom, const std::string& Records = "") {
    std::string h = Word16Bytes(0xCDD7) + Word16Bytes(0x9AC6) + Word16Bytes(0); // key, handle
    for (const unsigned v : {0u, 0u, Right, Bottom, 1440u, 0u, 0u})
        h += Word16Bytes(v); // box, units per inch, reserved
    unsigned sum = 0;
    for (size_t i = 0; i < h.size(); i += 2)
        sum ^= static_cast<unsigned char>(h[i]) | static_cast<unsigned char>(h[i + 1]) << 8;
    h += Word16Bytes(sum);
    // In memory, 9 words of header, version 3, its length in words, no
    // objects, the largest record; then the records and the end record.
    for (const unsigned v : {1u, 9u, 0x300u, unsigned(12 + Records.size() / 2), 0u, 0u, 9u, 0u, 0u})
        h += Word16Bytes(v);
    return h + Records + Word16Bytes(3) + Word16Bytes(0) + Word16Bytes(0);
}

std::string PngBytes(int W, int H, TColor Color) {
    TBitmap b(W, H);
    b.Canvas()->Brush()->SetColor(Color);
    b.Canvas()->FillRect({0, 0, W, H});
    return b.SaveToBytes("PNG");
}

} // namespace

TEST(Pictures, AnimatedGIFShowsTheSelectedFrame) {
    THTMLPicture pic;
    pic.LoadFromBytes(MakeGIF({0, 1, 2}));
    EXPECT_TRUE(pic.IsGIF());
    EXPECT_EQ(pic.FrameCount(), 3);
    EXPECT_EQ(pic.Width(), 2);
    EXPECT_EQ(pic.Decoded().Pixel(0, 0), clRed);
    int changes = 0;
    pic.OnFrameChange = [&](TObject*) { ++changes; };
    pic.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pic.Decoded().Pixel(1, 1), clLime);
    EXPECT_EQ(pic.FrameWidth(), 2);
    EXPECT_EQ(pic.AnimationWidth(), 2);
    pic.SetFrame(3);
    EXPECT_EQ(pic.Decoded().Pixel(0, 0), clBlue);
    // The encoded bytes stay as they came.
    EXPECT_EQ(pic.SaveToBytes(), MakeGIF({0, 1, 2}));
    pic.SetFrame(9); // past the last frame: the last one shows
    EXPECT_EQ(pic.Decoded().Pixel(0, 0), clBlue);
}

TEST(Pictures, FrameScanningStaysInsideTheData) {
    const std::string gif = MakeGIF({0, 1});
    EXPECT_EQ(FindGIFFrames(gif).size(), 2u);
    // A frame header cut off at the end is no frame, and nothing past the end is read.
    const std::string cut = gif.substr(0, gif.size() - 1) + std::string("\x21\xF9\x04\x00\x00", 5);
    EXPECT_EQ(FindGIFFrames(cut).size(), 2u);
    const std::string tail =
        std::string("GIF89a") + std::string("\x21\xF9\x04\x00\x00\x00\x00\x00\x2C", 9);
    EXPECT_TRUE(FindGIFFrames(tail).empty());
    EXPECT_TRUE(FindGIFFrames("GIF8").empty());
    EXPECT_TRUE(FindGIFFrames("").empty());
    EXPECT_EQ(SelectGIFFrame(gif, 5), gif);
    EXPECT_EQ(SelectGIFFrame("not a gif", 1), "not a gif");
    THTMLPicture png;
    png.LoadFromBytes(PngBytes(3, 3, clRed));
    EXPECT_EQ(png.FrameCount(), -1);
    EXPECT_FALSE(png.IsGIF());
}

TEST(Pictures, BadDataRaisesAndLeavesThePictureEmpty) {
    THTMLPicture pic;
    EXPECT_TRUE(pic.Empty());
    try {
        pic.LoadFromBytes("this is no image");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not load image. Invalid format");
    }
    EXPECT_TRUE(pic.Empty());
}

TEST(Pictures, SourcesByResourceFileAndURL) {
    const TTestFolder folder("gridsupport_pictures");
    const std::string file = folder.File("picture.png");
    TBitmap b(4, 5);
    b.SaveToFile(file);

    THTMLPicture fromFile;
    fromFile.LoadFromURL("file://" + file);
    EXPECT_FALSE(fromFile.Empty());
    EXPECT_EQ(fromFile.Height(), 5);
    EXPECT_EQ(fromFile.ID, "file://" + file);

    THTMLPicture fromRes;
    fromRes.ResourceFinder = [](const std::string& Name, std::string& Bytes) {
        if (Name != "Koning") return false;
        Bytes = PngBytes(6, 2, clBlue);
        return true;
    };
    fromRes.LoadFromURL("Res://Koning");
    EXPECT_EQ(fromRes.Width(), 6);
    EXPECT_EQ(fromRes.ID, "Res://Koning"); // its case unchanged
    THTMLPicture missing;
    missing.LoadFromURL("RES://Koning"); // no resources known
    EXPECT_TRUE(missing.Empty());

    THTMLPicture web;
    int changes = 0;
    web.OnChange = [&](TObject*) { ++changes; };
    web.LoadFromURL("http://knsb.nl/logo.gif");
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.URL, "http://knsb.nl/logo.gif");
    EXPECT_EQ(changes, 0);

    THTMLPicture broken;
    broken.LoadFromURL("FILE:///no/such/file.png");
    EXPECT_TRUE(broken.Empty());
}

TEST(Pictures, CacheAndContainer) {
    THTMLPictureCache cache;
    THTMLPicture* a = cache.PictureFor("http://x/a.png");
    EXPECT_EQ(cache.PictureFor("http://x/a.png"), a);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(cache.FindPicture("http://x/A.png"), nullptr);
    EXPECT_EQ(cache.Items(0), a);
    EXPECT_THROW(cache.Items(1), EListError);

    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "Toren";
    item->Tag = 3;
    item->Picture()->LoadFromBytes(PngBytes(5, 5, clGreen));
    EXPECT_EQ(container.FindPicture("TOREN"), item->Picture());
    EXPECT_EQ(container.FindPicture("paard"), nullptr);

    TPictureContainer copy(nullptr);
    copy.SetItems(container.Items());
    ASSERT_EQ(copy.Items()->Count(), 1);
    EXPECT_EQ(copy.Items()->Items(0)->Tag, 3);
    EXPECT_EQ(copy.FindPicture("toren")->Width(), 5);
    EXPECT_NE(copy.FindPicture("toren"), item->Picture());
}

TEST(Pictures, TheRendererFindsPicturesByEverySource) {
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "Toren";
    item->Picture()->LoadFromBytes(PngBytes(5, 5, clLime));
    const TTestFolder folder("gridsupport_pictures");
    const std::string file = folder.File("blue.png");
    TBitmap blue(4, 4);
    blue.Canvas()->Brush()->SetColor(clBlue);
    blue.Canvas()->FillRect({0, 0, 4, 4});
    blue.SaveToFile(file);
    TBitmap red(3, 3);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 3, 3});
    THTMLPictureCache cache;
    const THTMLImageLookup lookup = HTMLImageLookup(
        [&](int i) -> const TGraphic* { return i == 0 ? &red : nullptr; }, &cache, &container);

    auto b = WhiteBitmap(100, 30);
    THTMLRenderResult res;
    RenderHTML(*b->Canvas(),
               "<IMG src=\"toren\"><IMG src=\"IDX:0\"><IMG src=\"idx:4\"><IMG src=\"file://" +
                   file + "\">",
               {0, 0, 100, 30}, {}, res, lookup);
    EXPECT_EQ(CountColor(*b, {0, 0, 100, 30}, clLime), 25);
    EXPECT_EQ(CountColor(*b, {0, 0, 100, 30}, clRed), 9);
    EXPECT_EQ(CountColor(*b, {0, 0, 100, 30}, clBlue), 16);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_EQ(res.TextWidth, 5 + 3 + 4);
}

TEST(Pictures, DrawnAtItsOwnSizeUnlessStretched) {
    THTMLPicture pic;
    pic.LoadFromBytes(PngBytes(4, 4, clRed));
    auto b = WhiteBitmap(20, 20);
    b->Canvas()->StretchDraw({2, 2, 18, 18}, &pic);
    EXPECT_EQ(CountColor(*b, {0, 0, 20, 20}, clRed), 16);
    EXPECT_EQ(b->Pixel(2, 2), clRed);
    pic.Stretch = true;
    b->Canvas()->StretchDraw({2, 2, 18, 18}, &pic);
    EXPECT_EQ(CountColor(*b, {0, 0, 20, 20}, clRed), 256);
    THTMLPicture empty;
    b->Canvas()->StretchDraw({0, 0, 20, 20}, &empty); // draws nothing
    EXPECT_EQ(b->Pixel(0, 0), clWhite);
}

TEST(Pictures, SavedToAFileAsTheBytesCame) {
    const TTestFolder folder("gridsupport_picturesave");
    const std::string twoFrames = MakeGIF({0, 1});
    for (const std::string& bytes : {twoFrames, PngBytes(3, 2, clBlue)}) {
        THTMLPicture pic;
        pic.LoadFromBytes(bytes);
        for (const char* name : {"saved.gif", "saved.bmp", "saved.png"}) {
            pic.SaveToFile(folder.File(name));
            EXPECT_EQ(ReadFileBytes(folder.File(name)), bytes) << name;
        }
    }
    // Streams carry the bytes unchanged too.
    THTMLPicture streamed;
    int changes = 0;
    streamed.OnChange = [&](TObject*) { ++changes; };
    TMemoryStream stream;
    stream.WriteBuffer(twoFrames.data(), static_cast<int64_t>(twoFrames.size()));
    stream.Seek(0, soBeginning);
    streamed.LoadFromStream(stream);
    EXPECT_EQ(streamed.FrameCount(), 2);
    EXPECT_EQ(changes, 1);
    TMemoryStream out;
    streamed.SaveToStream(out);
    EXPECT_EQ(out.Size(), static_cast<int64_t>(twoFrames.size()));
    THTMLPicture again;
    again.LoadFromFile(folder.File("saved.gif"));
    EXPECT_EQ(again.FrameCount(), -1); // the last one saved was the PNG
}

TEST(Pictures, AURLGoesToADownloadThreadThatFetchesNothing) {
    THTMLPicture web;
    int events = 0;
    web.OnChange = [&](TObject*) { ++events; };
    web.OnDownLoadProgress = [&](TObject*, unsigned, unsigned) { ++events; };
    web.OnDownLoadCancel = [&](TObject*, bool&) { ++events; };
    web.OnDownLoadComplete = [&](TObject*) { ++events; };
    web.OnDownLoadError = [&](TObject*, const std::string&) { ++events; };
    EXPECT_FALSE(web.DownloadBusy());
    web.LoadFromURL("http://knsb.nl/logo.gif");
    EXPECT_TRUE(web.DownloadBusy());
    EXPECT_EQ(web.URL, "http://knsb.nl/logo.gif");
    EXPECT_EQ(web.ID, "");
    // One download at a time: a second URL is not taken while busy.
    web.LoadFromURL("http://knsb.nl/other.gif");
    EXPECT_EQ(web.URL, "http://knsb.nl/logo.gif");
    CheckSynchronize();
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(events, 0);

    THTMLPicture direct;
    direct.Asynch = false;
    direct.LoadFromURL("http://knsb.nl/logo.gif");
    EXPECT_FALSE(direct.DownloadBusy());
    EXPECT_EQ(direct.ID, "http://knsb.nl/logo.gif");
    EXPECT_TRUE(direct.Empty());
}

// drawing.wmf and drawing.emf: LibreOffice Draw's conversion of drawing.svg
// (a red bar left, a blue ellipse right, on white).
TEST(Pictures, MetafilesFromAnotherProgramLoadAndDraw) {
    const std::string data = VZ_TEST_DATA_DIR;
    THTMLPicture wmf, emf, png;
    wmf.LoadFromFile(data + "/drawing.wmf");
    emf.LoadFromFile(data + "/drawing.emf");
    png.LoadFromBytes(PngBytes(40, 30, clGreen));
    for (const THTMLPicture* pic : {&wmf, &emf}) {
        ASSERT_FALSE(pic->Empty());
        // About 4 by 3 cm at 96 pixels per inch.
        EXPECT_NEAR(pic->Width(), 140, 15);
        EXPECT_NEAR(pic->Height(), 105, 15);
        EXPECT_EQ(pic->SaveToBytes(),
                  ReadFileBytes(data + (pic == &wmf ? "/drawing.wmf" : "/drawing.emf")));
    }
    // Side by side, each at its own size, and the WMF once more stretched.
    auto b = WhiteBitmap(3 * 150 + 40 + 20, 220);
    TCanvas& c = *b->Canvas();
    c.StretchDraw({0, 0, 300, 220}, &wmf); // at its own size: Stretch is off
    c.StretchDraw({150, 0, 300, 220}, &emf);
    c.Draw(300, 0, &png);
    wmf.Stretch = true;
    c.StretchDraw({350, 0, 510, 220}, &wmf);
    SaveArtifact(*b, "gridsupport_metafiles.png");
    for (const int left : {0, 150}) {
        const int w = left == 0 ? wmf.Width() : emf.Width(), h = wmf.Height();
        EXPECT_EQ(b->Pixel(left + w / 4, h / 2), clRed) << left;
        EXPECT_EQ(b->Pixel(left + w * 3 / 4, h / 2), clBlue) << left;
        EXPECT_EQ(b->Pixel(left + w + 5, h / 2), clWhite) << left; // nothing stretched
    }
    EXPECT_EQ(b->Pixel(320, 15), clGreen);
    EXPECT_EQ(b->Pixel(350 + 30, 200), clRed); // the stretched one reaches down
}

TEST(Pictures, EmptyPlaceableMetafileIsAnEmptyPicture) {
    struct Case {
        unsigned Right, Bottom;
        int Width, Height; // 1440 units an inch, 96 pixels an inch
        std::string Records{};
    };
    // A pattern fill of no width, or of no height, covers nothing.
    const auto patBlt = [](unsigned W, unsigned H) {
        std::string r;
        for (const unsigned v : {9u, 0u, 0x061Du, 0x0021u, 0x00F0u, H, W, 0u, 100u})
            r += Word16Bytes(v);
        return r;
    };
    for (const Case& c :
         {Case{1440, 720, 96, 48}, Case{0, 0, 0, 0}, Case{1440, 720, 96, 48, patBlt(0, 500)},
          Case{1440, 720, 96, 48, patBlt(500, 0)}}) {
        const std::string bytes = EmptyPlaceableWMF(c.Right, c.Bottom, c.Records);
        THTMLPicture pic;
        ASSERT_NO_THROW(pic.LoadFromBytes(bytes)) << c.Right;
        EXPECT_EQ(pic.Width(), c.Width);
        EXPECT_EQ(pic.Height(), c.Height);
        EXPECT_EQ(pic.Empty(), c.Width == 0) << c.Right;
        EXPECT_EQ(pic.SaveToBytes(), bytes);
        auto b = WhiteBitmap(100, 50);
        b->Canvas()->Draw(0, 0, &pic);
        for (int y = 0; y < 50; y += 7)
            for (int x = 0; x < 100; x += 9)
                ASSERT_EQ(b->Pixel(x, y), clWhite) << x << "," << y; // shows nothing
    }
}
