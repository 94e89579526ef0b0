// The clipboard keys of the spin and edit-button edits through real key
// events: with the editor disabled (or read-only) neither cut nor paste changes
// the text, whichever key combination asks for it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "grid/support/editbtn.h"
#include "grid/support/spinedit.h"
#include "platform/vcl/clipbrd.h"
#include "vcltestenv.h"
#include "widgettest.h"

namespace {

using EditClipKeys = WidgetTest;

struct TClipKey {
    int QtKey;
    Qt::KeyboardModifiers Mods;
    const char* Text;
};
// The clipboard keys, and Backspace, which also takes away the selection.
const TClipKey Keys[] = {{Qt::Key_V, Qt::ControlModifier, "\x16"},
                         {Qt::Key_X, Qt::ControlModifier, "\x18"},
                         {Qt::Key_Insert, Qt::ShiftModifier, ""},
                         {Qt::Key_Delete, Qt::ShiftModifier, ""},
                         {Qt::Key_Backspace, Qt::NoModifier, "\b"}};

// Presses every key of Keys on Edit with its whole text selected; answers
// how many of them changed the text.
int KeysThatChangeTheText(TCustomEdit& Edit) {
    int changed = 0;
    for (const TClipKey& k : Keys) {
        Clipboard()->SetAsText("77");
        Edit.SetText("12");
        Edit.SelectAll();
        SendKey(&Edit, k.QtKey, QString::fromLatin1(k.Text), k.Mods);
        if (Edit.Text() != "12") ++changed;
    }
    return changed;
}

void Check(TCustomEdit& Edit, bool& EditorEnabled) {
    EXPECT_EQ(KeysThatChangeTheText(Edit), 5) << "an enabled editor cuts and pastes by key";
    EditorEnabled = false;
    EXPECT_EQ(KeysThatChangeTheText(Edit), 0);
    EditorEnabled = true;
    Edit.SetReadOnly(true);
    EXPECT_EQ(KeysThatChangeTheText(Edit), 0);
}

} // namespace

TEST_F(EditClipKeys, ADisabledSpinEditTakesNoCutOrPaste) {
    auto form = MakeForm();
    auto* edit = new TXsgSpinEdit(form.get());
    edit->SetParent(form.get());
    edit->MinValue = edit->MaxValue = 0;
    Check(*edit, edit->EditorEnabled);
}

TEST_F(EditClipKeys, ADisabledEditButtonEditTakesNoCutOrPaste) {
    auto form = MakeForm();
    auto* edit = new TXsgEditBtn(form.get());
    edit->SetParent(form.get());
    Check(*edit, edit->EditorEnabled);
}
