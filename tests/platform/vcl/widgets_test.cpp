// The list-like and common controls: memo lines, combo and list boxes, check
// lists, radio groups, splitters, pages, status bar, tree, date picker, masks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

#include "platform/rtl/settingsguard.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/mask.h"
#include "platform/vcl/menus.h"
#include "vcltestenv.h"

TEST(Memo, LinesAndTextAgree) {
    auto form = MakeForm();
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    int changes = 0;
    memo->OnChange = [&](TObject*) { ++changes; };
    memo->Lines()->Add("ZV-Vivazozodi help.txt");
    memo->Lines()->Add("Niet gevonden");
    EXPECT_EQ("ZV-Vivazozodi help.txt\r\nNiet gevonden", memo->Text());
    EXPECT_EQ(2, memo->Lines()->Count());
    memo->Lines()->SetStrings(1, "Gevonden \xBD");
    EXPECT_EQ("Gevonden \xBD", memo->Lines()->Get(1));
    memo->Lines()->Delete(0);
    EXPECT_EQ(1, memo->Lines()->Count());
    EXPECT_GT(changes, 0);
    EXPECT_EQ(DLGC_WANTALLKEYS, memo->Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS);
}

TEST(ComboBox, ItemsIndexTextAndMessages) {
    auto form = MakeForm();
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("KNSB");
    combo->Items()->Add("Jeugd");
    combo->Items()->Add("FIDE");
    EXPECT_EQ(-1, combo->ItemIndex());
    combo->SetItemIndex(2);
    EXPECT_EQ("FIDE", combo->Text());
    combo->SetText("Jeugd");
    EXPECT_EQ(1, combo->ItemIndex());
    EXPECT_EQ(1, combo->Perform(CB_GETCURSEL));
    std::string item;
    EXPECT_EQ(4, combo->Perform(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ("KNSB", item);
    EXPECT_EQ(2, combo->Perform(CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("fide")));
    EXPECT_EQ(3, combo->Perform(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("NJR")));
    EXPECT_EQ(4, combo->Items()->Count());
    EXPECT_EQ(1, combo->ItemIndex()); // refilling keeps the text's item
}

TEST(ComboBox, TypingInTheEditPartFiresOnChangeThroughTheKeyRoad) {
    auto form = MakeForm();
    auto* combo = new TComboBox(form.get());
    combo->SetParent(form.get());
    int changes = 0;
    std::string keys;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->OnKeyPress = [&](TObject*, char& Key) { keys += Key; };
    QLineEdit* edit = static_cast<QComboBox*>(combo->Widget())->lineEdit();
    ASSERT_NE(nullptr, edit);
    for (const char* ch : {"a", "b"}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (ch[0] - 'a'), Qt::NoModifier, ch);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ("ab", keys);
    EXPECT_EQ("ab", combo->Text());
    EXPECT_EQ(2, changes);
}

TEST(ListBox, ClickOnAnItemSelectsItAndFiresOnClick) {
    auto form = MakeForm();
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(0, 0, 150, 150);
    for (const char* s : {"een", "twee", "drie"})
        list->Items()->Add(s);
    form->Show();
    Application->ProcessMessages();
    int clicks = 0, downs = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    auto* widget = static_cast<QListWidget*>(list->Widget());
    const QRect r = widget->visualItemRect(widget->item(1));
    QMouseEvent press(QEvent::MouseButtonPress, r.center(),
                      widget->viewport()->mapToGlobal(r.center()), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, r.center(),
                        widget->viewport()->mapToGlobal(r.center()), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget->viewport(), &release);
    EXPECT_EQ(1, downs);
    EXPECT_EQ(1, list->ItemIndex());
    EXPECT_EQ(1, clicks);
    const QPoint inControl = widget->viewport()->mapTo(widget, r.center());
    EXPECT_EQ(1, list->ItemAtPos({inControl.x(), inControl.y()}, true));
    list->SetItemIndex(2);
    EXPECT_EQ(1, clicks); // code that selects fires nothing
    form->Hide();
}

TEST(ListBox, MultiSelectAndCheckList) {
    auto form = MakeForm();
    auto* list = new TListBox(form.get());
    list->SetParent(form.get());
    list->SetMultiSelect(true);
    for (const char* s : {"a", "b", "c"})
        list->Items()->Add(s);
    list->SetSelected(0, true);
    list->SetSelected(2, true);
    EXPECT_EQ(2, list->SelCount());
    EXPECT_TRUE(list->Selected(2));

    auto* checks = new TCheckListBox(form.get());
    checks->SetParent(form.get());
    for (const char* s : {"krat", "jrat"})
        checks->Items()->Add(s);
    int clickChecks = 0;
    checks->OnClickCheck = [&](TObject*) { ++clickChecks; };
    checks->SetChecked(1, true);
    EXPECT_TRUE(checks->Checked(1));
    EXPECT_EQ(0, clickChecks); // code, not the user
    // The user ticks the first one.
    static_cast<QListWidget*>(checks->Widget())->item(0)->setCheckState(Qt::Checked);
    EXPECT_TRUE(checks->Checked(0));
    EXPECT_EQ(1, clickChecks);
    checks->SetItemEnabled(0, false);
    EXPECT_FALSE(checks->ItemEnabled(0));
    EXPECT_TRUE(checks->Checked(0));
    EXPECT_THROW(checks->Checked(5), EListError);
}

namespace {

// The ticked and the disabled items of a check list, by text.
std::string Marks(const TCheckListBox* Checks) {
    std::string out;
    for (int i = 0; i < Checks->Items()->Count(); ++i) {
        out += Checks->Items()->Get(i);
        if (Checks->Checked(i)) out += "+";
        if (!Checks->ItemEnabled(i)) out += "-";
        out += " ";
    }
    return out;
}

} // namespace

TEST(ListBox, CheckMarksFollowTheirItems) {
    auto form = MakeForm();
    auto* checks = new TCheckListBox(form.get());
    checks->SetParent(form.get());
    for (const char* s : {"d", "b", "a", "c"})
        checks->Items()->Add(s);
    checks->SetChecked(1, true);      // b
    checks->SetItemEnabled(3, false); // c
    checks->SetChecked(3, true);
    ASSERT_EQ("d b+ a c+- ", Marks(checks));
    checks->Items()->Insert(0, "e");
    EXPECT_EQ("e d b+ a c+- ", Marks(checks));
    checks->Items()->Delete(1);
    EXPECT_EQ("e b+ a c+- ", Marks(checks));
    checks->Items()->Move(1, 3);
    EXPECT_EQ("e a c+- b+ ", Marks(checks));
    checks->Items()->Exchange(0, 3);
    EXPECT_EQ("b+ a c+- e ", Marks(checks));
    checks->SetSorted(true);
    EXPECT_EQ("a b+ c+- e ", Marks(checks));
    checks->Items()->Add("bb"); // sorted in
    EXPECT_EQ("a b+ bb c+- e ", Marks(checks));
    // A batch of changes: the marks follow through all of them at once.
    checks->SetSorted(false);
    checks->Items()->BeginUpdate();
    checks->Items()->Delete(0);
    checks->Items()->Insert(2, "x");
    checks->Items()->Move(0, 4);
    checks->Items()->EndUpdate();
    EXPECT_EQ("bb x c+- e b+ ", Marks(checks));
    // Equal texts keep their own marks in order; a text changed in place keeps
    // the marks of its place.
    checks->Items()->Clear();
    for (const char* s : {"z", "z", "y"})
        checks->Items()->Add(s);
    checks->SetChecked(1, true);
    checks->Items()->Insert(0, "w");
    EXPECT_EQ("w z z+ y ", Marks(checks));
    checks->Items()->Put(2, "q");
    EXPECT_EQ("w z q+ y ", Marks(checks));
    // The widget shows the marks where the items are.
    auto* widget = static_cast<QListWidget*>(checks->Widget());
    EXPECT_EQ(Qt::Checked, widget->item(2)->checkState());
    EXPECT_EQ(Qt::Unchecked, widget->item(1)->checkState());
}

TEST(RadioGroup, ItemsBecomeButtonsAndTheChoiceIsItemIndex) {
    auto form = MakeForm();
    auto* group = new TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(0, 0, 200, 120);
    for (const char* s : {"KNSB", "Jeugd", "FIDE", "NJR"})
        group->Items()->Add(s);
    EXPECT_EQ(4, group->ControlCount());
    int clicks = 0;
    group->OnClick = [&](TObject*) { ++clicks; };
    group->SetItemIndex(2);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    EXPECT_EQ(0, clicks);
    group->Buttons(0)->SetChecked(true); // as a click does
    EXPECT_EQ(0, group->ItemIndex());
    EXPECT_FALSE(group->Buttons(2)->Checked());
    EXPECT_EQ(1, clicks);
    // An arrow chooses the next button, as a click does, not only its focus.
    ShowActive(form.get());
    group->Buttons(0)->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return group->Buttons(0)->Focused(); }));
    SendKey(group->Buttons(0), Qt::Key_Down, QString());
    ASSERT_TRUE(ProcessUntil([&] { return group->Buttons(1)->Focused(); }));
    EXPECT_EQ(1, group->ItemIndex());
    EXPECT_EQ(2, clicks);
    group->SetColumns(2);
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
}

