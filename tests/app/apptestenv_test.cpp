#include <gtest/gtest.h>

#include "apptestenv.h"
#include "model/stand.h"
#include "platform/vcl/forms.h"
#include "widgettest.h"

namespace {

class AppTestEnv : public WidgetTest {};

TEST_F(AppTestEnv, ClubGroupHasEveryFirstCycleResult) {
    auto g = MakeClubGroep();
    EXPECT_EQ(8, g->Spelers.Count());
    EXPECT_EQ(28, g->Games.Count());
    EXPECT_EQ(0, g->Games.GetNrEmptyGames());
    auto d = MakeClubGroep(true);
    EXPECT_EQ(56, d->Games.Count());
    EXPECT_EQ(28, d->Games.GetNrEmptyGames());
}

TEST_F(AppTestEnv, RunModalActsInsideTheLoopAndEndsIt) {
    TForm Form(nullptr);
    bool Seen = false;
    EXPECT_EQ(mrOk, RunModal(Form, [&] {
                  Seen = Form.Visible();
                  Form.SetModalResult(mrOk);
              }));
    EXPECT_TRUE(Seen);
    EXPECT_EQ(mrCancel, RunModal(Form, [] {}));
}

} // namespace
