// Drag and drop: the data offered holds only its formats and reads back whole;
// drag events on a control's widget reach its registered target, and the
// target's effect goes back to the source.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QUrl>
#include <QWidget>

#include "platform/vcl/dragdropqt.h"
#include "platform/vcl/extctrls.h"
#include "vcltestenv.h"

namespace {

// Writes down what it is told and answers with Effect.
class TRecordingTarget : public TOleDropTarget {
public:
    int Effect = 2;
    std::vector<std::string> Calls;
    TDropData Data;
    TPoint Point;
    unsigned Keys = 0;
    int DragEnter(const TDropData& D, const TPoint& P, unsigned K) override {
        Data = D;
        return Note("enter", P, K);
    }
    int DragOver(const TPoint& P, unsigned K) override { return Note("over", P, K); }
    void DragLeave() override { Calls.push_back("leave"); }
    int Drop(const TDropData& D, const TPoint& P, unsigned K) override {
        Data = D;
        return Note("drop", P, K);
    }

private:
    int Note(const std::string& Call, const TPoint& P, unsigned K) {
        Calls.push_back(Call);
        Point = P;
        Keys = K;
        return Effect;
    }
};

TDropData TextData(const std::string& Text) {
    TDropData d;
    d.HasText = true;
    d.Text = Text;
    return d;
}

struct DropFixture : ::testing::Test {
    std::unique_ptr<TForm> Form = MakeForm();
    TPanel* Panel = new TPanel(Form.get());
    TRecordingTarget Target;
    void SetUp() override {
        Panel->SetParent(Form.get());
        Panel->SetBounds(10, 10, 100, 50);
        RegisterDragDrop(*Panel, &Target);
    }
    // Enter then drop at (X, Y); answers the drop event's action and acceptance.
    std::pair<Qt::DropAction, bool> DragAndDrop(const QMimeData& Mime, int X, int Y,
                                                Qt::DropActions Possible = Qt::CopyAction |
                                                                           Qt::MoveAction,
                                                Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QDragEnterEvent enter(QPoint(X, Y), Possible, &Mime, Qt::LeftButton, Mods);
        QApplication::sendEvent(Panel->Widget(), &enter);
        QDragMoveEvent move(QPoint(X + 1, Y), Possible, &Mime, Qt::LeftButton, Mods);
        QApplication::sendEvent(Panel->Widget(), &move);
        QDropEvent drop(QPointF(X + 2, Y), Possible, &Mime, Qt::NoButton, Mods);
        QApplication::sendEvent(Panel->Widget(), &drop);
        return {drop.dropAction(), drop.isAccepted()};
    }
};

} // namespace

TEST(DropData, OffersOnlyTheFormatsItHolds) {
    const auto text = ToMimeData(TextData("Aap \xBD"));
    EXPECT_EQ(text->formats(), QStringList{"text/plain"});
    EXPECT_EQ(text->text(), QString::fromUtf8("Aap \u00BD"));

    TDropData own;
    own.Custom["application/x-vz-test"] = std::string("\x04\x00\x02", 3);
    const auto ownMime = ToMimeData(own);
    EXPECT_EQ(ownMime->formats(), QStringList{"application/x-vz-test"});
    EXPECT_EQ(ownMime->data("application/x-vz-test"), QByteArray("\x04\x00\x02", 3));
    EXPECT_EQ(DropFormats(own), std::vector<std::string>{"application/x-vz-test"});

    TDropData rich = TextData("x");
    rich.HasRichText = true;
    rich.RichText = "{\\rtf1 x}";
    EXPECT_EQ(DropFormats(rich), (std::vector<std::string>{"text/plain", "text/rtf"}));
    EXPECT_TRUE(DropFormats(TDropData()).empty());
    EXPECT_TRUE(ToMimeData(TDropData())->formats().isEmpty());
}

TEST(DropData, ReadsBackWhatWasOffered) {
    TDropData d = TextData("Groep \xBD");
    d.HasRichText = true;
    d.RichText = "{\\rtf1 \\'bd}";
    d.Custom["application/x-vz-a"] = "3";
    d.Custom["application/x-vz-b"] = "4";
    d.Files = {"/tmp/uitslag \xBD.csv", "/tmp/b.txt"};
    const TDropData back =
        FromMimeData(*ToMimeData(d), {"application/x-vz-a", "application/x-vz-c"});
    EXPECT_TRUE(back.HasText);
    EXPECT_EQ(back.Text, d.Text);
    EXPECT_TRUE(back.HasRichText);
    EXPECT_EQ(back.RichText, d.RichText);
    // Only the program's own formats that were asked for.
    EXPECT_EQ(back.Custom, (std::map<std::string, std::string>{{"application/x-vz-a", "3"}}));
    EXPECT_EQ(back.Files, d.Files);
}

