// The director's keyboard through the windows as the program makes them, the
// keys coming the window system's road: Ctrl+Tab to the main window's pages,
// Escape and Alt+K leaving each window (Alt+K typing nothing), and Escape in
// a cell being edited leaving only the edit; Return opening a file and a
// player's card, the focus coming back after Escape, and every action of the
// main window by keys; Tab and Shift+Tab round every page of every window.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <set>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

#include "app/standgrid.h"
#include "grid/columngrid.h"
#include "platform/rtl/files.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/stdctrls.h"
#include "platform/vcl/synthinput.h"
#include "road_testenv.h"
#include "vz_test_support.h"

namespace {

// Where the keys go: the control with the focus, else the window.
TWinControl* Focus(TCustomForm& Form) {
    TWinControl* c = Form.ActiveControl();
    return c && c->Focused() ? c : &Form;
}

class KeyboardRoad : public RoadTest {
protected:
    // The club group, opened as a double click does: every result is in, so
    // the standings show, and Keys are pressed there.
    void OpenClub(const std::function<void()>& Keys) {
        TMainForm& m = StartWithClubChosen();
        Shows(
            *StandForm, [&] { m.FileListBoxDblClick(m.FileListBox); }, Keys);
        ASSERT_EQ("Clubkampioenschap A", CurGroep->Rec.Naam);
    }
    // Opens Form and runs Keys inside its modal loop once it has the focus.
    static void Shows(TCustomForm& Form, const std::function<void()>& Open,
                      const std::function<void()>& Keys) {
        WhenShown(Form, [&] {
            PumpUntil([&] { return Focus(Form) != &Form; });
            Keys();
        });
        Open();
    }
    // Escape where the focus is; true when that closed the window.
    static bool Escape(TCustomForm& Form) {
        KeyStroke(Focus(Form), VK_ESCAPE);
        return Form.ModalResult() != mrNone;
    }
};

using TStops = std::set<const TControl*>;

// Every control under Parent that Tab must reach: shown, enabled, taking the
// focus; the buttons of a radio group are one stop, their group.
void TabStops(const TWinControl& Parent, TStops& Stops) {
    for (int i = 0; i < Parent.ControlCount(); ++i) {
        const auto* w = dynamic_cast<const TWinControl*>(Parent.Controls(i));
        if (!w || !w->Showing() || !w->Enabled()) continue;
        if (dynamic_cast<const TRadioButton*>(w))
            Stops.insert(&Parent);
        else if (w->TabStop())
            Stops.insert(w);
        TabStops(*w, Stops);
    }
}

// The stop that Control is part of (a grid for its cell editor), else Control.
const TControl* StopOf(const TControl* Control, const TStops& Stops) {
    for (const TControl* c = Control; c; c = c->Parent())
        if (Stops.contains(c)) return c;
    return Control;
}

std::string Describe(const TControl* C) {
    const std::string caption = C->Caption();
    return C->ClassName() + " \"" + caption + "\"" +
           (caption.empty() && C->Parent() ? " in " + Describe(C->Parent()) : "");
}

// Presses Tab (or Shift+Tab) where the focus is until it comes back to where
// it started, Limit times at most; the stops it passed, in order.
std::vector<const TControl*> TabWalk(TCustomForm& Form, bool Forward, const TStops& Stops,
                                     size_t Limit) {
    const TControl* start = StopOf(Focus(Form), Stops);
    std::vector<const TControl*> passed;
    while (passed.size() < Limit && (passed.empty() || passed.back() != start)) {
        KeyStroke(Focus(Form), VK_TAB, '\0', Forward ? TShiftState{} : TShiftState{ssShift});
        PumpPending();
        passed.push_back(StopOf(Focus(Form), Stops));
    }
    return passed;
}

// What is wrong with the tab cycle of Form as it shows now, one line per fault:
// from the focus, Tab passes every stop once and comes back, and Shift+Tab
// passes them in the opposite order.
void CheckTabCycle(TCustomForm& Form, const std::string& Where, std::ostringstream& Faults) {
    TStops stops;
    TabStops(Form, stops);
    const TControl* start = StopOf(Focus(Form), stops);
    if (!stops.contains(start)) {
        Faults << Where << ": the focus is on " << Describe(start) << "\n";
        return;
    }
    const std::vector<const TControl*> forward = TabWalk(Form, true, stops, 2 * stops.size() + 1);
    TStops seen, twice;
    for (const TControl* c : forward)
        if (!stops.contains(c))
            Faults << Where << ": Tab goes to " << Describe(c) << "\n";
        else if (!seen.insert(c).second && twice.insert(c).second)
            Faults << Where << ": Tab passes " << Describe(c) << " twice\n";
    for (const TControl* c : stops)
        if (!seen.contains(c)) Faults << Where << ": Tab misses " << Describe(c) << "\n";
    if (forward.back() != start) {
        Faults << Where << ": Tab never comes back to " << Describe(start) << "\n";
        return;
    }
    std::vector<const TControl*> back(forward.rbegin() + 1, forward.rend());
    back.push_back(start);
    const std::vector<const TControl*> backward = TabWalk(Form, false, stops, back.size());
    for (size_t i = 0; i < backward.size(); ++i)
        if (backward[i] != back[i]) {
            Faults << Where << ": Shift+Tab goes to " << Describe(backward[i]) << " for "
                   << Describe(back[i]) << "\n";
            break;
        }
}

// The tab cycle as Form shows, then on each page of each of its page
// controls, the page picked by keys on its tab row.
void CheckTabCycles(TCustomForm& Form, std::ostringstream& Faults) {
    CheckTabCycle(Form, Form.ClassName(), Faults);
    for (int i = 0; i < Form.ComponentCount(); ++i) {
        auto* pc = dynamic_cast<TPageControl*>(Form.Components(i));
        for (int p = 0; pc && p < pc->PageCount(); ++p) {
            TTabSheet* page = pc->Pages(p);
            if (!page->TabVisible()) continue;
            for (TControl* c = pc->Parent(); c; c = c->Parent())
                if (auto* sheet = dynamic_cast<TTabSheet*>(c))
                    sheet->PageControl()->SetActivePage(sheet);
            // As the director does it: back to the tab row for each key.
            for (int k = 0; k <= pc->PageCount() && pc->ActivePage() != page; ++k) {
                pc->SetFocus();
                KeyStroke(pc, k == 0 ? VK_HOME : VK_RIGHT);
            }
            PumpPending();
            CheckTabCycle(Form, Form.ClassName() + " \"" + page->Caption() + "\"", Faults);
        }
    }
}

TEST_F(KeyboardRoad, EscapeOrAltKLeavesEveryWindow) {
    bool closed = false;
    OpenClub([&] { closed = Escape(*StandForm); });
    EXPECT_TRUE(closed) << "standings";
    TMainForm& m = W->Main();

    closed = false;
    Shows(
        *RaRapportForm, [&] { m.RaRapportBitBtn->Click(); },
        [&] {
            KeyStroke(Focus(*RaRapportForm), 'K', 'k', {ssAlt});
            closed = RaRapportForm->ModalResult() != mrNone;
        });
    EXPECT_TRUE(closed) << "rating report, Alt+K";

    closed = false;
    SpInfoForm->SetSpeler(CurGroep->Spelers.GetSpelerOnBergerNr(1));
    Shows(
        *SpInfoForm, [&] { SpInfoForm->ShowModal(); }, [&] { closed = Escape(*SpInfoForm); });
    EXPECT_TRUE(closed) << "player card";

    closed = false;
    const size_t asked = Dialogs->Asked().size();
    Shows(
        *BergerForm, [&] { m.NewGroepBitBtn->Click(); }, [&] { closed = Escape(*BergerForm); });
    EXPECT_TRUE(closed) << "Berger window";
    EXPECT_EQ(asked, Dialogs->Asked().size()) << "nothing changed, nothing asked";
    EXPECT_EQ("Clubkampioenschap A", CurGroep->Rec.Naam);

    // In the crosstable the first Escape ends the edit of a cell, the second
    // leaves the window.
    bool editing = false, afterEdit = true;
    closed = false;
    Shows(
        *UitslagForm, [&] { m.UitslagenBitBtn->Click(); },
        [&] {
            TExtColumnGrid& t = *UitslagForm->TabelGrid;
            t.SetFocus();
            t.FocusCell(2 + 2, 1, true);
            KeyStroke(&t, VK_RETURN);
            editing = t.InplaceEditor() && t.InplaceEditor()->Visible() &&
                      Focus(*UitslagForm) == t.InplaceEditor();
            afterEdit = Escape(*UitslagForm);
            closed = Escape(*UitslagForm);
        });
    EXPECT_TRUE(editing);
    EXPECT_FALSE(afterEdit) << "Escape in the editor closed the results window";
    EXPECT_TRUE(closed) << "results";
}

// The pages "Edit groep" and "Spelers" without the mouse.
TEST_F(KeyboardRoad, ControlTabReachesThePagesOfTheMainWindow) {
    OpenClub([] {});
    TMainForm& m = W->Main();
    m.PageControl->SetActivePage(m.HoofdSheet);
    m.FileListBox->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return m.FileListBox->Focused(); }));
    for (TTabSheet* page : {m.EditGroepSheet, m.SpelersSheet}) {
        KeyStroke(Focus(m), VK_TAB, '\0', {ssCtrl});
        EXPECT_EQ(page, m.PageControl->ActivePage());
        EXPECT_TRUE(PumpUntil([&] { return page->ContainsControl(Focus(m)); })) << page->Caption();
    }
    // "Spelers" opens on the players grid, its first player chosen; Tab comes
    // round to the grid again.
    EXPECT_EQ(m.SpEditGrid, Focus(m));
    EXPECT_EQ(1, m.SpEditGrid->Row());
    std::string passed;
    for (int i = 0; i < 40 && (i == 0 || Focus(m) != m.SpEditGrid); ++i) {
        KeyStroke(Focus(m), VK_TAB);
        PumpPending();
        passed += Focus(m)->ClassName() + " ";
    }
    EXPECT_EQ(m.SpEditGrid, Focus(m)) << passed;
}