TEST(RadioGroup, RebuiltButtonsLeaveTheTabOrder) {
    auto form = MakeForm();
    auto* group = new TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(0, 0, 200, 120);
    // Every added item rebuilds the buttons and frees the old ones.
    for (const char* s : {"KNSB", "Jeugd", "FIDE"})
        group->Items()->Add(s);
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    ASSERT_EQ(4u, order.size());
    EXPECT_EQ(group, order[0]);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(group->Buttons(i), order[static_cast<size_t>(i) + 1]);
}

TEST(Controls, AWindowedChildFreedAloneLeavesItsParent) {
    auto form = MakeForm();
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* edit = new TEdit(nullptr);
    edit->SetParent(panel);
    auto* keep = new TEdit(form.get());
    keep->SetParent(panel);
    delete edit;
    EXPECT_EQ(1, panel->ControlCount());
    std::vector<TWinControl*> order;
    form->GetTabOrderList(order);
    EXPECT_EQ((std::vector<TWinControl*>{panel, keep}), order);
}

TEST(Splitter, DraggingResizesTheDockedNeighbour) {
    auto form = MakeForm(400, 300);
    auto* left = new TPanel(form.get());
    left->SetParent(form.get());
    left->SetWidth(100);
    left->SetAlign(alLeft);
    auto* splitter = new TSplitter(form.get());
    splitter->SetParent(form.get());
    splitter->SetLeft(200);
    splitter->SetAlign(alLeft);
    auto* client = new TPanel(form.get());
    client->SetParent(form.get());
    client->SetAlign(alClient);
    EXPECT_EQ(100, splitter->Left());
    EXPECT_EQ(left, splitter->FindControl());
    int moved = 0;
    splitter->OnMoved = [&](TObject*) { ++moved; };
    SendMouse(splitter, QEvent::MouseButtonPress, 1, 10, Qt::LeftButton);
    QMouseEvent drag(QEvent::MouseMove, QPointF(51, 10),
                     splitter->Widget()->mapToGlobal(QPointF(51, 10)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(splitter->Widget(), &drag);
    SendMouse(splitter, QEvent::MouseButtonRelease, 51, 10, Qt::LeftButton);
    EXPECT_EQ(150, left->Width());
    EXPECT_EQ(150, splitter->Left());
    EXPECT_EQ(153, client->Left());
    EXPECT_EQ(1, moved);
}

TEST(PageControl, OneSheetShowsAtATime) {
    auto form = MakeForm();
    auto* pages = new TPageControl(form.get());
    pages->SetParent(form.get());
    pages->SetAlign(alClient);
    std::vector<TTabSheet*> sheets;
    for (const char* caption : {"Hoofdpagina", "Edit groep", "Spelers", "Help", "Debug"}) {
        auto* sheet = new TTabSheet(form.get());
        sheet->SetCaption(caption);
        sheet->SetPageControl(pages);
        sheets.push_back(sheet);
    }
    EXPECT_EQ(5, pages->PageCount());
    EXPECT_EQ(sheets[0], pages->ActivePage());
    pages->SetActivePageIndex(2);
    EXPECT_EQ(2, pages->ActivePageIndex());
    EXPECT_TRUE(sheets[2]->Visible());
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_GT(sheets[2]->Top(), 0); // below the tabs
    delete sheets[2];
    EXPECT_EQ(4, pages->PageCount());
    EXPECT_EQ(sheets[0], pages->ActivePage());
}

TEST(StatusBar, PanelsHoldTheirTexts) {
    auto form = MakeForm();
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    bar->AddPanel()->Width = 250;
    bar->AddPanel()->Width = 50;
    bar->SetPanelText(0, "Groep A");
    EXPECT_EQ("Groep A", bar->Panels(0)->Text);
    EXPECT_EQ(form->ClientHeight() - bar->Height(), bar->Top()); // docked at the bottom
}

TEST(TreeView, NodesWithDataExpandAndSelect) {
    auto form = MakeForm();
    auto* tree = new TTreeView(form.get());
    tree->SetParent(form.get());
    int data = 7;
    TTreeNode* root = tree->Items()->Add(nullptr, "krat 16-01.txt");
    TTreeNode* child = tree->Items()->AddChildObject(root, "Jan", &data);
    tree->Items()->AddChild(root, "Piet");
    EXPECT_EQ(3, tree->Items()->Count());
    EXPECT_EQ(2, root->Count());
    EXPECT_EQ(1, child->Level());
    EXPECT_EQ(&data, child->Data);
    EXPECT_EQ(root->Item(1), child->GetNextSibling());
    TTreeNode* changed = nullptr;
    tree->OnChange = [&](TObject*, TTreeNode* Node) { changed = Node; };
    tree->FullExpand();
    EXPECT_TRUE(root->Expanded());
    tree->SetSelected(child);
    EXPECT_EQ(child, tree->Selected());
    EXPECT_EQ(child, changed);
    child->Delete();
    EXPECT_EQ(1, root->Count());
    tree->Items()->Clear();
    EXPECT_EQ(0, tree->Items()->Count());
}

TEST(DateTimePicker, DateRoundTripsInTheShortFormat) {
    FormatSettings().ShortDateFormat = "dd/mm/yyyy";
    auto form = MakeForm();
    auto* picker = new TDateTimePicker(form.get());
    picker->SetParent(form.get());
    int changes = 0;
    picker->OnChange = [&](TObject*) { ++changes; };
    picker->SetDate(EncodeDate(2016, 9, 23));
    EXPECT_EQ(EncodeDate(2016, 9, 23), picker->Date());
    EXPECT_EQ(0, changes);
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
}

// A click on a section of the date (the day, the month, the year) makes it
// the one that typed digits replace, as a section reached by Tab is.
TEST(DateTimePicker, AClickedSectionTakesTypedDigits) {
    const TFormatSettingsGuard keep;
    FormatSettings().ShortDateFormat = "yyyy/mm/dd";
    FormatSettings().DateSeparator = '-';
    auto form = MakeForm();
    auto* picker = new TDateTimePicker(form.get());
    picker->SetParent(form.get());
    picker->SetBounds(10, 10, 160, 24);
    picker->SetDate(EncodeDate(2016, 9, 23));
    ShowActive(form.get());
    picker->SetFocus();
    ASSERT_TRUE(ProcessUntil([&] { return picker->Focused(); }));
    auto* line = picker->Widget()->findChild<QLineEdit*>();
    ASSERT_NE(nullptr, line);
    // "2016-09-23": a click inside each section, then its digits.
    const struct {
        int Char;
        const char* Digits;
        TDateTime Expected;
    } steps[] = {{9, "15", EncodeDate(2016, 9, 15)},
                 {6, "03", EncodeDate(2016, 3, 15)},
                 {2, "2025", EncodeDate(2025, 3, 15)}};
    // The middle of the character at Index, in the picker's coordinates.
    const auto charAt = [&](int Index) {
        int from = -1, to = -1;
        for (int x = 0; x < line->width(); ++x) {
            const int pos = line->cursorPositionAt(QPoint(x, line->height() / 2));
            if (pos == Index && from < 0) from = x;
            if (pos == Index + 1 && to < 0) to = x;
        }
        return line->mapTo(picker->Widget(), QPoint((from + to) / 2, line->height() / 2));
    };
    for (const auto& step : steps) {
        // The window system gives the click to the field under the mouse.
        const QPoint at = charAt(step.Char);
        const QPoint local = line->mapFrom(picker->Widget(), at);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, local, line->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
            QApplication::sendEvent(line, &e);
        }
        TypeText(picker, step.Digits);
        EXPECT_EQ(step.Expected, picker->Date()) << step.Digits;
    }
}

TEST(MaskEdit, MasksTranslateToQtInputMasks) {
    EXPECT_EQ("", QtInputMask(""));
    EXPECT_EQ("00/00/9999;_", QtInputMask("!99/99/0000;1;_"));
    EXPECT_EQ(">AAaa-9;*", QtInputMask(">LLll-0;0;*"));
    EXPECT_EQ("\\A9;_", QtInputMask("\\A0"));
    EXPECT_EQ("N0;_", QtInputMask("A9"));
    auto form = MakeForm();
    auto* edit = new TMaskEdit(form.get());
    edit->SetParent(form.get());
    edit->SetEditMask("0000;1;_");
    SendKey(edit, Qt::Key_1, "1");
    SendKey(edit, Qt::Key_X, "x"); // refused by the mask
    SendKey(edit, Qt::Key_2, "2");
    EXPECT_EQ("12", Trim(StringReplace(edit->Text(), "_", "", rfReplaceAll)));
}

TEST(PopupMenu, ChoosingAnItemRunsItsClickAndRadioItemsCheckOne) {
    auto form = MakeForm();
    auto* popup = new TPopupMenu(form.get());
    auto* copy = new TMenuItem(form.get());
    copy->Caption = "&Kopieer";
    auto* a = new TMenuItem(nullptr);
    auto* b = new TMenuItem(nullptr);
    a->RadioItem = b->RadioItem = true;
    a->Caption = "A";
    b->Caption = "B";
    popup->Items()->Add(copy);
    popup->Items()->Add(a);
    popup->Items()->Add(b);
    int copies = 0;
    copy->OnClick = [&](TObject*) { ++copies; };
    auto* c = new TRecorder(form.get());
    c->SetParent(form.get());
    c->SetPopupMenu(popup);
    c->SetBounds(40, 30, 100, 60);
    form->Show();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2),
                           c->Widget()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(c->Widget(), &menu);
    ASSERT_NE(nullptr, popup->Menu());
    EXPECT_EQ(c, popup->PopupComponent());
    popup->Menu()->actions()[0]->trigger();
    EXPECT_EQ(1, copies);
    b->Click();
    a->Click();
    EXPECT_TRUE(a->Checked);
    EXPECT_FALSE(b->Checked);
    popup->Menu()->hide();
    // By the mouse the menu opens at the mouse, by the keyboard at the
    // control's corner.
    const QPoint mouse = c->Widget()->mapToGlobal(QPoint(30, 20));
    QContextMenuEvent at(QContextMenuEvent::Mouse, QPoint(30, 20), mouse);
    QApplication::sendEvent(c->Widget(), &at);
    EXPECT_EQ(mouse, popup->Menu()->pos());
    popup->Menu()->hide();
    KeyStroke(c, VK_F10, '\0', {ssShift});
    EXPECT_EQ(c->Widget()->mapToGlobal(QPoint(0, 0)), popup->Menu()->pos());
    popup->Menu()->hide();
    delete copy; // a form-owned item leaves its menu
    EXPECT_EQ(2, popup->Items()->Count());
    form->Hide();
}

