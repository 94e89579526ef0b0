// The main window's "Edit groep" settings and its "Spelers" page: the group's
// rating kind, name, name display and tie-break order, the players grid in
// draw-number order and the edit fields of one player.

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/gridstyle.h"
#include "app/mainform.h"
#include "app/standgrid.h"
#include "model/objects.h"
#include "model/rating.h"
#include "model/textutils.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/stdctrls.h"

namespace {

// The rating kind of each item of the rating radio group.
constexpr TRatingType RadioRatingTypes[] = {rtKNSB, rtFIDE, rtJeugd, rtNJR};

template <class T> T* Place(TMainForm* Form, TWinControl* Parent, int L, int Top, int W, int H) {
    auto* c = new T(Form);
    c->SetParent(Parent);
    c->SetBounds(L, Top, W, H);
    return c;
}

TLabel* PlaceLabel(TMainForm* Form, TWinControl* Parent, const char* Caption, int L, int T) {
    auto* l = Place<TLabel>(Form, Parent, L, T, 80, 16);
    l->SetCaption(Caption);
    return l;
}

TMenuItem* AddMenuItem(TMainForm* Form, TPopupMenu* Menu, const char* Caption,
                       TNotifyEvent OnClick) {
    auto* item = new TMenuItem(Form);
    item->Caption = Caption;
    item->OnClick = std::move(OnClick);
    Menu->Items()->Add(item);
    return item;
}

// The edit fields in the order the director fills them.
std::vector<TEdit*> EditFields(const TMainForm& F) {
    return {F.SpFamNaamEdit, F.SpTVEdit,     F.SpVoorNaamEdit, F.SpVLEdit,
            F.SpRelNrEdit,   F.SpRatingEdit, F.SpGebJaarEdit};
}

void EnableEditFields(TMainForm& F, bool Enabled) {
    for (TEdit* e : EditFields(F))
        e->SetEnabled(Enabled);
    F.SpGenderBox->SetEnabled(Enabled);
}

void EmptyEditFields(TMainForm& F) {
    for (TEdit* e : EditFields(F))
        e->SetText("");
    F.SpGenderBox->SetChecked(false);
}

// After a change of players: the games follow them (member numbers in the game
// sides, the crosstable cells by draw number).
void RelinkGames(TGroep& G) {
    G.LinkSpelers();
    G.Games.FillGamePoints(G.Rec.DubbelRondig != 0);
}

// The players grid's columns fit their contents, the names at least 150
// pixels; a long name takes only the room the other columns leave.
void SizeColumns(TExtColumnGrid& Grid) {
    constexpr int marge = 8, naamKolom = 1, minNaam = 150;
    Grid.AutoSizeColumns(true, marge);
    FitNaamKolom(Grid, naamKolom, marge, minNaam);
    if (Grid.ColWidths(naamKolom) < minNaam) Grid.SetColWidths(naamKolom, minNaam);
}

} // namespace

// --- building the controls ---------------------------------------------------------------

