// The grid's drop target on a real control: drags delivered to the control's
// window reach the target's operations by its rules, and the effect it answers
// goes back to the dragging program. Drags started by the grid go out through
// the visual layer's drag loop.
#include <gtest/gtest.h>

#include "droprecorder.h"
#include "grid/support/dragdrop.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/synthdrag.h"
#include "widgettest.h"

namespace {

TDropData TextData(const std::string& T) {
    TDropData d;
    d.HasText = true;
    d.Text = T;
    return d;
}

class DropGlue : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        Panel = std::make_unique<TPanel>(nullptr);
        Panel->SetBounds(0, 0, 120, 60);
        RegisterDragDrop(*Panel, &Target);
    }
    void TearDown() override {
        RevokeDragDrop(*Panel);
        Panel.reset();
    }
    std::unique_ptr<TPanel> Panel;
    TRecordingDropTarget Target;
};

} // namespace

TEST_F(DropGlue, TextDropsAtThePointWithTheEffectOfTheKeys) {
    const TSynthDragResult moved = SynthDragDrop(Panel.get(), TextData("Wit \xBD"), 30, 12, 3);
    EXPECT_EQ(moved.Enter, DROPEFFECT_MOVE);
    EXPECT_EQ(moved.Over, DROPEFFECT_MOVE);
    EXPECT_EQ(moved.Drop, DROPEFFECT_MOVE);
    EXPECT_EQ(Target.Calls, (std::vector<std::string>{"enter", "text:Wit \xBD"}));
    EXPECT_EQ(Target.Last, (TPoint{30, 12}));
    EXPECT_FALSE(Target.Accepting()); // the drag is over

    const TSynthDragResult copied = SynthDragDrop(Panel.get(), TextData("x"), 5, 5, 3, MK_CONTROL);
    EXPECT_EQ(copied.Drop, DROPEFFECT_COPY);
    // A source that allows only copying gets a copy, never a move.
    EXPECT_EQ(SynthDragDrop(Panel.get(), TextData("y"), 5, 5, DROPEFFECT_COPY).Drop,
              DROPEFFECT_COPY);
    EXPECT_EQ(Target.Calls.back(), "text:y");
}

TEST_F(DropGlue, AColumnDragNeedsAcceptColsEvenWithTextBesides) {
    TDropData column = TextData("Naam");
    SetDropColumn(column, 4);
    const TSynthDragResult refused = SynthDragDrop(Panel.get(), column, 10, 10, 3);
    EXPECT_EQ(refused.Enter, DROPEFFECT_NONE);
    EXPECT_EQ(refused.Drop, DROPEFFECT_NONE);
    EXPECT_EQ(Target.Calls, std::vector<std::string>{"enter"}); // nothing dropped
    Target.AcceptCols = true;
    EXPECT_EQ(SynthDragDrop(Panel.get(), column, 10, 10, 3).Drop, DROPEFFECT_MOVE);
    EXPECT_EQ(Target.Calls.back(), "col:4"); // the column, not the text
}

TEST_F(DropGlue, FilesAreCopiedAndHandedOverWithTheText) {
    TDropData files;
    files.Files = {"/tmp/uitslag.csv", "/tmp/b.txt"};
    EXPECT_EQ(SynthDragDrop(Panel.get(), files, 1, 1, 3).Drop, DROPEFFECT_COPY);
    EXPECT_EQ(Target.Calls.back(), "files:/tmp/uitslag.csv,/tmp/b.txt");
    TDropData both = TextData("t");
    both.Files = {"/tmp/c.csv"};
    SynthDragDrop(Panel.get(), both, 1, 1, 3);
    EXPECT_EQ(Target.Calls[Target.Calls.size() - 2], "text:t");
    EXPECT_EQ(Target.Calls.back(), "files:/tmp/c.csv");
    // A source that allows only a move cannot have its files copied: refused.
    EXPECT_EQ(SynthDragDrop(Panel.get(), files, 1, 1, DROPEFFECT_MOVE).Enter, DROPEFFECT_NONE);
    Target.AcceptFiles = false;
    EXPECT_EQ(SynthDragDrop(Panel.get(), files, 1, 1, 3).Enter, DROPEFFECT_NONE);
}

TEST_F(DropGlue, RichTextOnlyWithTheFlag) {
    TDropData rich = TextData("plain");
    rich.HasRichText = true;
    rich.RichText = "{\\rtf1 x}";
    SynthDragDrop(Panel.get(), rich, 1, 1, 3);
    EXPECT_EQ(Target.Calls.back(), "text:plain");
    RTFScope on(true);
    SynthDragDrop(Panel.get(), rich, 1, 1, 3);
    EXPECT_EQ(Target.Calls.back(), "rtf:{\\rtf1 x}");
}

