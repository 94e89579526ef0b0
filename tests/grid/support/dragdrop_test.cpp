#include <gtest/gtest.h>

#include "droprecorder.h"
#include "grid/support/dragdrop.h"
#include "platform/vcl/messages.h"

namespace {

using TRecordingTarget = TRecordingDropTarget;

TDragData Text(const std::string& T) {
    TDragData d;
    d.HasText = true;
    d.Text = T;
    return d;
}

} // namespace

TEST(DropTarget, TextIsAcceptedAndDroppedWithTheEffectOfTheKeys) {
    TRecordingTarget t;
    EXPECT_EQ(t.DragEnter(Text("abc"), 0), DROPEFFECT_MOVE);
    EXPECT_TRUE(t.Accepting());
    EXPECT_EQ(t.DragOver({5, 5}, MK_CONTROL), DROPEFFECT_COPY);
    t.Allow = false;
    EXPECT_EQ(t.DragOver({5, 5}, 0), DROPEFFECT_NONE);
    t.Allow = true;
    EXPECT_EQ(t.Drop(Text("abc"), {5, 5}, 0), DROPEFFECT_MOVE);
    EXPECT_EQ(t.Calls, (std::vector<std::string>{"enter", "text:abc"}));
    t.AcceptText = false;
    EXPECT_EQ(t.DragEnter(Text("abc"), 0), DROPEFFECT_NONE);
    EXPECT_EQ(t.Drop(Text("abc"), {5, 5}, 0), DROPEFFECT_NONE);
    EXPECT_EQ(t.Calls.back(), "enter"); // nothing was dropped
}

TEST(DropColumn, TravelsAsFourBytesLowByteFirst) {
    TDropData d;
    EXPECT_EQ(DropColumn(d), -1);
    SetDropColumn(d, 0x01020304);
    EXPECT_EQ(d.Custom.at(MimeGridColumn), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(DropColumn(d), 0x01020304);
    d.Custom[MimeGridColumn] = std::string("\x01\x00", 2); // too short: no column
    EXPECT_EQ(DropColumn(d), -1);
    SetDropColumn(d, -1);
    EXPECT_TRUE(d.Custom.empty());
}

TEST(DropTarget, AColumnNeedsAcceptCols) {
    TRecordingTarget t;
    TDragData column = Text("Naam");
    SetDropColumn(column, 3);
    // Text offered besides does not make a column drag acceptable.
    EXPECT_EQ(t.DragEnter(column, 0), DROPEFFECT_NONE);
    EXPECT_FALSE(t.Accepting());
    EXPECT_EQ(t.Drop(column, {1, 1}, 0), DROPEFFECT_NONE);
    EXPECT_EQ(t.Calls, (std::vector<std::string>{"enter"}));
    t.AcceptCols = true;
    EXPECT_EQ(t.DragEnter(column, 0), DROPEFFECT_MOVE);
    t.Drop(column, {1, 1}, 0);
    EXPECT_EQ(t.Calls.back(), "col:3");
    EXPECT_EQ(t.FormatsPresent(), (TDragFormats{dfText, dfColumn}));
}

TEST(DropTarget, FilesAreCopiedAndDroppedBesidesText) {
    TRecordingTarget t;
    TDragData files;
    files.Files = {"/tmp/a.csv", "/tmp/b.csv"};
    EXPECT_EQ(t.DragEnter(files, 0), DROPEFFECT_COPY); // never a move
    EXPECT_EQ(t.DragOver({0, 0}, 0), DROPEFFECT_COPY);
    EXPECT_EQ(t.Drop(files, {0, 0}, 0), DROPEFFECT_COPY);
    EXPECT_EQ(t.Calls.back(), "files:/tmp/a.csv,/tmp/b.csv");
    TDragData both = Text("x");
    both.Files = {"/tmp/c.csv"};
    t.DragEnter(both, 0);
    t.Drop(both, {0, 0}, 0);
    EXPECT_EQ(t.Calls[t.Calls.size() - 2], "text:x");
    EXPECT_EQ(t.Calls.back(), "files:/tmp/c.csv");
    t.AcceptFiles = false;
    EXPECT_EQ(t.DragEnter(files, 0), DROPEFFECT_NONE);
}

TEST(DropTarget, RichTextOnlyWithTheFlag) {
    TRecordingTarget t;
    TDragData rich = Text("plain");
    rich.HasRichText = true;
    rich.RichText = "{\\rtf1 x}";
    t.DragEnter(rich, 0);
    t.Drop(rich, {0, 0}, 0);
    EXPECT_EQ(t.Calls.back(), "text:plain");
    RTFScope on(true);
    t.DragEnter(rich, 0);
    t.Drop(rich, {0, 0}, 0);
    EXPECT_EQ(t.Calls.back(), "rtf:{\\rtf1 x}");
}

TEST(DragSource, OffersOnlyWhatItHolds) {
    const TSourceDataObject text("abc", -1, "{\\rtf1 abc}");
    EXPECT_EQ(text.Formats(), (std::vector<std::string>{MimeText}));
    EXPECT_EQ(text.GetData(MimeText), "abc");
    EXPECT_EQ(text.GetData(MimeRichText), "");
    EXPECT_FALSE(text.QueryGetData(MimeGridColumn));
    {
        RTFScope on(true);
        EXPECT_EQ(text.Formats(), (std::vector<std::string>{MimeText, MimeRichText}));
        EXPECT_EQ(text.GetData(MimeRichText), "{\\rtf1 abc}");
    }
    const TSourceDataObject column("", 5, "");
    EXPECT_EQ(column.Formats(), (std::vector<std::string>{MimeGridColumn}));
    EXPECT_EQ(column.GetData(MimeGridColumn), std::string("\x05\x00\x00\x00", 4));
    EXPECT_EQ(column.GetData(MimeText), "");
}

TEST(DragSource, EndsAsTheTargetAnswered) {
    std::vector<std::string> offered;
    int feedbackEffect = DROPEFFECT_COPY;
    TXSGDropSource* source = nullptr;
    TXSGDropSource s([&](const TSourceDataObject& Data, int, int& Effect) {
        offered = Data.Formats();
        source->GiveFeedback(feedbackEffect);
        Effect = feedbackEffect;
        return DRAGDROP_S_DROP;
    });
    source = &s;
    int effect = -1;
    EXPECT_EQ(s.StartTextDrag("abc", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_COPY);
    EXPECT_EQ(offered, (std::vector<std::string>{MimeText}));
    feedbackEffect = DROPEFFECT_NONE; // released where no effect showed
    EXPECT_EQ(s.StartColumnDrag(2, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(offered, (std::vector<std::string>{MimeGridColumn}));
    EXPECT_EQ(s.QueryContinueDrag(true, true), DRAGDROP_S_CANCEL);
    EXPECT_EQ(s.QueryContinueDrag(false, false), DRAGDROP_S_DROP);
    EXPECT_EQ(s.QueryContinueDrag(false, true), S_OK);
    EXPECT_EQ(s.GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
    EXPECT_FALSE(s.NoDrop());
}