void TMainForm::CreateGroepControls() {
    GroepInfoBox = Place<TGroupBox>(this, GroepPanel, 8, 8, 404, 236);
    GroepInfoBox->SetCaption("Groep info");

    RatingRadio = Place<TRadioGroup>(this, GroepInfoBox, 12, 22, 120, 128);
    RatingRadio->SetCaption("Rating");
    for (const char* item : {"KNSB", "FIDE", "Jeugd", "NJR"})
        RatingRadio->Items()->Add(item);
    RatingRadio->SetItemIndex(0);

    GroepNaamBox = Place<TGroupBox>(this, GroepInfoBox, 144, 22, 248, 58);
    GroepNaamBox->SetCaption("Naam van de groep");
    GroepNaamEdit = Place<TEdit>(this, GroepNaamBox, 10, 24, 228, 24);

    EditGroepBitBtn = Place<TBitBtn>(this, GroepInfoBox, 144, 88, 248, 30);
    EditGroepBitBtn->SetCaption("Verander groep info");
    EditGroepBitBtn->OnClick = [this](TObject* S) { EditGroepBitBtnClick(S); };

    CalcZVCheckBox = Place<TCheckBox>(this, GroepInfoBox, 148, 126, 240, 22);
    CalcZVCheckBox->SetCaption("Bereken ZV punten");
    CalcZVCheckBox->SetChecked(true);

    SelNaamRadio = Place<TRadioGroup>(this, GroepInfoBox, 12, 160, 380, 64);
    SelNaamRadio->SetCaption("Spelers naam");
    SelNaamRadio->SetColumns(2);
    SelNaamRadio->Items()->Add("Volledige");
    SelNaamRadio->Items()->Add("Voornaam");
    SelNaamRadio->SetItemIndex(1);
    SelNaamRadio->OnClick = [this](TObject* S) { SelNaamRadioClick(S); };

    SortBox = Place<TGroupBox>(this, GroepPanel, 8, 252, 404, 200);
    SortBox->SetCaption("Volgorde bij gelijk eindigen");
    SortCheckBox = Place<TCheckListBox>(this, SortBox, 12, 24, 260, 132);
    // The lines' criteria objects belong to the list.
    static_cast<TStringList*>(SortCheckBox->Items())->OwnsObjects = true;
    for (const TSortId id : {siOnderling, siWP, siSB, siWWe})
        SortCheckBox->Items()->Add(SortIdToStr(id));
    SortCheckBox->OnClickCheck = [this](TObject* S) { SortCheckBoxClick(S); };
    UpSortButton = Place<TBitBtn>(this, SortBox, 284, 24, 104, 30);
    UpSortButton->SetCaption("Omhoog");
    UpSortButton->OnClick = [this](TObject* S) { UpSortButtonClick(S); };
    DownSortButton = Place<TBitBtn>(this, SortBox, 284, 60, 104, 30);
    DownSortButton->SetCaption("Omlaag");
    DownSortButton->OnClick = [this](TObject* S) { DownSortButtonClick(S); };
    SortLabel = Place<TLabel>(this, SortBox, 12, 166, 260, 18);
    SortLabel->SetCaption("Dit werkt nog niet !");
}

