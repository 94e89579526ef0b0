// The clipboard: text with TAB and CR LF in the code page, registered formats,
// several formats in one session, and what the rest of the system sees.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "platform/vcl/clipbrd.h"
#include "platform/vcl/qtapp.h"

TEST(Clipboard, TextRoundTripKeepsTabsLineEndsAndTheCodePage) {
    const std::string text = "Naam\tPunten\r\nJan\t2\xBD\r\nAn\xE9\t1\r\n";
    Clipboard()->SetAsText(text);
    EXPECT_EQ(text, Clipboard()->AsText());
    EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
    // Other programs get proper Unicode.
    EXPECT_EQ(QString::fromUtf8("Naam\tPunten\r\nJan\t2\xC2\xBD\r\nAn\xC3\xA9\t1\r\n"),
              QApplication::clipboard()->text());
}

TEST(Clipboard, RegisteredFormatsAreStableAndTravelAsBytes) {
    const unsigned rtf = RegisterClipboardFormat("Rich Text Format");
    const unsigned cells = RegisterClipboardFormat("TExtStringGrid Cells");
    EXPECT_EQ(rtf, RegisterClipboardFormat("Rich Text Format"));
    EXPECT_NE(rtf, cells);
    EXPECT_GE(rtf, 0xC000u);
    EXPECT_EQ("TExtStringGrid Cells", ClipboardFormatName(cells));
    const std::string stream("\x01\x00\x02\xFF"
                             "cel",
                             7);
    Clipboard()->SetBuffer(cells, stream);
    EXPECT_EQ(stream, Clipboard()->GetBuffer(cells));
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT)); // setting outside a session replaces all
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(
        "application/x-vivazozodi-textstringgrid-cells"));
}

TEST(Clipboard, OneSessionPublishesSeveralFormatsTogether) {
    const unsigned rtf = RegisterClipboardFormat("Rich Text Format");
    const unsigned cells = RegisterClipboardFormat("TExtStringGrid Cells");
    Clipboard()->SetAsText("oud");
    Clipboard()->Open();
    Clipboard()->SetAsText("a\tb");
    Clipboard()->SetBuffer(rtf, "{\\rtf1 a}");
    Clipboard()->SetBuffer(cells, "stream");
    EXPECT_EQ("oud", QApplication::clipboard()->text().toStdString()); // not yet published
    Clipboard()->Close();
    EXPECT_EQ("a\tb", Clipboard()->AsText());
    EXPECT_EQ("{\\rtf1 a}", Clipboard()->GetBuffer(rtf));
    EXPECT_EQ("stream", Clipboard()->GetBuffer(cells));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat("text/rtf"));
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
    EXPECT_FALSE(Clipboard()->HasFormat(rtf));
}