// Alt+K presses "Klaar" from the new group's name box; the letter is the
// button's, not the name's.
TEST_F(KeyboardRoad, AltKFromTheNameBoxTypesNoLetter) {
    StartProgram();
    TMainForm& m = W->Main();
    std::string naam;
    bool closed = false;
    Dialogs->QueueAnswer(mrNo); // the new group is not made
    Shows(
        *BergerForm, [&] { m.NewGroepBitBtn->Click(); },
        [&] {
            TEdit* e = BergerForm->GroepNaamEdit;
            e->SetFocus();
            ASSERT_TRUE(PumpUntil([&] { return e->Focused(); }));
            TypeText(e, "Kbd test");
            KeyStroke(e, 'K', 'k', {ssAlt});
            naam = e->Text();
            closed = BergerForm->ModalResult() != mrNone;
        });
    EXPECT_TRUE(closed);
    EXPECT_EQ("Kbd test", naam);
    EXPECT_EQ(1, CountAsked("Nieuwe groep Kbd test indelen ?"));
}

// Return opens the file chosen in "Data bestanden" and, on a row of the
// standings, the player's card; Escape closes each, and the window below has
// the focus back on the control it came from.
TEST_F(KeyboardRoad, ReturnOpensAndEscapeGivesTheFocusBack) {
    TMainForm& m = StartWithClubChosen();
    m.FileListBox->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return m.FileListBox->Focused(); }));
    bool standings = false, card = false, cardClosed = false, gridBack = false;
    Shows(
        *StandForm, [&] { KeyStroke(m.FileListBox, VK_RETURN); },
        [&] {
            standings = true;
            TExtColumnGrid& g = *StandForm->StandGrid;
            g.SetCol(2);
            g.SetRow(1);
            Shows(
                *SpInfoForm, [&] { KeyStroke(Focus(*StandForm), VK_RETURN); },
                [&] {
                    card = SpInfoForm->Speler() == StandRowSpeler(g, 1);
                    cardClosed = Escape(*SpInfoForm);
                });
            gridBack = PumpUntil([&] { return g.Focused(); });
            Escape(*StandForm);
        });
    EXPECT_TRUE(standings) << "Return on the file";
    EXPECT_TRUE(card) << "Return on the standings' first row";
    EXPECT_TRUE(cardClosed);
    EXPECT_TRUE(gridBack) << "focus after the card";
    EXPECT_TRUE(PumpUntil([&] { return m.FileListBox->Focused(); })) << "focus after the standings";
}

