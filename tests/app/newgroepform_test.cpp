#include <gtest/gtest.h>

#include "app/newgroepform.h"
#include "apptestenv.h"
#include "controls/numeric/numspin.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"
#include "widgettest.h"

namespace {

class NewGroepFormTest : public WidgetTest {};

TEST_F(NewGroepFormTest, LaidOutOverThreePages) {
    TZVNewGroepForm F(nullptr);
    F.AfterConstruction();
    EXPECT_EQ("ZVNewGroepForm", F.Caption());
    ASSERT_EQ(3, F.PageControl->PageCount());
    EXPECT_EQ("Groep info", F.PageControl->Pages(0)->Caption());
    EXPECT_EQ("Spelers", F.PageControl->Pages(1)->Caption());
    EXPECT_EQ("Indeling", F.PageControl->Pages(2)->Caption());
    EXPECT_EQ(4, F.AantalSpin->Value());
    EXPECT_TRUE(F.AantalSpin->AtMin()); // 4 .. 96, by twos
    EXPECT_EQ(96, F.AantalSpin->MaxValue());
    EXPECT_EQ(2, F.AantalSpin->Increment());
    ASSERT_EQ(3, F.OptiesCheckBox->Count());
    EXPECT_EQ("Dubbelrondig", F.OptiesCheckBox->Items()->Strings(0));
    EXPECT_EQ("Wissel rx ry", F.OptiesCheckBox->Items()->Strings(2));
    EXPECT_TRUE(F.DraaiEdit->ReadOnly());
    EXPECT_EQ(mrOk, RunModal(F, [&] {
                  SavePicture(F, "newgroepform.png");
                  F.PageControl->SetActivePageIndex(2);
                  SavePicture(F, "newgroepform-indeling.png");
                  F.KlaarBitBtn->Click();
              }));
}

} // namespace
