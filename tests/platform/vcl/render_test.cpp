// One form with one of each standard control, drawn offscreen and saved as a
// picture into the artifacts folder, so that anyone can look at the layer.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>

#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/mask.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/stdctrls.h"
#include "vcltestenv.h"
#include "vz_test_support.h"

namespace {

template <class T> T* Place(TWinControl* Parent, int Left, int Top, int Width, int Height) {
    auto* c = new T(Parent->Owner() ? Parent->Owner() : Parent);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    return c;
}

} // namespace

TEST(Render, FormWithEveryStandardControl) {
    auto form = MakeForm(640, 480);
    form->SetCaption("ZV Vivazozodi versie: v0.70 (2016-09-23)");
    auto* status = new TStatusBar(form.get());
    status->SetParent(form.get());
    status->AddPanel()->Width = 250;
    status->AddPanel();
    status->SetPanelText(0, "Groep: Snelschaken");
    status->SetPanelText(1, "8 spelers");

    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetAlign(alClient);
    auto* main = new TTabSheet(form.get());
    main->SetCaption("Hoofdpagina");
    main->SetPageControl(pages);
    for (const char* caption : {"Edit groep", "Spelers", "Help", "Debug"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
    }

    auto* label = Place<TLabel>(main, 8, 8, 100, 17);
    label->SetCaption("&Naam:");
    auto* edit = Place<TEdit>(main, 60, 6, 120, 21);
    edit->SetText("Jan de Vries \xBD");
    auto* mask = Place<TMaskEdit>(main, 190, 6, 90, 21);
    mask->SetEditMask("0000-00-00;1;_");
    mask->SetText("2016-09-23");
    auto* picker = Place<TDateTimePicker>(main, 290, 6, 120, 21);
    picker->SetDate(EncodeDate(2016, 9, 23));
    auto* button = Place<TButton>(main, 420, 4, 80, 25);
    button->SetCaption("&Klaar");
    auto* bitbtn = Place<TBitBtn>(main, 510, 4, 90, 25);
    bitbtn->SetKind(bkOK);
    TBitmap glyph(16, 16);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph.Canvas()->Brush()->SetColor(clGreen);
    glyph.Canvas()->Ellipse(2, 2, 14, 14);
    bitbtn->SetGlyph(&glyph);

    auto* speed = Place<TSpeedButton>(main, 8, 36, 24, 24);
    speed->SetGlyph(&glyph);
    speed->SetGroupIndex(1);
    speed->SetDown(true);
    auto* flat = Place<TSpeedButton>(main, 34, 36, 24, 24);
    flat->SetFlat(true);
    flat->SetCaption("X");
    auto* check = Place<TCheckBox>(main, 70, 38, 120, 20);
    check->SetCaption("Zomerveld");
    check->SetChecked(true);
    auto* radio = Place<TRadioButton>(main, 200, 38, 120, 20);
    radio->SetCaption("Enkel");
    radio->SetChecked(true);
    auto* combo = Place<TComboBox>(main, 330, 36, 120, 21);
    combo->SetStyle(csDropDownList);
    for (const char* s : {"KNSB", "Jeugd", "FIDE", "NJR"})
        combo->Items()->Add(s);
    combo->SetItemIndex(0);

    auto* group = Place<TRadioGroup>(main, 8, 66, 150, 100);
    group->SetCaption("Rating");
    for (const char* s : {"KNSB", "Jeugd", "FIDE", "NJR"})
        group->Items()->Add(s);
    group->SetItemIndex(2);
    auto* box = Place<TGroupBox>(main, 166, 66, 150, 100);
    box->SetCaption("Maak nieuwe map");
    auto* inner = Place<TEdit>(box, 8, 24, 130, 21);
    inner->SetText("Voorbeeld");
    auto* list = Place<TListBox>(main, 324, 66, 100, 100);
    for (const char* s : {"Aart", "Bep", "Cor"})
        list->Items()->Add(s);
    list->SetItemIndex(1);
    auto* checks = Place<TCheckListBox>(main, 432, 66, 100, 100);
    for (const char* s : {"krat", "jrat", "lid"})
        checks->Items()->Add(s);
    checks->SetChecked(0, true);

    auto* memo = Place<TMemo>(main, 8, 174, 150, 80);
    memo->Lines()->Add("ZV-Vivazozodi help.txt");
    memo->Lines()->Add("Niet gevonden");
    auto* tree = Place<TTreeView>(main, 166, 174, 150, 80);
    TTreeNode* root = tree->Items()->Add(nullptr, "krat 16-01.txt");
    tree->Items()->AddChild(root, "Jan");
    tree->FullExpand();
    auto* panel = Place<TPanel>(main, 324, 174, 208, 80);
    panel->SetCaption("Paneel");
    panel->SetBevelInner(bvLowered);
    auto* split = Place<TSplitter>(main, 540, 174, 4, 80);
    split->SetAlign(alNone);

    auto* drives = Place<TDriveComboBox>(main, 8, 262, 150, 21);
    auto* dirs = Place<TDirectoryListBox>(main, 8, 288, 150, 80);
    auto* files = Place<TFileListBox>(main, 166, 288, 150, 80);
    dirs->FileList = files;
    drives->DirList = dirs;
    dirs->SetDirectory("/");
    auto* hint = new THintWindow(nullptr);
    auto popup = std::make_unique<TPopupMenu>(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->Caption = "Kopieer";
    popup->Items()->Add(item);
    edit->SetPopupMenu(popup.get());
    auto* timer = new TTimer(form.get());
    timer->SetEnabled(false);

    form->Show();
    Application->ProcessMessages();
    const QImage image = form->Widget()->grab().toImage();
    ASSERT_EQ(640, image.width());
    ASSERT_EQ(480, image.height());
    // Some ink in the edit (text), and the classic face colour on the form.
    EXPECT_NE(image.pixel(62, 12), image.pixel(175, 20));
    EXPECT_TRUE(image.save(QString::fromStdString(ArtifactsDir() + "/vcl_standard_controls.png")));
    form->Hide();
    delete hint;
}
