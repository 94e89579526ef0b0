// The main window's federation lists: the four list trees of "Edit groep",
// the member list of "Spelers" with its search and load pages, and taking a
// member into the group.

#include "app/ledenlijst.h"
#include "app/mainform.h"
#include "app/returnkey.h"
#include "grid/columngrid.h"
#include "model/names.h"
#include "model/textutils.h"
#include "platform/rtl/files.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/messages.h"

namespace {

// The list kinds of LijstComboBox, in item order.
enum : int { lkKnsbRating = 0, lkJeugdRating = 1, lkNJRLeden = 2, lkKnsbLeden = 3 };

// The hourglass for as long as the object lives.
class THourGlass {
public:
    THourGlass() {
        if (Screen) Screen->SetCursor(crHourGlass);
    }
    ~THourGlass() {
        if (Screen) Screen->SetCursor(crDefault);
    }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;
};

// A double click on a file node of a list tree chooses that file.
void ChooseTreeFile(const TTreeView* Tree, std::string& Chosen) {
    const std::string file = Tree ? ListTreeFileName(Tree->Selected()) : std::string();
    if (file.empty()) return;
    Chosen = file;
    Beep();
}

// The next search starts at the first cell.
void ZoekVanBoven(TExtStringGrid& Grid) {
    if (Grid.RowCount() > 0 && Grid.ColCount() > 0) Grid.FocusCell(0, 0, true);
}

} // namespace

void TMainForm::CreateLijstControls() {
    LijstPageControl = new TPageControl(this);
    LijstPageControl->SetParent(LijstenPanel);
    LijstPageControl->SetAlign(alClient);
    struct TLijstTab {
        const char* Tab;
        const char* Box;
        const char* Pattern;
        TTabSheet** Sheet;
        TGroupBox** GroupBox;
        TTreeView** Tree;
        TLabel** Label;
        void (TMainForm::*DblClick)(TObject*);
    };
    const TLijstTab tabs[] = {
        {"Ledenlijst", "KNSB Ledenlijst", "lid20yymmdd.csv", &KNSBLedenSheet, &KNSBLedenBox,
         &KNSBLedenTreeView, &KNSBLedenLabel, &TMainForm::KNSBLedenTreeViewDblClick},
        {"KNSB", "KNSB ratinglijst", "krat yy-mm.txt", &KnsbRaSheet, &KnsbRaBox, &KnsbRaTreeView,
         &KnsbRaLabel, &TMainForm::KnsbRaTreeViewDblClick},
        {"Jeugd", "KNSB Jeugd ratinglijst", "jrat yy-mm.txt", &JeugdRaSheet, &JeugdRaBox,
         &JeugdRaTreeView, &JeugdRaLabel, &TMainForm::JeugdRaTreeViewDblClick},
        {"NJR", "NJR Ledenlijst", "lidNJRyyyy-mm-dd.csv", &NJRLedenSheet, &NJRLedenBox,
         &NJRLedenTreeView, &NJRLedenLabel, &TMainForm::NJRLedenTreeViewDblClick},
    };
    for (const TLijstTab& t : tabs) {
        auto* sheet = new TTabSheet(this);
        sheet->SetPageControl(LijstPageControl);
        sheet->SetCaption(t.Tab);
        auto* box = new TGroupBox(this);
        box->SetParent(sheet);
        box->SetAlign(alClient);
        box->SetCaption(t.Box);
        auto* label = new TLabel(this);
        label->SetParent(box);
        label->SetAlign(alTop);
        label->SetCaption(t.Pattern);
        label->SetAlignment(taCenter);
        auto* tree = new TTreeView(this);
        tree->SetParent(box);
        tree->SetAlign(alClient);
        tree->ReadOnly = true;
        const auto handler = t.DblClick;
        tree->OnDblClick = [this, handler](TObject* Sender) { (this->*handler)(Sender); };
        // Return on a file chooses it as the double click does; on a folder
        // the key goes on to the tree.
        tree->OnKeyDown = [this, handler, tree](TObject* Sender, WORD& Key, TShiftState Shift) {
            if (ReturnChooses(Key, Shift, !ListTreeFileName(tree->Selected()).empty()))
                (this->*handler)(Sender);
        };
        *t.Sheet = sheet;
        *t.GroupBox = box;
        *t.Tree = tree;
        *t.Label = label;
    }
    LijstPageControl->SetActivePageIndex(0);
}