void TMainForm::CreateSpelersControls() {
    SpEditBox = new TGroupBox(this);
    SpEditBox->SetParent(SpelersPanel);
    SpEditBox->SetAlign(alBottom);
    SpEditBox->SetHeight(150);
    SpEditBox->SetCaption("Verander en/of plaats speler");

    SpelersBox = new TGroupBox(this);
    SpelersBox->SetParent(SpelersPanel);
    SpelersBox->SetAlign(alClient);
    SpelersBox->SetCaption("Spelers");
    SpEditGrid = new TExtColumnGrid(this);
    SpEditGrid->SetParent(SpelersBox);
    SpEditGrid->SetAlign(alClient);
    // A row is a player: the whole row shows as selected.
    TGridOptions options = SpEditGrid->Options();
    SpEditGrid->SetOptions(options.Include(goRowSelect));
    SpEditGrid->OnSelectCell = [this](TObject* S, int C, int R, bool& Can) {
        SpEditGridSelectCell(S, C, R, Can);
    };
    SpEditGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& Can) {
        SpEditGridCanEditCell(S, R, C, Can);
    };
    SpEditGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        SpEditGridGetAlignment(S, R, C, H, V);
    };
    // Wider (the window or the splitter) it shows a name that was cut for want of room.
    SpEditGrid->OnResize = [this](TObject*) { SizeColumns(*SpEditGrid); };

    // Two rows of fields, each under its caption.
    const int row1 = 40, row2 = 100;
    PlaceLabel(this, SpEditBox, "Fam.naam", 10, row1 - 18);
    SpFamNaamEdit = Place<TEdit>(this, SpEditBox, 10, row1, 150, 24);
    PlaceLabel(this, SpEditBox, "Tussenvoegsel", 168, row1 - 18)->SetWidth(96);
    SpTVEdit = Place<TEdit>(this, SpEditBox, 168, row1, 90, 24);
    PlaceLabel(this, SpEditBox, "Voornaam", 266, row1 - 18);
    SpVoorNaamEdit = Place<TEdit>(this, SpEditBox, 266, row1, 130, 24);
    PlaceLabel(this, SpEditBox, "Voorletters", 404, row1 - 18);
    SpVLEdit = Place<TEdit>(this, SpEditBox, 404, row1, 80, 24);

    PlaceLabel(this, SpEditBox, "Rel.nr", 10, row2 - 18);
    SpRelNrEdit = Place<TEdit>(this, SpEditBox, 10, row2, 90, 24);
    PlaceLabel(this, SpEditBox, "Rating", 108, row2 - 18);
    SpRatingEdit = Place<TEdit>(this, SpEditBox, 108, row2, 60, 24);
    PlaceLabel(this, SpEditBox, "Geb.Jaar", 176, row2 - 18);
    SpGebJaarEdit = Place<TEdit>(this, SpEditBox, 176, row2, 60, 24);
    SpGenderBox = Place<TCheckBox>(this, SpEditBox, 246, row2 + 2, 40, 22);
    SpGenderBox->SetCaption("V");
    ZetSpDataBitBtn = Place<TBitBtn>(this, SpEditBox, 300, row2 - 3, 88, 30);
    ZetSpDataBitBtn->SetCaption("Zet");
    ZetSpDataBitBtn->OnClick = [this](TObject* S) { ZetSpDataBitBtnClick(S); };
    ZetVrijBitBtn = Place<TBitBtn>(this, SpEditBox, 396, row2 - 3, 88, 30);
    ZetVrijBitBtn->SetCaption("Vrij");
    ZetVrijBitBtn->OnClick = [this](TObject* S) { ZetVrijBitBtnClick(S); };
    SpVoorNaamEdit->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        SpVoorNaamEditKeyDown(S, Key, Shift);
    };
    SpFamNaamEdit->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        SpFamNaamEditKeyDown(S, Key, Shift);
    };
    for (TEdit* e : EditFields(*this)) {
        // What the group file cannot hold is not taken.
        e->CodePageLetters = true;
        e->OnTextAdjusted = [this](TObject*) {
            StatusBar->SetPanelText(1, "Letters die het groepsbestand niet kan bewaren zijn "
                                       "vervangen door de gewone letter (L voor de Poolse L "
                                       "met streep).");
        };
    }

    // The moves are offered on the players grid itself.
    SpelersPopupMenu = new TPopupMenu(this);
    OmhoogMenu =
        AddMenuItem(this, SpelersPopupMenu, "Omhoog", [this](TObject* S) { OmhoogMenuClick(S); });
    OmlaagMenu =
        AddMenuItem(this, SpelersPopupMenu, "Omlaag", [this](TObject* S) { OmlaagMenuClick(S); });
    AddMenuItem(this, SpelersPopupMenu, "-", nullptr);
    PlaatsVrijMenu = AddMenuItem(this, SpelersPopupMenu, "Plaats Vrij",
                                 [this](TObject* S) { PlaatsVrijMenuClick(S); });
    WegVrijMenu = AddMenuItem(this, SpelersPopupMenu, "Verwijder vrij",
                              [this](TObject* S) { WegVrijMenuClick(S); });
    SpEditGrid->SetPopupMenu(SpelersPopupMenu);

    FillEditBoxes(nullptr);
    FillSpEditGrid();
}

// --- group settings ----------------------------------------------------------------------

void TMainForm::EditGroepBitBtnClick(TObject*) {
    if (!CurGroep) return;
    TGroep& G = *CurGroep;
    const int kind = RatingRadio->ItemIndex();
    if (kind >= 0 && kind < static_cast<int>(std::size(RadioRatingTypes)))
        G.Rec.RatingType = RadioRatingTypes[kind];
    RatingType = G.Rec.RatingType;
    G.Rec.MyUseZVPoints = CalcZVCheckBox->Checked() ? 1 : 0;
    G.Rec.NaamMode = SelNaamRadio->ItemIndex() != 0 ? nmVoornaamEerst : nmAchternaamEerst;
    FillSpEditGrid();

    const std::string naam = Trim(GroepNaamEdit->Text());
    if (naam.size() >= 2)
        G.Rec.Naam = naam;
    else
        GroepNaamEdit->SetText(G.Rec.Naam);

    ShowGroepStatus();
    Beep();
}

void TMainForm::ShowGroepSettings() {
    if (!CurGroep) return;
    GroepNaamEdit->SetText(CurGroep->Rec.Naam);
    CalcZVCheckBox->SetChecked(CurGroep->Rec.MyUseZVPoints != 0);
    FillSortCheckBox();
}

void TMainForm::SelNaamRadioClick(TObject* Sender) {
    EditGroepBitBtnClick(Sender);
}

