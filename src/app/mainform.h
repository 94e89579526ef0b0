#pragma once
// The main window: it owns the tournament state for the whole run (the current
// group and its saved copy, the member list), opens and saves group data files,
// keeps the settings file and starts every other window. Its pages are built by
// the units that work on them: the data-file page, help and debug pages here
// (mainform.cpp), group settings and players (mainform_spelers.cpp), the
// federation lists (mainform_leden.cpp), the settings file
// (mainform_settings.cpp).

#include <memory>
#include <string>

#include "grid/support/cellprops.h"
#include "model/group.h"
#include "model/player.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TBitBtn;
class TCheckBox;
class TCheckListBox;
class TComboBox;
class TDirectoryListBox;
class TDriveComboBox;
class TEdit;
class TExtColumnGrid;
class TExtStringGrid;
class TFileListBox;
class TGroupBox;
class TLabel;
class TMemo;
class TMenuItem;
class TPageControl;
class TPanel;
class TPopupMenu;
class TRadioGroup;
class TSaveDialog;
class TSpeedButton;
class TSplitter;
class TStatusBar;
class TTabSheet;
class TTreeView;
class TZipArchiver;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* AOwner);
    ~TMainForm() override;
    std::string ClassName() const override { return "TMainForm"; }

    // --- lifecycle and data-file page (mainform.cpp) ---
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void FormResize(TObject* Sender);
    void FileListBoxDblClick(TObject* Sender);
    void FileListBoxClick(TObject* Sender);
    void DirectoryListBoxClick(TObject* Sender);
    void SaveDataBitBtnClick(TObject* Sender);
    void UitslagenBitBtnClick(TObject* Sender);
    void StandBitBtnClick(TObject* Sender);
    void RaRapportBitBtnClick(TObject* Sender);
    void NewGroepBitBtnClick(TObject* Sender);
    void NewGrpBtnClick(TObject* Sender);
    void WegSpeedButtonClick(TObject* Sender);
    void NewMapSpeedButtonClick(TObject* Sender);
    void MakeMapEditChange(TObject* Sender);
    void PageControlChange(TObject* Sender);
    void UnzipExample(const std::string& ArchivePath);
    bool IsReadGridColumnEmpty(int Column);
    int FindReadGridRow(const std::string& Name);
    // Loads a group data file into the work grid and reads the group from it.
    bool ReadGroepFromGrid(const std::string& FileName);
    void CheckSpelersNamen();
    void UpdateFileButtons();

    // --- settings file (mainform_settings.cpp) ---
    void WriteSettings();
    void ReadSettings();
    void WriteFormSettings(const std::string& Section, TCustomForm* Form);
    void ReadFormSettings(const std::string& Section, TCustomForm* Form);
    // The settings file: beside the program when that folder is writable, else
    // in the program's configuration folder.
    static std::string SettingsFileName();

    // --- group settings and players page (mainform_spelers.cpp) ---
    void CreateGroepControls();   // on GroepPanel of "Edit groep"
    void CreateSpelersControls(); // on SpelersPanel of "Spelers"
    void EditGroepBitBtnClick(TObject* Sender);
    void SelNaamRadioClick(TObject* Sender);
    void FillSpEditGrid();
    void ReadSpEditGrid();
    void FillEditBoxes(TSp* Speler);
    void FillSortCheckBox();

    // --- federation lists (mainform_leden.cpp) ---
    void CreateLijstControls(); // on LijstenPanel of "Edit groep"
    void CreateLedenControls(); // on LedenPanel of "Spelers"
    // Fills the four list trees from the data folder (activation).
    void FillListTrees();
    void KnsbRaTreeViewDblClick(TObject* Sender);
    void JeugdRaTreeViewDblClick(TObject* Sender);
    void NJRLedenTreeViewDblClick(TObject* Sender);
    void KNSBLedenTreeViewDblClick(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    // Loads the list chosen in LijstComboBox into LedenList and shows it.
    void LoadLedenList();
    void ReadRatingList(bool KNSB);
    void ReadNJRLedenList();
    void ReadKnsbLedenList();
    void ShowLedenlijst();
    void ZoekSpeedButtonClick(TObject* Sender);
    void ZoekEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void ZoekLid();
    void SpEditGridDblClickCell(TObject* Sender, int ARow, int ACol);
    // Takes the member of the row into the player selected in SpEditGrid.
    void LedenGridDblClickCell(TObject* Sender, int ARow, int ACol);
    void LedenGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void LedenGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                               TVAlignment& VAlign);
    // The member list, made on first use when the window has not made it yet.
    TSpList& Leden();
    std::string LedenFileName; // the list file loaded last
    TTabSheet *KNSBLedenSheet = nullptr, *KnsbRaSheet = nullptr, *JeugdRaSheet = nullptr,
              *NJRLedenSheet = nullptr;
    TGroupBox *KNSBLedenBox = nullptr, *KnsbRaBox = nullptr, *JeugdRaBox = nullptr,
              *NJRLedenBox = nullptr;
    TLabel *KNSBLedenLabel = nullptr, *KnsbRaLabel = nullptr, *JeugdRaLabel = nullptr,
           *NJRLedenLabel = nullptr;
    TTabSheet *ZoekSheet = nullptr, *LaadSheet = nullptr;

    // --- state (see the table of the main window's fields) ---
    TGroepList* GroepList() const { return FGroepList.get(); }
    TSpList* LedenList() const { return FLedenList.get(); }
    TGroep* SavedGroep() const { return FSavedGroep.get(); }
    bool NewGroepFlag = true;
    bool ReadGridEditable = true;
    int EditRow = -1;
    int FocusTarget = 0;
    double SplitterPercentage = 0;
    std::string KnsbRatFileName, JeugdRatFileName, NJRLedenFileName, KnsbLedenFileName;
    std::string LastDataFile;

    // --- controls ---
    TPageControl* PageControl = nullptr;
    TTabSheet *HoofdSheet = nullptr, *EditGroepSheet = nullptr, *SpelersSheet = nullptr,
              *HelpSheet = nullptr, *DebugSheet = nullptr;
    TStatusBar* StatusBar = nullptr;
    TSaveDialog* SaveDialog = nullptr;
    TZipArchiver* ZipArchiver = nullptr;
    // "Hoofdpagina"
    TDriveComboBox* DriveComboBox = nullptr;
    TDirectoryListBox* DirectoryListBox = nullptr;
    TGroupBox* FileBox = nullptr;
    TFileListBox* FileListBox = nullptr;
    TSpeedButton* WegSpeedButton = nullptr;
    TGroupBox* MakeMapBox = nullptr;
    TEdit* MakeMapEdit = nullptr;
    TSpeedButton* NewMapSpeedButton = nullptr;
    TBitBtn *SaveDataBitBtn = nullptr, *RaRapportBitBtn = nullptr, *NewGrpBtn = nullptr,
            *StandBitBtn = nullptr, *UitslagenBitBtn = nullptr, *NewGroepBitBtn = nullptr,
            *KlaarBitBtn = nullptr;
    // "Edit groep": the group settings on the left, the list trees on the right.
    TPanel* GroepPanel = nullptr;
    TPanel* LijstenPanel = nullptr;
    TGroupBox* GroepInfoBox = nullptr;
    TRadioGroup* RatingRadio = nullptr;
    TGroupBox* GroepNaamBox = nullptr;
    TEdit* GroepNaamEdit = nullptr;
    TBitBtn* EditGroepBitBtn = nullptr;
    TCheckBox* CalcZVCheckBox = nullptr;
    TRadioGroup* SelNaamRadio = nullptr;
    TGroupBox* SortBox = nullptr;
    TCheckListBox* SortCheckBox = nullptr;
    TSpeedButton *UpSortButton = nullptr, *DownSortButton = nullptr;
    TLabel* SortLabel = nullptr;
    TPageControl* LijstPageControl = nullptr;
    TTreeView *KNSBLedenTreeView = nullptr, *KnsbRaTreeView = nullptr, *JeugdRaTreeView = nullptr,
              *NJRLedenTreeView = nullptr;
    // "Spelers": the member list on the left, the group's players on the right.
    TPanel* LedenPanel = nullptr;
    TSplitter* Splitter = nullptr;
    TPanel* SpelersPanel = nullptr;
    TGroupBox* LedenBox = nullptr;
    TExtColumnGrid* LedenGrid = nullptr;
    TPageControl* LedenPageControl = nullptr;
    TEdit* ZoekEdit = nullptr;
    TSpeedButton* ZoekSpeedButton = nullptr;
    TComboBox* LijstComboBox = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TGroupBox* SpelersBox = nullptr;
    TExtColumnGrid* SpEditGrid = nullptr;
    TGroupBox* SpEditBox = nullptr;
    TEdit *SpFamNaamEdit = nullptr, *SpTVEdit = nullptr, *SpVoorNaamEdit = nullptr,
          *SpVLEdit = nullptr, *SpRelNrEdit = nullptr, *SpRatingEdit = nullptr,
          *SpGebJaarEdit = nullptr;
    TCheckBox* SpGenderBox = nullptr;
    TBitBtn *ZetSpDataBitBtn = nullptr, *ZetVrijBitBtn = nullptr;
    TPopupMenu* SpelersPopupMenu = nullptr;
    TMenuItem *OmhoogMenu = nullptr, *OmlaagMenu = nullptr, *PlaatsVrijMenu = nullptr,
              *WegVrijMenu = nullptr;
    // "Help" and "Debug"
    TMemo* HelpMemo = nullptr;
    TExtColumnGrid* ReadGrid = nullptr;
    TLabel* DebugLabel = nullptr;

private:
    std::unique_ptr<TGroepList> FGroepList;
    std::unique_ptr<TSpList> FLedenList;
    std::unique_ptr<TGroep> FCurGroep; // CurGroep points here while the window lives
    std::unique_ptr<TGroep> FSavedGroep;
};

extern TMainForm* MainForm;