void TMainForm::CreateLedenControls() {
    LedenPageControl = new TPageControl(this);
    LedenPageControl->SetParent(LedenPanel);
    LedenPageControl->SetAlign(alBottom);
    LedenPageControl->SetHeight(72);
    ZoekSheet = new TTabSheet(this);
    ZoekSheet->SetPageControl(LedenPageControl);
    ZoekSheet->SetCaption("Zoek Fam.naam");
    LaadSheet = new TTabSheet(this);
    LaadSheet->SetPageControl(LedenPageControl);
    LaadSheet->SetCaption("Laad lijst");

    ZoekEdit = new TEdit(this);
    ZoekEdit->SetParent(ZoekSheet);
    ZoekEdit->SetBounds(8, 8, 200, 24);
    ZoekEdit->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        ZoekEditKeyDown(S, Key, Shift);
    };
    ZoekSpeedButton = new TBitBtn(this);
    ZoekSpeedButton->SetParent(ZoekSheet);
    ZoekSpeedButton->SetBounds(216, 6, 80, 28);
    ZoekSpeedButton->SetCaption("Zoek");
    ZoekSpeedButton->SetEnabled(false);
    ZoekSpeedButton->OnClick = [this](TObject* S) { ZoekSpeedButtonClick(S); };

    LijstComboBox = new TComboBox(this);
    LijstComboBox->SetParent(LaadSheet);
    LijstComboBox->SetStyle(csDropDownList);
    LijstComboBox->SetBounds(8, 8, 200, 24);
    for (const char* item : {"KNSB rating", "Jeugd rating", "NJR Ledenlijst", "KNSB Ledenlijst"})
        LijstComboBox->Items()->Add(item);
    LijstComboBox->SetItemIndex(0);
    SpeedButton1 = new TBitBtn(this);
    SpeedButton1->SetParent(LaadSheet);
    SpeedButton1->SetBounds(216, 6, 80, 28);
    SpeedButton1->SetCaption("Laad");
    SpeedButton1->OnClick = [this](TObject* S) { SpeedButton1Click(S); };
    LedenPageControl->SetActivePage(LaadSheet);

    LedenBox = new TGroupBox(this);
    LedenBox->SetParent(LedenPanel);
    LedenBox->SetAlign(alClient);
    LedenBox->SetCaption("Spelers op lijst");
    LedenGrid = new TExtColumnGrid(this);
    LedenGrid->SetParent(LedenBox);
    LedenGrid->SetAlign(alClient);
    LedenGrid->SetColCount(5);
    LedenGrid->SetRowCount(2);
    LedenGrid->OnDblClickCell = [this](TObject* S, int R, int C) {
        LedenGridDblClickCell(S, R, C);
    };
    LedenGrid->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
        LedenGridKeyDown(S, Key, Shift);
    };
    LedenGrid->OnCanEditCell = [this](TObject* S, int R, int C, bool& Can) {
        LedenGridCanEditCell(S, R, C, Can);
    };
    LedenGrid->OnGetAlignment = [this](TObject* S, int R, int C, TAlignment& H, TVAlignment& V) {
        LedenGridGetAlignment(S, R, C, H, V);
    };
    // The players grid is built before this page's member side.
    if (SpEditGrid) {
        SpEditGrid->OnDblClickCell = [this](TObject* S, int R, int C) {
            SpEditGridDblClickCell(S, R, C);
        };
        SpEditGrid->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) {
            SpEditGridKeyDown(S, Key, Shift);
        };
    }
}