// --- the players grid --------------------------------------------------------------------

void TMainForm::FillSpEditGrid() {
    TExtColumnGrid& grid = *SpEditGrid;
    const int n = CurGroep ? CurGroep->Spelers.Count() : 0;
    grid.ClearGrid();
    grid.SetColCount(6);
    grid.SetRowCount(n + 2);
    grid.SetCells(1, 0, "Naam");
    grid.SetCells(2, 0, "Relnr.");
    grid.SetCells(3, 0, RatingTypeToStr(CurGroep ? CurGroep->Rec.RatingType : RatingType));
    grid.SetCells(4, 0, "Geb.");
    grid.SetCells(5, 0, "MV");
    SetGridStyle(&grid, 10);

    int byes = 0;
    for (int i = 0; i < n; ++i) {
        TSp* sp = CurGroep->Spelers.Sp(i);
        const int row = i + 1;
        grid.SetCells(0, row, IntToStr(sp->Rec.BergerNr) + ".");
        grid.SetObjects(0, row, sp);
        grid.SetCells(1, row, sp->GetNaam());
        grid.SetCells(2, row, sp->GetRelnrStr());
        grid.SetCells(3, row, RatingToStr(sp->GetRating()));
        grid.SetCells(4, row, sp->GetGebJaarStr());
        grid.SetCells(5, row, sp->Rec.Sexe == 'V' ? "V" : "");
        if (!sp->IsNotVrij()) ++byes;
    }
    SizeColumns(grid);
    if (grid.RowCount() > 2) grid.SetRowCount(grid.RowCount() - 1);
    WegVrijMenu->Enabled = byes > 0;
    PlaatsVrijMenu->Enabled = n > byes;
    // The fields show the player of the selected row, whatever changed under
    // them (a move, another group, another rating kind): fields left on another
    // player would be stored over this one.
    const int row = grid.Row();
    FillEditBoxes(row >= 1 && row < grid.RowCount() ? dynamic_cast<TSp*>(grid.Objects(0, row))
                                                    : nullptr);
    CheckSpelersNamen();
}

void TMainForm::ReadSpEditGrid() {
    if (!CurGroep) return;
    TExtColumnGrid& grid = *SpEditGrid;
    bool relink = false;
    for (int nr = 1; nr < grid.RowCount(); ++nr) {
        const TSp* sp = CurGroep->Spelers.GetSpelerOnBergerNr(nr);
        if (!sp) continue;
        std::string naam = Trim(grid.Cells(1, nr));
        if (naam.empty() || naam.find('?') != std::string::npos) naam = "?";
        grid.SetCells(1, nr, naam);
        if (Trim(grid.Cells(5, nr)) == "V") grid.SetCells(5, nr, "V");
        int relnr = TrimStrToInt(grid.Cells(2, nr));
        if (relnr < MinBondsRelnr) relnr = 0;
        if (relnr != sp->Rec.Relnr) relink = true;
    }
    if (relink) CurGroep->LinkSpelers();
    SizeColumns(grid);
    CheckSpelersNamen();
}

void TMainForm::SpEditGridSelectCell(TObject*, int, int ARow, bool& CanSelect) {
    CanSelect = true;
    if (ARow < 1 || ARow >= SpEditGrid->RowCount()) return;
    FillEditBoxes(dynamic_cast<TSp*>(SpEditGrid->Objects(0, ARow)));
}

void TMainForm::SpEditGridCanEditCell(TObject*, int, int, bool& CanEdit) {
    CanEdit = false;
}

void TMainForm::SpEditGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
    if (ACol > 1) HAlign = taCenter;
}

// Every window ahead of the results needs a name for every player.
// --- the edit fields ---------------------------------------------------------------------

void TMainForm::FillEditBoxes(TSp* Speler) {
    FEditSpeler = Speler;
    FEditRatingType = RatingType;
    if (!Speler) {
        EditRow = -1;
        EmptyEditFields(*this);
        EnableEditFields(*this, false);
        return;
    }
    const TSpRec& r = Speler->Rec;
    EditRow = r.BergerNr;
    SpFamNaamEdit->SetText(r.Achternaam);
    SpTVEdit->SetText(r.Tussenvoegsel);
    SpVoorNaamEdit->SetText(r.Voornaam);
    SpVLEdit->SetText(r.Voorletters);
    SpRelNrEdit->SetText(Speler->GetRelnrStr());
    SpRatingEdit->SetText(RatingToStr(Speler->GetRating()));
    SpGebJaarEdit->SetText(Speler->GetGebJaarStr());
    SpGenderBox->SetChecked(r.Sexe == 'V');
    EnableEditFields(*this, Speler->IsNotVrij());
}

