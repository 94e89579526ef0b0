// The date and time picker editors through real key and mouse events: a time
// cell edited, a date cell emptied by unchecking, the up-down style and the
// calendar opened at once.
#include <QEvent>
#include <QString>

#include "grid/grideditors.h"
#include "gridfixture.h"
#include "platform/rtl/dateutils.h"
#include "platform/vcl/controlimage.h"
#include "vcltestenv.h"

namespace {

class PickerTest : public EditorTypeTest {
protected:
    TGridDatePicker* Open() {
        SendKey(Grid, Qt::Key_F2);
        TGridDatePicker* picker = Grid->GetDatePickerEditor();
        return picker && picker->Visible() ? picker : nullptr;
    }
    void Picture(const std::string& Name) {
        TBitmap shot(1, 1);
        PaintControlTo(*Form, shot);
        SaveArtifact(shot, Name);
    }
};

} // namespace

TEST_F(PickerTest, ATimeCellIsEditedInTheTimePicker) {
    Type = edTimeEdit;
    Grid->SetCells(2, 2, "09:30:00");
    TGridDatePicker* picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->Kind(), dtkTime);
    EXPECT_NEAR(picker->Time(), 9.5 / 24, 1e-6);
    Picture("grid_time_editor_open.png");
    // The hour goes up by one with the arrow on the hours.
    SendKey(picker, Qt::Key_Home);
    SendKey(picker, Qt::Key_Up);
    SendKey(picker, Qt::Key_Return, "\r");
    EXPECT_FALSE(picker->Visible());
    EXPECT_EQ(Grid->Cells(2, 2), "10:30:00");
    // An empty time cell starts at the time it is now.
    Grid->SetCells(2, 2, "");
    picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_NEAR(picker->Time(), Time(), 2.0 / 86400);
    SendKey(picker, Qt::Key_Escape);
    EXPECT_EQ(Grid->Cells(2, 2), "");
}

TEST_F(PickerTest, AnUncheckedDatePickerEmptiesTheCell) {
    Type = edDateEdit;
    const TDateTime day = EncodeDate(2024, 3, 5);
    Grid->SetCells(2, 2, DateToStr(day));
    Grid->GetDatePickerEditor()->SetShowCheckbox(true);
    TGridDatePicker* picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->Checked());
    EXPECT_EQ(picker->Date(), day);
    const TRect box = picker->CheckboxRect();
    SendMouse(picker, QEvent::MouseButtonPress, box.Left + 6, box.Top + 6, Qt::LeftButton);
    SendMouse(picker, QEvent::MouseButtonRelease, box.Left + 6, box.Top + 6, Qt::LeftButton);
    EXPECT_FALSE(picker->Checked());
    EXPECT_EQ(picker->Date(), day);
    Picture("grid_date_editor_unchecked.png");
    SendKey(picker, Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(2, 2), "");
    // Opened on the empty cell it stays unchecked; Space checks it again and
    // the date shown is written.
    picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(picker->Checked());
    SendKey(picker, Qt::Key_Space, " ");
    EXPECT_TRUE(picker->Checked());
    SendKey(picker, Qt::Key_Return, "\r");
    EXPECT_EQ(Grid->Cells(2, 2), DateToStr(Date()));
}

TEST_F(PickerTest, TheUpDownStyleStepsAndTheCalendarCanOpenAtOnce) {
    Type = edDateEditUpDown;
    const TDateTime day = EncodeDate(2024, 3, 5);
    Grid->SetCells(2, 2, DateToStr(day));
    TGridDatePicker* picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->DateMode(), dmUpDown);
    SendKey(picker, Qt::Key_End);
    SendKey(picker, Qt::Key_Up);
    EXPECT_FALSE(picker->DroppedDown());
    SendKey(picker, Qt::Key_Return, "\r");
    EXPECT_NE(Grid->Cells(2, 2), DateToStr(day));
    TDateTime stepped = 0;
    EXPECT_TRUE(TryStrToDate(Grid->Cells(2, 2), stepped));

    Type = edDateEdit;
    Grid->MouseActions()->DirectDateDrop = true;
    picker = Open();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->DateMode(), dmComboBox);
    EXPECT_TRUE(picker->DroppedDown());
    picker->SetDroppedDown(false);
    EXPECT_FALSE(picker->DroppedDown());
}