TSpList& TMainForm::Leden() {
    if (!FLedenList) FLedenList = std::make_unique<TSpList>();
    return *FLedenList;
}

void TMainForm::FillListTrees() {
    FillListTree(*KnsbRaTreeView, "krat*-*.txt", KnsbRatFileName);
    FillListTree(*JeugdRaTreeView, "jrat*-*.txt", JeugdRatFileName);
    FillListTree(*NJRLedenTreeView, "lidNJR*.csv", NJRLedenFileName);
    FillListTree(*KNSBLedenTreeView, "lid20*.csv", KnsbLedenFileName);
}

void TMainForm::KnsbRaTreeViewDblClick(TObject*) {
    ChooseTreeFile(KnsbRaTreeView, KnsbRatFileName);
}

void TMainForm::JeugdRaTreeViewDblClick(TObject*) {
    ChooseTreeFile(JeugdRaTreeView, JeugdRatFileName);
}

void TMainForm::NJRLedenTreeViewDblClick(TObject*) {
    ChooseTreeFile(NJRLedenTreeView, NJRLedenFileName);
}

void TMainForm::KNSBLedenTreeViewDblClick(TObject*) {
    ChooseTreeFile(KNSBLedenTreeView, KnsbLedenFileName);
}

void TMainForm::SpeedButton1Click(TObject*) {
    LoadLedenList();
    LedenPageControl->SetActivePage(ZoekSheet);
}

void TMainForm::LoadLedenList() {
    const THourGlass busy;
    ZoekSpeedButton->SetEnabled(false);
    Repaint();
    LedenGrid->ClearGrid();
    LedenGrid->SetRowCount(2);
    EmptyLedenList(Leden());
    LedenFileName.clear();
    const std::string* gekozen = nullptr;
    switch (LijstComboBox->ItemIndex()) {
    case lkKnsbRating:
        gekozen = &KnsbRatFileName;
        if (FileExists(KnsbRatFileName)) ReadRatingList(true);
        break;
    case lkJeugdRating:
        gekozen = &JeugdRatFileName;
        if (FileExists(JeugdRatFileName)) ReadRatingList(false);
        break;
    case lkNJRLeden:
        gekozen = &NJRLedenFileName;
        if (FileExists(NJRLedenFileName)) ReadNJRLedenList();
        break;
    case lkKnsbLeden:
        gekozen = &KnsbLedenFileName;
        if (FileExists(KnsbLedenFileName)) ReadKnsbLedenList();
        break;
    default:
        break;
    }
    ZoekSpeedButton->SetEnabled(Leden().Count() > MinLedenVoorZoeken);
    LedenBox->SetCaption("Ledenlijst");
    if (ZoekSpeedButton->Enabled()) {
        ShowLedenlijst();
        LedenBox->SetCaption("Ledenlijst (" + ExtractFileName(LedenFileName) + ")");
    } else {
        // Nothing to search: say why, rather than an empty list without a word.
        const int keuze = LijstComboBox->ItemIndex();
        const std::string lijst = keuze >= 0 && keuze < LijstComboBox->Items()->Count()
                                      ? LijstComboBox->Items()->Get(keuze)
                                      : std::string("lijst");
        std::string waarom;
        if (!gekozen || gekozen->empty())
            waarom = "Geen " + lijst + " gekozen: dubbelklik er een op de pagina \"Edit groep\".";
        else if (!FileExists(*gekozen))
            waarom = ExtractFileName(*gekozen) + " bestaat niet meer: kies de lijst opnieuw.";
        else if ((keuze == lkNJRLeden || keuze == lkKnsbLeden) && !LedenFileFout(*gekozen).empty())
            waarom = LedenFileFout(*gekozen);
        else if (Leden().Count() == 0)
            waarom = ExtractFileName(*gekozen) + " bevat geen leden: is dit wel een " + lijst + "?";
        else
            waarom = ExtractFileName(*gekozen) + " bevat maar " + IntToStr(Leden().Count()) +
                     " leden; een lijst wordt getoond vanaf " + IntToStr(MinLedenVoorZoeken + 1) +
                     " leden.";
        StatusBar->SetPanelText(1, waarom);
    }
    Beep();
}