TEST_F(DropGlue, APlaceTheTargetRefusesGetsNoDrop) {
    Target.Allow = false;
    const TSynthDragResult r = SynthDragDrop(Panel.get(), TextData("x"), 7, 8, 3);
    EXPECT_EQ(r.Enter, DROPEFFECT_MOVE);
    EXPECT_EQ(r.Over, DROPEFFECT_NONE);
    EXPECT_EQ(r.Drop, DROPEFFECT_NONE);
    EXPECT_EQ(Target.Last, (TPoint{7, 8}));
    EXPECT_EQ(Target.Calls, (std::vector<std::string>{"enter", "leave"}));
    Target.Allow = true;
    EXPECT_EQ(SynthDragLeave(Panel.get(), TextData("x"), 1, 1, 3).Over, DROPEFFECT_MOVE);
    EXPECT_EQ(Target.Calls.back(), "leave");
    EXPECT_FALSE(Target.Accepting());
    // A drop that would come after the leave finds nothing accepted.
    EXPECT_EQ(Target.Drop(TextData("x"), {1, 1}, 0), DROPEFFECT_NONE);
    EXPECT_EQ(Target.Calls.back(), "leave");
}

TEST_F(DropGlue, ARevokedTargetHearsNothing) {
    RevokeDragDrop(*Panel);
    EXPECT_EQ(SynthDragDrop(Panel.get(), TextData("x"), 1, 1, 3).Enter, DROPEFFECT_NONE);
    EXPECT_TRUE(Target.Calls.empty());
}

TEST_F(DropGlue, DataOfAGridDragHoldsExactlyItsFormats) {
    const TDropData text = TSourceDataObject("abc", -1, "{\\rtf1 abc}").DropData();
    EXPECT_TRUE(text.HasText);
    EXPECT_EQ(text.Text, "abc");
    EXPECT_FALSE(text.HasRichText); // rich text only with the flag
    EXPECT_EQ(DropColumn(text), -1);
    EXPECT_EQ(DropFormats(text), std::vector<std::string>{MimeText});
    {
        RTFScope on(true);
        const TDropData rich = TSourceDataObject("abc", -1, "{\\rtf1 abc}").DropData();
        EXPECT_EQ(rich.RichText, "{\\rtf1 abc}");
        EXPECT_EQ(DropFormats(rich), (std::vector<std::string>{MimeText, MimeRichText}));
    }
    const TDropData column = TSourceDataObject("", 6, "").DropData();
    EXPECT_FALSE(column.HasText);
    EXPECT_EQ(DropColumn(column), 6);
    EXPECT_EQ(DropFormats(column), std::vector<std::string>{MimeGridColumn});
}

TEST_F(DropGlue, AGridDragReachesAnotherGridsTarget) {
    // What a column drag of one grid puts on the way lands as a column drop on another.
    Target.AcceptCols = true;
    TPanel source(nullptr);
    source.SetBounds(0, 0, 50, 50);
    TXSGDropSource drag([&](const TSourceDataObject& Data, int Allowed, int& Effect) -> long {
        Effect = SynthDragDrop(Panel.get(), Data.DropData(), 9, 9, Allowed).Drop;
        return Effect ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    });
    int effect = -1;
    EXPECT_EQ(drag.StartColumnDrag(2, DROPEFFECT_MOVE, effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_MOVE);
    EXPECT_EQ(Target.Calls.back(), "col:2");
    Target.AcceptCols = false;
    EXPECT_EQ(drag.StartColumnDrag(2, DROPEFFECT_MOVE, effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
}

TEST_F(DropGlue, AGridDragGoesOutThroughTheDragLoopOfItsControl) {
    TPanel source(nullptr);
    source.SetBounds(0, 0, 50, 50);
    TXSGDropSource drag(source);
    int effect = -1;
    // The headless desktop has no window to drop on: the loop ends cancelled.
    EXPECT_EQ(drag.StartTextDrag("abc", "", DROPEFFECT_COPY | DROPEFFECT_MOVE, effect),
              DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    // Nothing allowed: cancelled before any loop.
    EXPECT_EQ(drag.StartColumnDrag(1, DROPEFFECT_NONE, effect), DRAGDROP_S_CANCEL);
}
