// Pictures of the in-place editor controls on a form, for anyone to look at, and
// a check that they really drew: the edit's white field and the buttons' faces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "grid/support/editbtn.h"
#include "grid/support/spinedit.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/synthinput.h"
#include "vz_test_support.h"
#include "widgettest.h"

namespace {

class EditorPictures : public WidgetTest {};

std::string PictureName(const std::string& Name) {
    return ArtifactsDir() + "/" + Name;
}

} // namespace

TEST_F(EditorPictures, SpinEditAndEditButtonsOnAForm) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 260, 120);
    auto* spin = new TXsgSpinEdit(form.get());
    spin->SetParent(form.get());
    spin->SetBounds(10, 10, 100, 22);
    spin->SetValue(42);
    auto* button = new TXsgEditBtn(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 45, 140, 22);
    button->SetText("Jansen, J.");
    auto* unit = new TXsgUnitEditBtn(form.get());
    unit->SetParent(form.get());
    unit->SetBounds(10, 80, 160, 22);
    TStringList units;
    units.Add("cm");
    units.Add("mm");
    unit->SetUnits(&units);
    unit->SetUnitID("cm");
    unit->SetText("12");
    form->Show();
    PumpPending();

    const std::string file = PictureName("gridsupport_editors.png");
    ASSERT_TRUE(SaveControlPicture(form.get(), file));
    TBitmap picture;
    picture.LoadFromFile(file);
    ASSERT_EQ(picture.Width(), 260);
    // Each editor shows a white field and, at its right end, a button face.
    for (TControl* c : {static_cast<TControl*>(spin), static_cast<TControl*>(button),
                        static_cast<TControl*>(unit)}) {
        const TRect r = Bounds(c->Left(), c->Top(), c->Width(), c->Height());
        EXPECT_GT(
            CountColor(picture, Rect(r.Left + 3, r.Top + 3, r.Left + 20, r.Bottom - 3), clWhite),
            20)
            << c->ClassName();
    }
    EXPECT_GT(CountColor(picture, Rect(spin->Left() + 84, 12, spin->Left() + 98, 30),
                         ColorToRGB(clBtnFace)),
              10);
}