void TMainForm::ReadEditBoxes(int Row, TSpRec& Rec) {
    Rec = TSpRec{};
    Rec.BergerNr = Row;
    Rec.Achternaam = Trim(SpFamNaamEdit->Text());
    Rec.Tussenvoegsel = Trim(SpTVEdit->Text());
    Rec.Voornaam = Trim(SpVoorNaamEdit->Text());
    Rec.Voorletters = Trim(SpVLEdit->Text());
    if (Rec.Voorletters.empty() && !Rec.Voornaam.empty())
        Rec.Voorletters = AnsiUpperCase(Rec.Voornaam.substr(0, 1)) + ".";
    const int relnr = TrimStrToInt(SpRelNrEdit->Text());
    if (relnr >= MinBondsRelnr)
        Rec.Relnr = relnr;
    else
        SpRelNrEdit->SetText("");
    const int rating = TrimStrToInt(SpRatingEdit->Text());
    if (IsValidRating(rating) && RatingType < RatingTypeCount)
        Rec.Ratings[RatingType] = rating;
    else
        SpRatingEdit->SetText("");
    const int gebJaar = TrimStrToInt(SpGebJaarEdit->Text());
    if (IsValidGebJaar(gebJaar))
        Rec.GebJaar = gebJaar;
    else
        SpGebJaarEdit->SetText("");
    Rec.Sexe = SpGenderBox->Checked() ? 'V' : 'M';
}

TSp* TMainForm::GetEditPlayer() {
    FocusTarget = 0;
    if (!CurGroep || CurGroep->Spelers.Count() < 2) return nullptr;
    const int row = SpEditGrid->Row();
    EditRow = row >= 1 && row < SpEditGrid->RowCount() ? row : 1;
    SpEditGrid->SetRow(EditRow);
    TSp* sp = CurGroep->Spelers.GetSpelerOnBergerNr(EditRow);
    const auto* shown = dynamic_cast<const TSp*>(SpEditGrid->Objects(0, EditRow));
    if (!shown || shown->Rec.BergerNr != EditRow) sp = nullptr;
    if (SpVoorNaamEdit->Focused())
        FocusTarget = 1;
    else if (SpFamNaamEdit->Focused())
        FocusTarget = 2;
    return sp;
}

