#pragma once
// The main window: it owns the tournament state for the whole run (the current
// group and its saved copy, the member list), opens and saves group data files,
// keeps the settings file and starts every other window. Its pages are built by
// the units that work on them: the data-file page, help and debug pages here
// (mainform.cpp), group settings and players (mainform_spelers.cpp), the
// federation lists (mainform_leden.cpp), the settings file
// (mainform_settings.cpp).

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "grid/columngrid.h"
#include "grid/support/cellprops.h"
#include "model/group.h"
#include "model/player.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/stdctrls.h"

class TBitBtn;
class TCheckBox;
class TCheckListBox;
class TComboBox;
class TCustomIniFile;
class TMemIniFile;
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
    // Return does by keyboard what a double click on the file or the button
    // "Maak" does.
    void FileListBoxKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void MakeMapEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void PageControlChange(TObject* Sender);
    void UnzipExample(const std::string& ArchivePath);
    bool IsReadGridColumnEmpty(int Column);
    int FindReadGridRow(const std::string& Name);
    // Loads a group data file into the work grid and reads the group from it.
    bool ReadGroepFromGrid(const std::string& FileName);
    // Why the last file read was refused (empty when the reader did not say).
    std::string ReadFout;
    void CheckSpelersNamen();
    void UpdateFileButtons();
    // After a save into another folder: the folder and file lists show that
    // folder, where the next start looks for the last data file.
    void ShowSavedFolder();
    // The work grid's answers and its paste.
    void ReadGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void ReadGridClipboardPaste(TObject* Sender, bool& Allow);
    void ReadGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                              TVAlignment& VAlign);
    // The empty work grid with the headings of a group data file, and the columns
    // of those headings in the current group's column map.
    void MakeReadGridTemplate();
    void FillKolomNrAr();
    // True when the current group holds changes that a save would keep; Diff names
    // the differing parts.
    bool GroepChanged(std::string& Diff) const;
    // Takes the saved copy of the current group; InBestand: the group is as it
    // was just read from or saved to its file.
    void KeepSavedGroep(bool InBestand);
    // Group name and information in the status bar.
    void ShowGroepStatus();
    // Offers to save a changed group before it is replaced; false when the
    // director chose to save and the group was not saved.
    bool AskSaveChanges();
    // True when the last SaveDataBitBtnClick wrote the file.
    bool LastSaveDone() const { return FLastSaveDone; }

    // --- settings file (mainform_settings.cpp) ---
    // Each pass reads or writes the file once: a save is one atomic replace,
    // so the file holds all of it or all of the one before. A file that cannot
    // be written where it belongs goes to the configuration folder; the
    // director is told when that happens and when it cannot be written at all.
    void WriteSettings();
    void ReadSettings();
    // What the settings keep of an example archive: the archive as it was when
    // the director was last asked about it (its size and time). Remembered for
    // the close, which writes it with the other keys; empty forgets it.
    std::string VoorbeeldStempel(const std::string& Archive);
    void OnthoudVoorbeeld(const std::string& Archive, const std::string& Stempel);
    void WriteFormSettings(TCustomIniFile& Ini, const std::string& Section, TCustomForm* Form);
    void ReadFormSettings(const TCustomIniFile& Ini, const std::string& Section, TCustomForm* Form);
    // The settings file: beside the program when it can be written there (the
    // folder writable, the file not read-only), else in the program's
    // configuration folder. The environment variable VZ_SETTINGS_FILE, when
    // set, names the file beside the program instead (tests keep their
    // settings in a temporary folder). The start reads the one of the two
    // written last.
    static std::string SettingsFileName();
    // Held back from the settings file until the data folder is set.
    int StoredRatingRadio = 0;
    int StoredKiesLijst = 0;
    std::string StoredDateFirstRound;
    // The tournament's facts the settings file keeps, and (FileName) the data
    // file of the group they were written from: only that group takes them.
    TGroepRec StoredInfo;

    // --- group settings and players page (mainform_spelers.cpp) ---
    void CreateGroepControls();   // on GroepPanel of "Edit groep"
    void CreateSpelersControls(); // on SpelersPanel of "Spelers"
    void EditGroepBitBtnClick(TObject* Sender);
    void SelNaamRadioClick(TObject* Sender);
    void FillSpEditGrid();
    void ReadSpEditGrid();
    void FillEditBoxes(TSp* Speler);
    void FillSortCheckBox();
    // The current group's own settings (name, series points, criteria) into the
    // "Edit groep" controls; after a group was read, before EditGroepBitBtnClick,
    // which would otherwise give it the settings of the group shown before.
    void ShowGroepSettings();
    // The player record of the edit fields for draw number Row.
    void ReadEditBoxes(int Row, TSpRec& Rec);
    // The player of the grid's current row, or nullptr (fewer than 2 players, or
    // the row does not hold the player with its draw number).
    TSp* GetEditPlayer();
    void SpEditGridSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
    void SpEditGridCanEditCell(TObject* Sender, int ARow, int ACol, bool& CanEdit);
    void SpEditGridGetAlignment(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                                TVAlignment& VAlign);
    void ZetSpDataBitBtnClick(TObject* Sender);
    void ZetVrijBitBtnClick(TObject* Sender);
    void SpVoorNaamEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void SpFamNaamEditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void OmhoogMenuClick(TObject* Sender);
    void OmlaagMenuClick(TObject* Sender);
    // Exchanges the selected player's draw number N with N - Stap.
    void MoveSpeler(int Stap);
    void PlaatsVrijMenuClick(TObject* Sender);
    void WegVrijMenuClick(TObject* Sender);
    void AddSortLine(TSortId SortId, bool Checked);
    void SortCheckBoxClick(TObject* Sender);
    void UpSortButtonClick(TObject* Sender);
    void DownSortButtonClick(TObject* Sender);
    void MoveSortLine(int Stap);
    // Exchanges the criteria on list lines A and B = A + 1.
    void SwapSortEntries(int A, int B);

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
    // Return on a player's row searches his surname, as a double click on his
    // name does.
    void SpEditGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // Takes the member of the row into the player selected in SpEditGrid.
    void LedenGridDblClickCell(TObject* Sender, int ARow, int ACol);
    // Return on a member's row takes him, as a double click does.
    void LedenGridKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
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
    // The activation sequence runs once per start: a later activation (back from
    // another program) must not reset the folder or reopen the last file.
    bool Activated = false;

    // --- controls ---
    // Every button is a button that takes the focus (the design's speed
    // buttons too), so that Tab reaches every action.
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
    TBitBtn* WegSpeedButton = nullptr;
    TGroupBox* MakeMapBox = nullptr;
    TEdit* MakeMapEdit = nullptr;
    TBitBtn* NewMapSpeedButton = nullptr;
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
    TBitBtn *UpSortButton = nullptr, *DownSortButton = nullptr;
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
    TBitBtn* ZoekSpeedButton = nullptr;
    TComboBox* LijstComboBox = nullptr;
    TBitBtn* SpeedButton1 = nullptr;
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
    // What the group's file held when it was read or last saved, as the group
    // writes it; none for a group that has no file yet.
    std::optional<std::string> FSavedInhoud;
    bool FLastSaveDone = false;
    // The player the edit fields were filled from and the rating kind of their
    // rating field: "Zet" writes to him only, and only into that kind. Compared,
    // never followed.
    const TSp* FEditSpeler = nullptr;
    // Why "Uitslagen", "Stand" and "Rating rapport" are grey (empty when not).
    std::string FNamenFout;
    TRatingType FEditRatingType = rtKNSB;
    // The settings file as the start read it, once, until the activation has
    // taken what it needs; and the example archives asked about in this run.
    std::unique_ptr<TMemIniFile> FStartSettings;
    std::map<std::string, std::string> FVoorbeelden;
    const TMemIniFile& StartSettings();
};

extern TMainForm* MainForm;
