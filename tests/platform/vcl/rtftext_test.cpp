// The RTF reader and writer, the laid-out rich text and the rich edit.
#include <gtest/gtest.h>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/richedit.h"
#include "platform/vcl/rtftext.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

namespace {

std::string ReadDataFile(const std::string& Name) {
    return ReadBytes(std::string(VZ_TEST_DATA_DIR) + "/" + Name);
}

// The run that holds Text (UTF-16 from Windows-1252), or nullptr.
const TRtfRun* RunWith(const TRtfDocument& Doc, const std::string& Text) {
    const std::u16string t = Cp1252ToUtf16(Text);
    for (const TRtfParagraph& p : Doc.Paragraphs)
        for (const TRtfRun& r : p.Runs)
            if (r.Text.find(t) != std::u16string::npos) return &r;
    return nullptr;
}

} // namespace

TEST(RtfReader, ReadsWhatLibreOfficeWrote) {
    // Written by LibreOffice Writer from a small document: bold, italic,
    // underline, red and blue words in 12 pt Liberation Serif, then a line in
    // 18 pt Liberation Sans with accented letters and a euro sign.
    const TRtfDocument doc = ReadRTF(ReadDataFile("libreoffice-rich.rtf"));
    EXPECT_EQ(RTFPlainText(doc), "Vet schuin onder rood blauw\r\nCaf\xE9 cr\xE8me \xE0 \x80 5");
    ASSERT_EQ(doc.Paragraphs.size(), 2u);
    const TRtfRun* vet = RunWith(doc, "Vet");
    const TRtfRun* schuin = RunWith(doc, "schuin");
    const TRtfRun* onder = RunWith(doc, "onder");
    const TRtfRun* rood = RunWith(doc, "rood");
    const TRtfRun* blauw = RunWith(doc, "blauw");
    const TRtfRun* cafe = RunWith(doc, "Caf\xE9");
    ASSERT_TRUE(vet && schuin && onder && rood && blauw && cafe);
    EXPECT_TRUE(vet->Format.Bold);
    EXPECT_FALSE(vet->Format.Italic);
    EXPECT_TRUE(schuin->Format.Italic);
    EXPECT_FALSE(schuin->Format.Bold);
    EXPECT_TRUE(onder->Format.Underline);
    EXPECT_EQ(rood->Format.Color, 0x0000FF);  // red, 0x00BBGGRR
    EXPECT_EQ(blauw->Format.Color, 0xFF0000); // blue
    EXPECT_EQ(vet->Format.FontName, "Liberation Serif");
    EXPECT_EQ(vet->Format.HalfPoints, 24);
    EXPECT_EQ(cafe->Format.FontName, "Liberation Sans");
    EXPECT_EQ(cafe->Format.HalfPoints, 36);
}

TEST(RtfReader, SkipsWhatItDoesNotShowAndReadsCharacters) {
    const TRtfDocument doc =
        ReadRTF("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s1 Kop;}}{\\info{\\title T}}"
                "{\\*\\unknowndest geheim}{\\pict\\pngblip 89504e47}\\pard\\qc "
                "a\\tab b\\'e9\\u8364?\\u-4064 ?\\{\\}\\\\{\\field{\\*\\fldinst HYPERLINK "
                "x}{\\fldrslt link}}"
                "\\par\\pard\\qr rechts\\line twee\\par}");
    ASSERT_EQ(doc.Paragraphs.size(), 2u);
    EXPECT_EQ(doc.Paragraphs[0].Align, raCenter);
    EXPECT_EQ(doc.Paragraphs[1].Align, raRight);
    const std::u16string first = doc.Paragraphs[0].Runs.at(0).Text;
    // \u-4064 is U+F020 (16-bit signed); its fallback '?' is dropped.
    EXPECT_EQ(first, u"a\tb\u00E9\u20AC\uF020{}\\link");
    EXPECT_EQ(RTFPlainText(doc).substr(RTFPlainText(doc).find("rechts")), "rechts\r\ntwee");
}

