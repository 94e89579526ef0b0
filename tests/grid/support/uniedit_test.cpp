#include <gtest/gtest.h>

#include "grid/support/unicombo.h"
#include "grid/support/uniedit.h"
#include "grid/support/widecell.h"
#include "platform/vcl/controlimage.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/widetext.h"
#include "widgettest.h"

namespace {

using UniControls = WidgetTest;

// Greek, Cyrillic and a CJK character beside Windows-1252 letters.
const std::u16string Mixed = u"\u03A9mega \u00BD \u0416\u4E2D caf\u00E9";

std::string SingleByteText(const TControl& C) {
    return C.Text();
}

} // namespace

TEST_F(UniControls, EditKeepsCharactersOutsideTheCodePage) {
    TXsgUniEdit edit(nullptr);
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText(Mixed);
    EXPECT_EQ(edit.Text(), Mixed);
    EXPECT_EQ(edit.WideText(), Mixed);
    EXPECT_EQ(changes, 1);
    edit.SetText(Mixed); // the same text again changes nothing
    EXPECT_EQ(changes, 1);
    // Single-byte code sees the converted text.
    EXPECT_EQ(SingleByteText(edit), "?mega \xBD ?? caf\xE9");
    edit.SetText(std::string("\xBD punt"));
    EXPECT_EQ(edit.Text(), u"\u00BD punt");
    EXPECT_EQ(edit.Font()->Charset(), DEFAULT_CHARSET);
}

TEST_F(UniControls, AGridCellsWideTextGoesThroughTheEditUnchanged) {
    const std::string cell = EncodeWideCell(Mixed);
    ASSERT_TRUE(IsWideCell(cell));
    TXsgUniEdit edit(nullptr);
    edit.SetText(DecodeWideCell(cell));
    EXPECT_EQ(edit.Text(), Mixed);
    EXPECT_EQ(EncodeWideCell(edit.Text()), cell);
    // A plain cell is single-byte text and shows as such.
    edit.SetText(DecodeWideCell("7\xBD"));
    EXPECT_EQ(edit.Text(), u"7\u00BD");
    EXPECT_EQ(SingleByteText(edit), "7\xBD");
}

TEST_F(UniControls, WideTextOfOtherControls) {
    TPanel panel(nullptr);
    panel.SetCaption("Groep \xBD");
    EXPECT_EQ(GetWideText(&panel), u"Groep \u00BD");
    SetWideText(&panel, u"\u0416");
    EXPECT_EQ(panel.Caption(), "?");
    EXPECT_EQ(GetWideText(nullptr), u"");
}

TEST_F(UniControls, ComboItemsAreWideInTheWidgetAndConvertedInTheSingleByteList) {
    TXSGUniComboBox combo(nullptr);
    TComboBoxStrings& items = *combo.Items();
    items.Add(u"\u03A91");
    items.Add(u"\u04161");
    items.Add(u"Caf\u00E9");
    ASSERT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Get(1), u"\u04161");
    EXPECT_EQ(ComboItemWideText(combo, 0), u"\u03A91");
    EXPECT_EQ(ComboItemWideText(combo, 1), u"\u04161");
    EXPECT_EQ(combo.AnsiItems()->Get(1), "?1");
    EXPECT_EQ(items.IndexOf(u"CAF\u00C9"), 2);
    EXPECT_EQ(items.IndexOf(u"\u04162"), -1);
    EXPECT_THROW(items.Get(3), EListError);
    items.Delete(0);
    EXPECT_EQ(ComboItemWideText(combo, 0), u"\u04161");
    EXPECT_EQ(items.Count(), 2);
    // The adapter of single-byte code adds through the wide list.
    items.AnsiStrings()->Add("\xBD");
    EXPECT_EQ(ComboItemWideText(combo, 2), u"\u00BD");
}

TEST_F(UniControls, ASortedComboKeepsWideItemsBesideTheirSortedPlaces) {
    TXSGUniComboBox combo(nullptr);
    combo.SetSorted(true);
    TObject marker;
    combo.Items()->Add(u"peer");
    combo.Items()->AddObject(u"appel \u0416", &marker);
    combo.Items()->Add(u"mango");
    ASSERT_EQ(combo.Items()->Count(), 3);
    EXPECT_EQ(combo.Items()->Get(0), u"appel \u0416");
    EXPECT_EQ(combo.Items()->Objects(0), &marker);
    EXPECT_EQ(combo.Items()->Get(1), u"mango");
    EXPECT_EQ(ComboItemWideText(combo, 0), u"appel \u0416");
    EXPECT_EQ(ComboItemWideText(combo, 2), u"peer");
    // Inserting puts the item where it is asked, as the native box does.
    combo.Items()->Insert(0, u"x");
    EXPECT_EQ(combo.Items()->Get(0), u"x");
    EXPECT_EQ(combo.Items()->Count(), 4);
}

TEST_F(UniControls, SortedCombosKeepEveryItem) {
    TXSGComboBox plain(nullptr);
    plain.SetSorted(true);
    plain.Items()->Add("berg");
    plain.Items()->Add("Berg");
    EXPECT_EQ(plain.Items()->Count(), 2); // equal ignoring case, still two items

    TXSGUniComboBox combo(nullptr);
    combo.SetSorted(true);
    combo.Items()->Add(u"\u03B2"); // beta and alpha both read "?" in one byte
    combo.Items()->Add(u"\u03B1");
    combo.Items()->Add(u"a");
    ASSERT_EQ(combo.Items()->Count(), 3);
    EXPECT_EQ(combo.Items()->Get(0), u"a");
    EXPECT_EQ(combo.Items()->Get(1), u"\u03B1");
    EXPECT_EQ(combo.Items()->Get(2), u"\u03B2");
    // Put, Move and Exchange keep every item and raise nothing.
    combo.Items()->Put(0, u"\u0416");
    combo.Items()->Move(0, 2);
    combo.Items()->Exchange(0, 1);
    ASSERT_EQ(combo.Items()->Count(), 3);
    EXPECT_EQ(combo.Items()->Get(0), u"\u03B2");
    EXPECT_EQ(combo.Items()->Get(1), u"\u03B1");
    EXPECT_EQ(combo.Items()->Get(2), u"\u0416");
    EXPECT_EQ(ComboItemWideText(combo, 2), u"\u0416");
}