namespace {

// After a change of the selected player: the grid again on the same row, then
// one row on unless that was the last.
void RefillAndStepDown(TMainForm& F) {
    const int row = F.SpEditGrid->Row();
    F.FillSpEditGrid();
    F.SpEditGrid->SetRow(std::min(row, F.SpEditGrid->RowCount() - 1));
    if (row < F.SpEditGrid->RowCount() - 1)
        F.SpEditGrid->SetRow(row + 1);
    else // no move shows the stored player again
        F.FillEditBoxes(dynamic_cast<TSp*>(F.SpEditGrid->Objects(0, F.SpEditGrid->Row())));
}

void FocusField(TEdit* Field) {
    if (Field && Field->Enabled() && Field->CanFocus()) Field->SetFocus();
}

// The field that had the focus when a change began (first name or surname).
void FocusTargetField(TMainForm& F) {
    FocusField(F.FocusTarget == 1   ? F.SpVoorNaamEdit
               : F.FocusTarget == 2 ? F.SpFamNaamEdit
                                    : nullptr);
}

// A number field that "Zet" takes over, and how a refusal names it.
struct TGetalVeld {
    TEdit* Veld;
    const char* Naam;    // with its article: "de rating"
    const char* Geen;    // what an empty field stores: "geen rating"
    bool (*Geldig)(int); // the numbers the player can keep
    int Van, Tot;        // the numbers Geldig lets through, for the message; Tot 0: no end
};

std::vector<TGetalVeld> GetalVelden(const TMainForm& F) {
    // A member number below the federation's range would be stored as none:
    // one digit short erases the number the rating report reports him by.
    return {{F.SpRelNrEdit, "het relatienummer", "geen relatienummer",
             [](int R) { return R >= MinBondsRelnr; }, MinBondsRelnr, 0},
            {F.SpRatingEdit, "de rating", "geen rating", [](int R) { return IsValidRating(R); },
             MinRating, MaxRating},
            {F.SpGebJaarEdit, "het geboortejaar", "geen geboortejaar", IsValidGebJaar, MinGebJaar,
             MaxGebJaar}};
}

// Why the field's text cannot be stored, or "" when it can. Stored anyway, it
// would read as no number and erase what the player had.
std::string WeigerReden(const TGetalVeld& V) {
    const std::string tekst = Trim(V.Veld->Text());
    if (tekst.empty()) return "";
    const std::string kop = std::string("Niet gezet: ") + V.Naam + " \"" + tekst + "\" ";
    const std::string leeg = std::string(", of maak het veld leeg voor ") + V.Geen + ".";
    int getal = 0;
    if (!TryStrToInt(tekst, getal))
        return kop + "is geen getal.\r\rTyp " + V.Naam + " in cijfers" + leeg;
    if (!V.Geldig(getal))
        return kop +
               (V.Tot > 0 ? "ligt niet tussen " + IntToStr(V.Van) + " en " + IntToStr(V.Tot)
                          : "ligt onder " + IntToStr(V.Van) + ", het laagste van de bond") +
               ".\r\rVerbeter " + V.Naam + leeg;
    return "";
}

// A slip of the keyboard in a number field is no wish to drop the number: the
// first such field refuses "Zet" with its reason and keeps its text to be
// mended. Returns whether one refused.
bool WeigerGetalVeld(const TMainForm& F) {
    for (const TGetalVeld& v : GetalVelden(F)) {
        const std::string reden = WeigerReden(v);
        if (reden.empty()) continue;
        ShowMessage(reden);
        FocusField(v.Veld);
        return true;
    }
    return false;
}

} // namespace

void TMainForm::ZetSpDataBitBtnClick(TObject*) {
    // Locked fields show no player to store (none selected yet, or the bye):
    // storing them would wipe the player of the row.
    TSp* sp = SpFamNaamEdit->Enabled() ? GetEditPlayer() : nullptr;
    if (sp && (sp != FEditSpeler || RatingType != FEditRatingType)) {
        // The fields no longer show the player of the row: show him instead of
        // storing another player's data over him.
        FillEditBoxes(sp);
        StatusBar->SetPanelText(1, "Niet gezet: de velden toonden een andere speler. "
                                   "Controleer de velden en kies opnieuw Zet.");
        sp = nullptr;
    }
    if (sp && WeigerGetalVeld(*this)) sp = nullptr;
    if (sp) {
        TSpRec fields;
        ReadEditBoxes(EditRow, fields);
        // Only what the fields show changes: the ratings of the other kinds and
        // what the standings keep with the player stay.
        TSpRec& rec = sp->Rec;
        rec.BergerNr = fields.BergerNr;
        rec.Achternaam = fields.Achternaam;
        rec.Tussenvoegsel = fields.Tussenvoegsel;
        rec.Voornaam = fields.Voornaam;
        rec.Voorletters = fields.Voorletters;
        rec.Relnr = fields.Relnr;
        if (RatingType < RatingTypeCount) rec.Ratings[RatingType] = fields.Ratings[RatingType];
        rec.GebJaar = fields.GebJaar;
        rec.Sexe = fields.Sexe;
        RelinkGames(*CurGroep);
        RefillAndStepDown(*this);
        FocusField(SpVoorNaamEdit);
        CurGroep->Modified = true;
    }
    EditRow = -1;
    Beep();
}

void TMainForm::ZetVrijBitBtnClick(TObject*) {
    if (TSp* sp = GetEditPlayer()) {
        const int row = EditRow;
        EmptyEditFields(*this);
        EnableEditFields(*this, false);
        SpFamNaamEdit->SetText("VRIJ");
        TSpRec rec;
        ReadEditBoxes(row, rec);
        rec.BergerNr = sp->Rec.BergerNr;
        rec.Relnr = VrijRelnr;
        sp->Rec = rec;
        RelinkGames(*CurGroep);
        RefillAndStepDown(*this);
        FocusTargetField(*this);
        CurGroep->Modified = true;
    }
    EditRow = -1;
    Beep();
}