// A rating list of Count members, numbered from 7600001, as the federation
// writes it: fixed columns, the first line its heading.
std::string RatingList(int Count) {
    const auto pad = [](std::string S, size_t N) {
        S.resize(N, ' ');
        return S;
    };
    std::string text = "KNSB rating lijst\r\n";
    for (int i = 0; i < Count; ++i)
        text += pad(std::to_string(i + 1), 6) + " " + std::to_string(7600001 + i) + " " +
                pad("Lid" + std::string(1, static_cast<char>('A' + i)), 19) + " " + pad("Jan", 9) +
                " " + pad("", 7) + " M " + pad("1500", 5) + "\r\n";
    return text;
}

// Each action of the main window from the keyboard: on a page, from a
// focused control, one key, and what must follow.
TEST_F(KeyboardRoad, EveryActionOfTheMainWindowTakesKeys) {
    // One list of each kind in the data root, for the trees of "Edit groep".
    const std::string lijsten[] = {Root + "/lid20240115.csv", Root + "/krat 24-01.txt",
                                   Root + "/jrat 24-01.txt", Root + "/lidNJR2024-01-15.csv"};
    for (const std::string& lijst : lijsten)
        WriteBytes(lijst, RatingList(12));
    OpenClub([] {});
    TMainForm& m = W->Main();
    using TKeys = std::initializer_list<std::pair<WORD, TShiftState>>;
    const auto pressKeys = [&](const char* What, TTabSheet* Page, TControl* From, TKeys Keys,
                               const std::function<bool()>& Done) {
        m.PageControl->SetActivePage(Page);
        auto* from = dynamic_cast<TWinControl*>(From);
        if (!from) {
            ADD_FAILURE() << What << ": no control that takes the focus";
            return;
        }
        from->SetFocus();
        EXPECT_TRUE(PumpUntil([&] { return from->Focused(); })) << What;
        for (const auto& [key, shift] : Keys) {
            KeyStroke(from, key, key == VK_SPACE ? ' ' : '\0', shift);
            PumpPending();
        }
        EXPECT_TRUE(PumpUntil(Done)) << What;
    };
    const auto press = [&](const char* What, TTabSheet* Page, TControl* From, WORD Key,
                           TShiftState Shift, const std::function<bool()>& Done) {
        pressKeys(What, Page, From, {{Key, Shift}}, Done);
    };
    const auto focusOn = [&](const char* Caption) {
        return [&m, Caption] { return Focus(m)->Caption() == Caption; };
    };
    TCheckListBox& sort = *m.SortCheckBox;
    press("Tab to Omhoog", m.EditGroepSheet, &sort, VK_TAB, {}, focusOn("Omhoog"));
    press("Tab to Omlaag", m.EditGroepSheet, m.UpSortButton, VK_TAB, {}, focusOn("Omlaag"));
    sort.SetItemIndex(sort.Items()->IndexOf("WP")); // the first line not ticked
    press("Omhoog on an unticked line", m.EditGroepSheet, m.UpSortButton, VK_SPACE, {}, [&] {
        return sort.Items()->IndexOf("WP") == 1 && sort.ItemIndex() == 1 && !sort.Checked(1);
    });

    m.MakeMapEdit->SetText("Nieuwe map");
    press("Tab to Maak", m.HoofdSheet, m.MakeMapEdit, VK_TAB, {}, focusOn("Maak"));
    const std::string nieuw = m.DirectoryListBox->Directory() + "/Nieuwe map";
    Dialogs->QueueAnswer(mrYes); // "... toevoegen aan ..."
    press("Enter in the new-folder field", m.HoofdSheet, m.MakeMapEdit, VK_RETURN, {},
          [&] { return DirectoryExists(nieuw); });

    // Return on a folder opens it: its own folders are offered.
    ASSERT_TRUE(ForceDirectories(Root + "/Voorbeeld/Diep/Dieper"));
    m.DirectoryListBox->SetDirectory(Root + "/Voorbeeld");
    for (int i = 0; i < m.DirectoryListBox->Items()->Count(); ++i)
        if (m.DirectoryListBox->GetItemPath(i) == Root + "/Voorbeeld/Diep")
            m.DirectoryListBox->SetItemIndex(i);
    press("Return on a folder", m.HoofdSheet, m.DirectoryListBox, VK_RETURN, {}, [&] {
        const int n = m.DirectoryListBox->Items()->Count();
        return m.DirectoryListBox->GetItemPath(n - 1) == Root + "/Voorbeeld/Diep/Dieper";
    });

    press("Ctrl+PgDn from an inner tab row", m.EditGroepSheet, m.LijstPageControl, VK_NEXT,
          {ssCtrl}, [&] { return m.PageControl->ActivePage() == m.SpelersSheet; });
    press("Ctrl+PgUp from an inner tab row", m.SpelersSheet, m.LedenPageControl, VK_PRIOR, {ssCtrl},
          [&] { return m.PageControl->ActivePage() == m.EditGroepSheet; });

    // Return on a list in each tree chooses it, as a double click does.
    TTreeView* const trees[] = {m.KNSBLedenTreeView, m.KnsbRaTreeView, m.JeugdRaTreeView,
                                m.NJRLedenTreeView};
    const std::string* const gekozen[] = {&m.KnsbLedenFileName, &m.KnsbRatFileName,
                                          &m.JeugdRatFileName, &m.NJRLedenFileName};
    // Only a plain Return chooses: not Down, Space, Shift+Return or Ctrl+Return.
    const TKeys others = {
        {VK_DOWN, {}}, {VK_SPACE, {}}, {VK_RETURN, {ssShift}}, {VK_RETURN, {ssCtrl}}};
    for (int i = 0; i < 4; ++i) {
        m.LijstPageControl->SetActivePageIndex(i);
        trees[i]->SetSelected(trees[i]->Items()->Item(1)); // the file under the root
        pressKeys("Other keys on a list in a tree", m.EditGroepSheet, trees[i], others,
                  [&] { return *gekozen[i] != lijsten[i]; });
        press("Return on a list in a tree", m.EditGroepSheet, trees[i], VK_RETURN, {},
              [&] { return *gekozen[i] == lijsten[i]; });
    }

    // Return on a member takes him into the selected player, after the
    // question, and the search box has the focus for the next one.
    m.LijstComboBox->SetItemIndex(0); // "KNSB rating", chosen above
    m.SpeedButton1Click(m.SpeedButton1);
    ASSERT_GT(m.LedenGrid->RowCount(), 2);
    SelectSpeler(2);
    TSp* speler = CurGroep->Spelers.GetSpelerOnBergerNr(2);
    const auto* lid = dynamic_cast<TSp*>(m.LedenGrid->Objects(0, 1));
    ASSERT_TRUE(speler && lid);
    const int relnr = lid->Rec.Relnr;
    const size_t asked = Dialogs->Asked().size();
    m.LedenGrid->SetRow(2);
    pressKeys("Other keys on a member", m.SpelersSheet, m.LedenGrid, others,
              [&] { return speler->Rec.Relnr != relnr && Dialogs->Asked().size() == asked; });
    m.LedenGrid->SetRow(1);
    Dialogs->QueueAnswer(mrYes); // "... vervangen door: ..."
    press("Return on a member", m.SpelersSheet, m.LedenGrid, VK_RETURN, {},
          [&] { return speler->Rec.Relnr == relnr && m.ZoekEdit->Focused(); });

    // Return on a player searches the member list for his surname.
    SelectSpeler(speler->Rec.BergerNr);
    m.ZoekEdit->SetText("");
    press("Return on a player", m.SpelersSheet, m.SpEditGrid, VK_RETURN, {}, [&] {
        return m.ZoekEdit->Text() == speler->Rec.Achternaam &&
               m.LedenGrid->Objects(0, m.LedenGrid->Row()) == lid;
    });

    // The players grid's menu opens by the Menu key and by Shift+F10; the
    // arrows pick its second item, "Omlaag", and Return chooses it.
    TSp* tweede = CurGroep->Spelers.GetSpelerOnBergerNr(2);
    for (const auto& [what, key, shift] : {std::tuple{"Menu key, Omlaag", VK_APPS, TShiftState{}},
                                           {"Shift+F10, Omlaag", VK_F10, TShiftState{ssShift}}}) {
        const int nr = tweede->Rec.BergerNr;
        SelectSpeler(nr);
        pressKeys(what, m.SpelersSheet, m.SpEditGrid,
                  {{key, shift}, {VK_DOWN, {}}, {VK_DOWN, {}}, {VK_RETURN, {}}},
                  [&] { return tweede->Rec.BergerNr == nr + 1; });
    }
}