TEST_F(UniControls, SortingAfterFillingAndTheSingleByteListKeepTheWideItems) {
    TXSGUniComboBox combo(nullptr);
    combo.Items()->Add(u"b\u03A9");
    combo.Items()->Add(u"a\u03A9");
    combo.SetSorted(true);
    ASSERT_EQ(combo.Items()->Count(), 2);
    EXPECT_EQ(combo.Items()->Get(0), u"a\u03A9");
    EXPECT_EQ(ComboItemWideText(combo, 0), u"a\u03A9"); // not "a?"
    EXPECT_EQ(combo.AnsiItems()->Get(0), "a?");
    // Added through the single-byte list: counted, readable, in its place.
    combo.AnsiItems()->Add("aa");
    ASSERT_EQ(combo.Items()->Count(), 3);
    EXPECT_EQ(combo.Items()->Get(0), u"aa");
    EXPECT_EQ(combo.Items()->Get(1), u"a\u03A9");
    EXPECT_EQ(combo.Items()->Get(2), u"b\u03A9");
    EXPECT_EQ(ComboItemWideText(combo, 2), u"b\u03A9");
    combo.AnsiItems()->Delete(0);
    EXPECT_EQ(combo.Items()->Count(), 2);
    EXPECT_EQ(combo.Items()->Get(0), u"a\u03A9");
}

TEST_F(UniControls, ChoosingAnItemBringsItsWideText) {
    TXSGUniComboBox combo(nullptr);
    combo.Items()->Add(u"\u03A91");
    combo.Items()->Add(u"\u04161"); // the same single-byte text as the first
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.Text(), u"\u04161");
    combo.SetStyle(csDropDownList);
    combo.SetText(u"\u04161");
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_EQ(combo.Text(), u"\u04161");
    combo.SetText(u"\u03A91");
    EXPECT_EQ(combo.ItemIndex(), 0);
}

TEST_F(UniControls, ComboKeepsItsTextThroughListChangesAndAStyleChange) {
    TXSGUniComboBox combo(nullptr);
    combo.SetText(Mixed);
    combo.Items()->Add(u"\u0416");
    EXPECT_EQ(combo.Text(), Mixed);
    combo.Items()->Clear();
    EXPECT_EQ(combo.Items()->Count(), 0);
    EXPECT_EQ(combo.Text(), Mixed);
    combo.Items()->BeginUpdate();
    for (int i = 0; i < 20; ++i)
        combo.Items()->Add(u"\u4E2D" + std::u16string(1, static_cast<char16_t>(u'a' + i)));
    combo.Items()->EndUpdate();
    EXPECT_EQ(ComboItemCount(combo), 20);
    EXPECT_EQ(ComboItemWideText(combo, 19), u"\u4E2Dt");
    EXPECT_EQ(combo.Text(), Mixed);
    combo.SetText(u"\u4E2Dc");
    EXPECT_EQ(combo.ItemIndex(), 2);
    combo.SetStyle(csDropDownList);
    EXPECT_EQ(combo.Text(), u"\u4E2Dc");
}

TEST_F(UniControls, UnicodeComboPaintsFlatWithAButtonFaceButtonWhileInactive) {
    TPanel panel(nullptr);
    panel.SetColor(clYellow);
    auto* combo = new TXSGUniComboBox(&panel);
    combo->SetParent(&panel);
    combo->SetBounds(0, 0, 120, 22);
    combo->SetStyle(csDropDownList); // no edit field over the painted parts
    combo->Items()->Add(u"\u0416\u4E2D \u03A9");
    combo->SetItemIndex(0);
    EXPECT_TRUE(combo->Flat());
    TBitmap idle;
    PaintControlTo(*combo, idle);
    const TRect button = FlatComboButtonRect(combo->Look());
    EXPECT_EQ(idle.Pixel(0, 11), clYellow);
    EXPECT_EQ(idle.Pixel(button.Left, 11), ColorToRGB(clBtnFace));
    combo->Perform(CM_MOUSEENTER);
    TBitmap hot;
    PaintControlTo(*combo, hot);
    EXPECT_EQ(hot.Pixel(button.Left, 11), ColorToRGB(cl3DLight));
    SaveArtifact(idle, "gridsupport_unicombo.png");
    // The plain Unicode box paints nothing of its own.
    TCustomUNIComboBox plain(nullptr);
    EXPECT_FALSE(plain.Flat());
}

TEST_F(UniControls, EditKeepsItsWideTextThroughChangesOfItsLook) {
    TPanel panel(nullptr);
    TXsgUniEdit edit(nullptr);
    edit.SetText(Mixed);
    edit.SetReadOnly(true);
    edit.SetMaxLength(100);
    edit.SetParent(&panel);
    edit.Font()->SetSize(14);
    edit.SetBounds(3, 3, 200, 30);
    EXPECT_EQ(edit.Text(), Mixed);
    edit.SetParent(nullptr);
    edit.SetReadOnly(false);
    EXPECT_EQ(edit.Text(), Mixed);
}