void TMainForm::SpVoorNaamEditKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key != VK_RETURN) return;
    Key = 0;
    ZetSpDataBitBtnClick(ZetSpDataBitBtn);
}

void TMainForm::SpFamNaamEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    SpVoorNaamEditKeyDown(Sender, Key, Shift);
}

void TMainForm::MoveSpeler(int Stap) {
    TSp* sp = GetEditPlayer();
    if (sp && CurGroep->SwapBergerNrs(sp->Rec.BergerNr, Stap)) {
        RelinkGames(*CurGroep);
        const int row = SpEditGrid->Row();
        FillSpEditGrid();
        SpEditGrid->SetRow(std::min(row, SpEditGrid->RowCount() - 1));
        FocusTargetField(*this);
        CurGroep->Modified = true;
    }
    EditRow = -1;
    Beep();
}

void TMainForm::OmhoogMenuClick(TObject*) {
    MoveSpeler(1);
}

void TMainForm::OmlaagMenuClick(TObject*) {
    MoveSpeler(-1);
}

void TMainForm::PlaatsVrijMenuClick(TObject*) {}

void TMainForm::WegVrijMenuClick(TObject*) {}

// --- tie-break order ---------------------------------------------------------------------

void TMainForm::FillSortCheckBox() {
    SortCheckBox->Items()->Clear();
    if (!CurGroep) return;
    TGroep& G = *CurGroep;
    // The switched-on criteria first, as a group file gives them back.
    if (G.Rec.SortAr.empty())
        for (const TSortId id : {siOnderling, siSB, siWP, siWWe, siLootNr})
            G.AddSortItem(id, id == siOnderling || id == siSB);
    // Shown in the stored order, so that a move button moves the line the
    // director sees, ticked or not, and the ticked lines rank in the order shown.
    for (const TMyStSortItem& item : G.Rec.SortAr)
        AddSortLine(item.SortId, item.Aan == 1);
}

void TMainForm::AddSortLine(TSortId SortId, bool Checked) {
    const int line =
        SortCheckBox->Items()->AddObject(SortIdToStr(SortId), new TStandSortObj(SortId));
    SortCheckBox->SetItemIndex(line);
    SortCheckBox->SetChecked(line, Checked);
}

void TMainForm::SortCheckBoxClick(TObject*) {
    if (!CurGroep) return;
    TStrings* lines = SortCheckBox->Items();
    for (int i = 0; i < lines->Count(); ++i)
        if (const auto* obj = dynamic_cast<const TStandSortObj*>(lines->Objects(i)))
            CurGroep->SetSortItem(obj->SortId, SortCheckBox->Checked(i));
}

void TMainForm::MoveSortLine(int Stap) {
    const int sel = SortCheckBox->ItemIndex();
    if (sel < 0) return;
    if (Stap < 0)
        SwapSortEntries(sel - 1, sel);
    else
        SwapSortEntries(sel, sel + 1);
}

void TMainForm::UpSortButtonClick(TObject*) {
    MoveSortLine(-1);
}

void TMainForm::DownSortButtonClick(TObject*) {
    MoveSortLine(1);
}

void TMainForm::SwapSortEntries(int A, int B) {
    if (!CurGroep) return;
    TMyStSortAr& ar = CurGroep->Rec.SortAr;
    TStrings* lines = SortCheckBox->Items();
    const int n = std::min(static_cast<int>(ar.size()), lines->Count());
    if (B != A + 1 || A < 0 || B >= n) return;
    // A line is found in the stored order by its criterion, which holds
    // whatever order a group brought along.
    const auto indexOf = [&](int Line) -> int {
        const auto* obj = dynamic_cast<const TStandSortObj*>(lines->Objects(Line));
        if (!obj) return -1;
        for (size_t i = 0; i < ar.size(); ++i)
            if (ar[i].SortId == obj->SortId) return static_cast<int>(i);
        return -1;
    };
    const int a = indexOf(A), b = indexOf(B);
    if (a < 0 || b < 0) return;
    std::swap(ar[static_cast<size_t>(a)], ar[static_cast<size_t>(b)]);
    FillSortCheckBox();
    SortCheckBox->SetItemIndex(A);
}