void TMainForm::ReadRatingList(bool KNSB) {
    LedenFileName = KNSB ? KnsbRatFileName : JeugdRatFileName;
    ::ReadRatingList(LedenFileName, Leden());
}

void TMainForm::ReadNJRLedenList() {
    LedenFileName = NJRLedenFileName;
    ::ReadNJRLedenList(*LedenGrid, LedenFileName, Leden());
}

void TMainForm::ReadKnsbLedenList() {
    // The member list carries no NJR rating: the group switches to youth.
    if (RatingType == rtNJR) {
        if (RatingRadio) RatingRadio->SetItemIndex(2); // "Jeugd"
        if (CurGroep) CurGroep->Rec.RatingType = rtJeugd;
        RatingType = rtJeugd;
        EditGroepBitBtnClick(nullptr);
    }
    LedenFileName = KnsbLedenFileName;
    ::ReadKnsbLedenList(*LedenGrid, LedenFileName, Leden(), [this](int Row) {
        StatusBar->SetPanelText(1, IntToStr(Row));
        Update();
    });
}

void TMainForm::ShowLedenlijst() {
    const bool knsbLeden = LijstComboBox->ItemIndex() >= lkKnsbLeden;
    std::string kop = "Rating";
    if (RatingRadio && RatingRadio->ItemIndex() >= 0 &&
        RatingRadio->ItemIndex() < RatingRadio->Items()->Count())
        kop = RatingRadio->Items()->Get(RatingRadio->ItemIndex());
    ::ShowLedenlijst(*LedenGrid, Leden(), knsbLeden, kop, [this](int Row) {
        StatusBar->SetPanelText(1, IntToStr(Row));
        Update();
    });
    StatusBar->SetPanelText(1, LedenStatusText(Leden(), LedenFileName));
}

void TMainForm::ZoekSpeedButtonClick(TObject*) {
    if (!ZoekSpeedButton->Enabled()) return;
    if (Trim(ZoekEdit->Text()).size() < 2)
        ZoekVanBoven(*LedenGrid);
    else
        ZoekLid();
}

void TMainForm::ZoekEditKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key == VK_RETURN)
        ZoekLid();
    else
        ZoekVanBoven(*LedenGrid); // the next search starts from the top
}

void TMainForm::ZoekLid() {
    const std::string text = ZoekTekst(ZoekEdit->Text());
    ZoekEdit->SetText(text);
    // The grid's search reads these as conditions and joins, not as letters of
    // a name.
    if (text.find_first_of("&;^|!<>=\"") != std::string::npos) {
        StatusBar->SetPanelText(1, "Zoek op (het begin van) de achternaam, zonder de tekens "
                                   "& ; ^ | ! < > = \".");
        return;
    }
    if (!::ZoekLid(*LedenGrid, text))
        StatusBar->SetPanelText(1, "Geen lid gevonden (verder in de lijst) waarvan de naam begint "
                                   "met \"" +
                                       text + "\".");
}

void TMainForm::SpEditGridDblClickCell(TObject*, int ARow, int ACol) {
    if (ACol != 1 || ARow < 1 || ARow >= SpEditGrid->RowCount()) return;
    const auto* speler = dynamic_cast<TSp*>(SpEditGrid->Objects(0, ARow));
    if (!speler || !speler->IsNotVrij()) return;
    if (LedenGrid->RowCount() > 1) {
        LedenGrid->SetRow(1);
        LedenGrid->SetCol(0);
    }
    Repaint();
    ZoekEdit->SetText(speler->Rec.Achternaam);
    ZoekSpeedButtonClick(ZoekSpeedButton);
}