TEST(Notifications, AChildsNotificationReachesTheParentFirstThenComesBack) {
    auto form = MakeForm();
    auto* parent = AddRecorder(form.get(), 0, 0, 200, 100);
    auto* combo = new TComboBox(form.get());
    combo->SetParent(parent);
    combo->SetStyle(csDropDownList);
    for (const char* s : {"a", "b"})
        combo->Items()->Add(s);
    int changes = 0, selects = 0;
    combo->OnChange = [&](TObject*) { ++changes; };
    combo->OnSelect = [&](TObject*) { ++selects; };
    auto* widget = static_cast<QComboBox*>(combo->Widget());
    widget->setCurrentIndex(1);
    emit widget->activated(1); // the user picked an item
    const auto commands = parent->Only(WM_COMMAND);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(CBN_SELCHANGE, commands[0].WParamHi());
    EXPECT_EQ(reinterpret_cast<LPARAM>(static_cast<TWndTarget*>(combo)), commands[0].LParam);
    EXPECT_EQ(1, selects);
    EXPECT_EQ(1, changes);
    // A parent that keeps the notification stops it.
    parent->WindowProc = [old = parent->WindowProc](TMessage& m) {
        if (m.Msg != WM_COMMAND) old(m);
    };
    emit widget->activated(0);
    EXPECT_EQ(1, selects);
    // An edit's change takes the same road.
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    int edits = 0;
    edit->OnChange = [&](TObject*) { ++edits; };
    edit->SetText("x");
    EXPECT_EQ(1, edits);
}