TEST(RtfReader, BytesAreCharactersOfTheirFontsCodePage) {
    // As a rich edit on a Cyrillic system writes it: the document's code page,
    // fonts with their character sets, text as \'hh bytes.
    const TRtfDocument doc = ReadRTF(
        "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Arial;}"
        "{\\f1\\fnil\\fcharset0 Arial;}{\\f2\\fnil\\fcharset161 Arial Greek;}"
        "{\\f3\\fnil\\fcharset1 Courier;}}"
        "\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 {\\f1 caf\\'e9 }{\\f2 \\'e1\\'e3 }{\\f3 \\'e0}\\par}");
    ASSERT_EQ(doc.Paragraphs.size(), 1u);
    std::u16string text;
    for (const TRtfRun& r : doc.Paragraphs[0].Runs)
        text += r.Text;
    // Cyrillic, Western (charset 0), Greek, and the document's page for a
    // font of the default set.
    EXPECT_EQ(text, u"Привет café αγ а");
    // The plain text keeps what the program's code page holds.
    EXPECT_EQ(RTFPlainText(doc), "?????? caf\xE9 ?? ?");

    // Without fonts the document's code page counts; Central European here.
    EXPECT_EQ(ReadRTF("{\\rtf1\\ansi\\ansicpg1250 P\\'f8\\'edli\\'9a}").Paragraphs[0].Runs[0].Text,
              u"Příliš");
    // Double-byte pages: lead and trail byte make one character, also across
    // a line end of the source or with the trail byte written as itself;
    // the bytes after a \uN stand in for it and are dropped.
    const TRtfDocument jis = ReadRTF(
        "{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0\\'82\r\n\\'a2\\'83A\\uc2\\u12354\\'82\\'a0x}");
    EXPECT_EQ(jis.Paragraphs[0].Runs[0].Text, u"あいアあx");
    // An unknown code page reads as Windows-1252.
    EXPECT_EQ(ReadRTF("{\\rtf1\\ansi\\ansicpg4242 \\'e9}").Paragraphs[0].Runs[0].Text, u"é");
    // A lead byte whose trail never comes is dropped, nothing else.
    EXPECT_EQ(ReadRTF("{\\rtf1\\ansicpg936 a\\'d6}b}").Paragraphs[0].Runs[0].Text, u"ab");
    // Nor does a control word between two bytes join them.
    const TRtfDocument apart = ReadRTF("{\\rtf1\\ansicpg932 \\'82\\b A}");
    std::u16string parted;
    for (const TRtfRun& r : apart.Paragraphs[0].Runs)
        parted += r.Text;
    EXPECT_EQ(parted, u"A");
    // The older character sets of a document, and a font's own code page.
    const std::pair<const char*, std::u16string> pages[] = {
        {"{\\rtf1\\mac \\'8e}", u"é"},
        {"{\\rtf1\\pc \\'9b}", u"¢"},
        {"{\\rtf1\\pca \\'9b}", u"ø"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\cpg1253 Arial;}}\\f0 \\'e1}", u"α"}};
    for (const auto& [rtf, text] : pages)
        EXPECT_EQ(ReadRTF(rtf).Paragraphs[0].Runs[0].Text, text) << rtf;
}

TEST(RtfReader, HostileInputEndsCleanly) {
    // Deep nesting, numbers beyond every range, truncated groups and words,
    // a \bin longer than the text: all end with what could be read.
    const std::string deep = std::string(200000, '{') + "\\b diep";
    EXPECT_EQ(RTFToPlainText(deep), "diep");
    const TRtfDocument huge =
        ReadRTF("{\\rtf1\\fs99999999999999999999 a\\cf-99999999999 b\\u99999999999 c\\uc99999 d");
    EXPECT_EQ(huge.Paragraphs.at(0).Runs.at(0).Format.HalfPoints, 3276);
    EXPECT_EQ(RTFToPlainText("{\\rtf1 x\\bin999999 abc"), "x");
    EXPECT_EQ(RTFToPlainText("{\\rtf1 y\\'"), "y");
    EXPECT_EQ(RTFToPlainText("}}}{\\rtf1 z}}}"), "z");
}