void TMainForm::SpEditGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    const int row = ReturnChoosesRow(Key, Shift, *SpEditGrid);
    if (row >= 1) SpEditGridDblClickCell(Sender, row, 1); // the player's name
}

void TMainForm::LedenGridDblClickCell(TObject*, int ARow, int ACol) {
    TSp* lid = ARow >= 1 && ARow < LedenGrid->RowCount()
                   ? dynamic_cast<TSp*>(LedenGrid->Objects(0, ARow))
                   : nullptr;
    const auto* gekozen = SpEditGrid && SpEditGrid->Row() < SpEditGrid->RowCount()
                              ? dynamic_cast<TSp*>(SpEditGrid->Objects(0, SpEditGrid->Row()))
                              : nullptr;
    TSp* speler = gekozen && CurGroep ? CurGroep->Spelers.GetSpelerOnBergerNr(gekozen->Rec.BergerNr)
                                      : nullptr;
    if (lid && !speler)
        StatusBar->SetPanelText(1, CurGroep && CurGroep->Spelers.Count() > 0
                                       ? "Kies eerst rechts de speler die dit lid wordt."
                                       : "Geen groep: open een databestand of maak een nieuwe "
                                         "groep.");
    // One member twice in a group would be paired against himself and merge
    // into one line of the rating report.
    const TSp* al = lid && speler && lid->Rec.Relnr >= MinBondsRelnr
                        ? CurGroep->Spelers.GetSpeler(lid->Rec.Relnr)
                        : nullptr;
    if (al && al != speler) {
        ShowMessage(MemberInfoStr(*lid) + "\r\r" + "staat al in de groep als nummer " +
                    IntToStr(al->Rec.BergerNr) + "." + "\r" +
                    "Een lid kan maar \xE9\xE9n keer in de groep staan.");
        lid = nullptr;
    }
    // A new group's empty players are filled without a question; a player who
    // has a name is only replaced after a Yes.
    const bool vragen =
        speler && (!NewGroepFlag || !Trim(MakeNaam(speler->Rec, nmAchternaamEerst)).empty());
    if (lid && speler &&
        (!vragen || MessageDlg(MemberInfoStr(*speler) + "\r\r" + "vervangen door:" + "\r\r" +
                                   MemberInfoStr(*lid) + "\r",
                               mtConfirmation, mbYesNo) == mrYes)) {
        CopyLidToSpeler(lid->Rec, speler->Rec);
        // The games keep pointing at the player and carry his new number.
        CurGroep->LinkSpelers();
        CurGroep->Modified = true;
        int row = SpEditGrid->Row();
        FillSpEditGrid();
        if (NewGroepFlag && row < SpEditGrid->RowCount() - 1) ++row;
        if (row >= 1 && row < SpEditGrid->RowCount()) {
            SpEditGrid->SetRow(row);
            FillEditBoxes(dynamic_cast<TSp*>(SpEditGrid->Objects(0, row)));
        }
        ZoekEdit->SetText("");
        if (LedenGrid->RowCount() > 2) {
            LedenGrid->SetRow(1);
            LedenGrid->SetCol(1);
        }
        if (ZoekEdit->CanFocus()) ZoekEdit->SetFocus();
        Beep();
    }
    CheckSpelersNamen();
}

void TMainForm::LedenGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift) {
    const int row = ReturnChoosesRow(Key, Shift, *LedenGrid);
    if (row >= 1) LedenGridDblClickCell(Sender, row, LedenGrid->Col());
}

void TMainForm::LedenGridCanEditCell(TObject*, int, int, bool& CanEdit) {
    CanEdit = false;
}

void TMainForm::LedenGridGetAlignment(TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
    if (ACol > 1) HAlign = taCenter;
}