TEST(DropData, ReadsOtherProgramsFormats) {
    QMimeData mime;
    mime.setData("application/rtf", QByteArray("{\\rtf1 a}\0junk", 14));
    mime.setData("application/x-other", QByteArray("\x01\x00", 2)); // not asked for
    mime.setUrls({QUrl("https://example.org/a.csv"), QUrl::fromLocalFile("/tmp/a.csv")});
    const TDropData d = FromMimeData(mime);
    EXPECT_FALSE(d.HasText);
    EXPECT_TRUE(d.HasRichText);
    EXPECT_EQ(d.RichText, "{\\rtf1 a}");
    EXPECT_TRUE(d.Custom.empty());
    EXPECT_EQ(d.Files, std::vector<std::string>{"/tmp/a.csv"});
}

TEST_F(DropFixture, DragEventsReachTheTargetWithDataPointAndKeys) {
    ASSERT_TRUE(DragDropRegistered(*Panel));
    const auto mime = ToMimeData(TextData("Wit wint"));
    const auto [action, accepted] =
        DragAndDrop(*mime, 20, 5, Qt::CopyAction | Qt::MoveAction, Qt::ControlModifier);
    EXPECT_EQ(Target.Calls, (std::vector<std::string>{"enter", "over", "drop"}));
    EXPECT_EQ(Target.Data.Text, "Wit wint");
    EXPECT_EQ(Target.Point, (TPoint{22, 5}));
    EXPECT_TRUE(Target.Keys & MK_CONTROL);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(action, Qt::MoveAction);
}

TEST_F(DropFixture, NoEffectRefusesTheDrag) {
    Target.Effect = 0;
    const auto mime = ToMimeData(TextData("x"));
    EXPECT_FALSE(DragAndDrop(*mime, 5, 5).second);
    EXPECT_EQ(Target.Calls, std::vector<std::string>{"enter"}); // nothing more comes
    // Accepted at first, then refused over another place: no drop there.
    Target.Calls.clear();
    Target.Effect = 2;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(Panel->Widget(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragLeaveEvent leave;
    QApplication::sendEvent(Panel->Widget(), &leave);
    QApplication::sendEvent(Panel->Widget(), &enter);
    Target.Effect = 0;
    QDropEvent drop(QPointF(6, 5), Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::NoButton,
                    Qt::NoModifier);
    QApplication::sendEvent(Panel->Widget(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::IgnoreAction);
    EXPECT_EQ(Target.Calls, (std::vector<std::string>{"enter", "leave", "enter", "drop"}));
}

TEST_F(DropFixture, FilesAreCopiedEvenWhenTheTargetWouldMoveThem) {
    TDropData files;
    files.Files = {"/tmp/a.csv"};
    const auto mime = ToMimeData(files);
    EXPECT_EQ(DragAndDrop(*mime, 5, 5).first, Qt::CopyAction);
    EXPECT_EQ(Target.Data.Files, files.Files);
}

TEST_F(DropFixture, TheEffectStaysWithinWhatTheSourceAllows) {
    const auto mime = ToMimeData(TextData("x"));
    EXPECT_EQ(DragAndDrop(*mime, 5, 5, Qt::CopyAction).first, Qt::CopyAction);
    Target.Effect = 1; // a copy where the source allows only a move
    EXPECT_FALSE(DragAndDrop(*mime, 5, 5, Qt::MoveAction).second);
}

TEST_F(DropFixture, RevokedOrReplacedTargets) {
    TRecordingTarget other;
    RegisterDragDrop(*Panel, &other);
    const auto mime = ToMimeData(TextData("x"));
    DragAndDrop(*mime, 5, 5);
    EXPECT_TRUE(Target.Calls.empty());
    EXPECT_EQ(other.Calls.size(), 3u);
    RevokeDragDrop(*Panel);
    EXPECT_FALSE(DragDropRegistered(*Panel));
    EXPECT_FALSE(Panel->Widget()->acceptDrops());
    DragAndDrop(*mime, 5, 5);
    EXPECT_EQ(other.Calls.size(), 3u);
}

TEST_F(DropFixture, ADragWithNothingToOfferOrNoEffectAllowedIsCancelled) {
    int effect = 7;
    EXPECT_EQ(DoDragDrop(*Panel, TDropData(), 3, effect), drCancelled);
    EXPECT_EQ(effect, 0);
    EXPECT_EQ(DoDragDrop(*Panel, TextData("x"), 0, effect), drCancelled);
    // The headless desktop has no place to drop on: the drag loop ends at once.
    effect = 7;
    EXPECT_EQ(DoDragDrop(*Panel, TextData("x"), 3, effect), drCancelled);
    EXPECT_EQ(effect, 0);
}