TEST(RtfWriter, RoundTripKeepsEverything) {
    TRtfDocument doc;
    TRtfParagraph p1;
    p1.Align = raRight;
    TRtfCharFormat bold;
    bold.Bold = true;
    bold.FontName = "Courier New";
    bold.HalfPoints = 28;
    TRtfCharFormat colour;
    colour.Italic = colour.Underline = colour.StrikeOut = true;
    colour.Color = 0x00805A;
    p1.Runs = {{bold, u"Vet {x} \\ "}, {colour, u"\u00E9\u20AC\u0416\t\u2028"}};
    TRtfParagraph p2;
    p2.Align = raJustify;
    TRtfRun plain;
    plain.Text = u"gewoon";
    p2.Runs = {plain};
    doc.Paragraphs = {p1, p2, TRtfParagraph{}};
    const std::string rtf = WriteRTF(doc);
    // Plain 7-bit text, as RTF must be.
    for (const char c : rtf)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
    EXPECT_EQ(ReadRTF(rtf), doc);
    EXPECT_EQ(WriteRTF(ReadRTF(rtf)), rtf);
    // A control character inside a font name (found by fuzzing) is no part of it.
    const TRtfDocument odd = ReadRTF("{\\rtf1{\\fonttbl{\\f0 Ar\tial\\'01;}}\\f0 x}");
    EXPECT_EQ(odd.Paragraphs.at(0).Runs.at(0).Format.FontName, "Arial");
    EXPECT_EQ(ReadRTF(WriteRTF(odd)), odd);
}

TEST(RichTextLayout, DrawsAndMeasures) {
    TFont font;
    font.SetName("Liberation Sans");
    font.SetSize(10);
    TRichTextLayout layout;
    layout.LoadRTF("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}{\\cf1\\b ROOD} zwart\\par "
                   "tweede regel\\par}",
                   font);
    const TSize wide = layout.ContentSize(0);
    const TSize narrow = layout.ContentSize(40);
    EXPECT_GT(wide.cx, 60);
    EXPECT_GT(narrow.cy, wide.cy); // broken over more lines
    TBitmap bmp(200, 60);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->FillRect({0, 0, 200, 60});
    layout.Draw(*bmp.Canvas(), {10, 10, 190, 50});
    int red = 0, dark = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor c = bmp.Canvas()->Pixel(x, y);
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            if (r > 150 && g < 90 && b < 90) ++red;
            if (r < 90 && g < 90 && b < 90) ++dark;
            if ((x < 10 || y < 10 || x >= 190 || y >= 50) && c != clWhite) ++outside;
        }
    EXPECT_GT(red, 20);
    EXPECT_GT(dark, 20);
    EXPECT_EQ(outside, 0);
    // Drawn in one colour every character takes it.
    bmp.Canvas()->FillRect({0, 0, 200, 60});
    layout.Draw(*bmp.Canvas(), {10, 10, 190, 50}, 0x00FF00);
    red = 0;
    int green = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor c = bmp.Canvas()->Pixel(x, y);
            if ((c & 0xFF) > 150 && ((c >> 8) & 0xFF) < 90) ++red;
            if (((c >> 8) & 0xFF) > 150 && (c & 0xFF) < 90) ++green;
        }
    EXPECT_EQ(red, 0);
    EXPECT_GT(green, 40);
}

TEST(RichEdit, TypedAndFormattedTextComesOutAsRTF) {
    auto form = MakeForm();
    auto* edit = new TRichEdit(form.get());
    edit->SetParent(form.get());
    ShowActive(form.get());
    edit->SetFocus();
    edit->LoadRTF("{\\rtf1 {\\i schuin} recht\\par}");
    EXPECT_EQ(edit->Text(), "schuin recht");
    SendKey(edit, Qt::Key_End, QString(), Qt::ControlModifier);
    SendKey(edit, Qt::Key_B, QString(), Qt::ControlModifier);
    for (const char c : std::string(" vet"))
        SendKey(edit, c == ' ' ? Qt::Key_Space : Qt::Key_A + (c - 'a'), QString(QChar(c)));
    const TRtfDocument doc = ReadRTF(edit->RTF());
    EXPECT_EQ(RTFPlainText(doc), "schuin recht vet");
    const TRtfRun* vet = RunWith(doc, " vet");
    ASSERT_NE(vet, nullptr);
    EXPECT_TRUE(vet->Format.Bold);
    EXPECT_TRUE(RunWith(doc, "schuin")->Format.Italic);
    EXPECT_FALSE(RunWith(doc, "recht")->Format.Bold);
}