// Tab and Shift+Tab reach every control of every window and page.
TEST_F(KeyboardRoad, TabGoesRoundEveryPageOfEveryWindow) {
    std::ostringstream faults;
    OpenClub([&] { CheckTabCycles(*StandForm, faults); });
    TMainForm& m = W->Main();
    SpInfoForm->SetSpeler(CurGroep->Spelers.GetSpelerOnBergerNr(1));
    const std::pair<TCustomForm*, std::function<void()>> windows[] = {
        {RaRapportForm, [&] { m.RaRapportBitBtn->Click(); }},
        {SpInfoForm, [&] { SpInfoForm->ShowModal(); }},
        {BergerForm, [&] { m.NewGroepBitBtn->Click(); }},
        {UitslagForm, [&] { m.UitslagenBitBtn->Click(); }},
        {ZVNewGroepForm, [&] { ZVNewGroepForm->ShowModal(); }}};
    // Each opened from the main window with the focus back, as by the director.
    const auto mainHasFocus = [&] { return PumpUntil([&] { return Focus(m) != &m; }); };
    for (const auto& [form, open] : windows) {
        EXPECT_TRUE(mainHasFocus()) << "before " << form->ClassName();
        Shows(*form, open, [&, form = form] { CheckTabCycles(*form, faults); });
    }
    EXPECT_TRUE(mainHasFocus());
    CheckTabCycles(m, faults);
    EXPECT_EQ("", faults.str());
}

} // namespace
