// The main window's data files: activation (settings, data folder, the last
// file), opening and saving a group data file, the close question, the other
// windows and the new-group road, and the example archives.

#include <algorithm>
#include <vector>

#include "app/bergerform.h"
#include "app/groepsave.h"
#include "app/mainform.h"
#include "app/mainform_zip.h"
#include "app/newgroepform.h"
#include "app/rarapportform.h"
#include "app/standform.h"
#include "app/uitslagform.h"
#include "grid/columngrid.h"
#include "model/dates.h"
#include "model/fileutils.h"
#include "model/groupfile.h"
#include "model/names.h"
#include "platform/rtl/files.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttons.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/filectrl.h"
#include "platform/vcl/listctrls.h"
#include "platform/vcl/qtdialogs.h"
#include "platform/vcl/stdctrls.h"

namespace {

const char* const VoorbeeldBestand = "Snelschaken 2016-04-20 A.csv";

void EnableIf(TControl* Control, bool Value) {
    if (Control) Control->SetEnabled(Value);
}

std::string JoinDataMap(const std::string& Name) {
    if (Name.empty() || Name[0] == PathDelim) return Name; // kept with its folder
    return IncludeTrailingPathDelimiter(DataMap) + Name;
}

// A federation list kept by its name alone that is not in the data folder: the
// one of that name in the data root or one of its sub-folders, where the list
// trees offer them (settings written before lists kept their folder).
std::string FindLijst(const std::string& File) {
    if (File.empty() || FileExists(File)) return File;
    const std::string naam = ExtractFileName(File);
    const std::string root = GetDataRoot();
    if (FileExists(root + "/" + naam)) return root + "/" + naam;
    for (const std::string& sub : ListSubFolders(root))
        if (FileExists(root + "/" + sub + "/" + naam)) return root + "/" + sub + "/" + naam;
    return File;
}

bool SamePath(const std::string& A, const std::string& B) {
    return ExcludeTrailingPathDelimiter(ExpandFileName(A)) ==
           ExcludeTrailingPathDelimiter(ExpandFileName(B));
}

} // namespace

bool TMainForm::GroepChanged(std::string& Diff) const {
    Diff.clear();
    if (!CurGroep || !FSavedGroep) return false;
    // A group with a file has changed when its file would: a value put back,
    // or a window that only showed the group, leaves nothing to save.
    if (FSavedInhoud) {
        if (GroepFileInhoud(*CurGroep) == *FSavedInhoud) return false;
        GroepIsSame(*CurGroep, *FSavedGroep, Diff);
        return true;
    }
    if (CurGroep->Modified) return true;
    return !CurGroep->IsEmpty() && !GroepIsSame(*CurGroep, *FSavedGroep, Diff);
}

void TMainForm::KeepSavedGroep(bool InBestand) {
    CopyGroep(*CurGroep, *FSavedGroep);
    if (InBestand)
        FSavedInhoud = GroepFileInhoud(*CurGroep);
    else
        FSavedInhoud.reset();
}

void TMainForm::FormActivate(TObject*) {
    // The start-up sequence needs the state FormCreate makes; a window shown
    // without it (a test of one page) has nothing to start.
    if (Activated || !FSavedGroep) return;
    Activated = true;
    ReadSettings();
    if (!DirectoryExists(DataMap)) DataMap = GetCurrentDir();
    LastDataFile = JoinDataMap(LastDataFile);
    if (!LastDataFile.empty() && !FileExists(LastDataFile)) LastDataFile.clear();
    StoredInfo.FileName = LastDataFile;
    for (std::string* lijst :
         {&KnsbRatFileName, &JeugdRatFileName, &NJRLedenFileName, &KnsbLedenFileName})
        *lijst = FindLijst(JoinDataMap(*lijst));

    const std::string root = GetDataRoot();
    if (SamePath(DataMap, GetCurrentDir()) && DirectoryExists(root)) {
        DataMap = root;
        const std::string voorbeeld = root + "/Voorbeeld";
        if (!DirectoryExists(voorbeeld)) ForceDirectories(voorbeeld);
        if (DirectoryExists(voorbeeld)) {
            DataMap = voorbeeld;
            if (ValidFileExists(voorbeeld + "/" + VoorbeeldBestand))
                LastDataFile = voorbeeld + "/" + VoorbeeldBestand;
        }
    }
    DirectoryListBox->SetDirectory(DataMap);
    FileListBox->SetDirectory(DataMap);
    SaveDialog->InitialDir = DataMap;

    if (RatingRadio && StoredRatingRadio >= 0 && StoredRatingRadio < RatingRadio->Items()->Count())
        RatingRadio->SetItemIndex(StoredRatingRadio);
    if (LijstComboBox && StoredKiesLijst >= 0 && StoredKiesLijst < LijstComboBox->Items()->Count())
        LijstComboBox->SetItemIndex(StoredKiesLijst);
    for (std::string* lijst :
         {&KnsbRatFileName, &JeugdRatFileName, &NJRLedenFileName, &KnsbLedenFileName})
        if (!ValidFileExists(*lijst)) lijst->clear();

    const TDateTime datum = StrToDatum(doJMD, StoredDateFirstRound);
    CurGroep->Rec.DatumEersteRonde = datum < EncodeDate(1904, 1, 1) ? Date() : datum;

    FillListTrees();
    // The first group has no tie-break criteria of its own: without the default
    // ones its list stays empty and its standings keep the draw order.
    if (SortCheckBox) FillSortCheckBox();
    KeepSavedGroep(false);
    FormResize(nullptr);
    EditGroepBitBtnClick(nullptr);
    NewGroepBitBtn->SetEnabled(true);
    UpdateFileButtons();
    Beep();

    if (LastDataFile.empty() || !FileExists(LastDataFile)) return;
    FileListBox->ClearSelection();
    FileListBox->SetItemIndex(-1);
    const std::string naam = ExtractFileName(LastDataFile);
    for (int i = 0; i < FileListBox->Count(); ++i)
        if ((*FileListBox->Items())[i] == naam) {
            FileListBox->SetItemIndex(i);
            break;
        }
    if (FileListBox->ItemIndex() >= 0) FileListBoxDblClick(nullptr);
}

bool TMainForm::AskSaveChanges() {
    std::string diff;
    if (!GroepChanged(diff)) return true;
    // Cancel (and Escape, which a question without it reads as No) keeps the
    // changed group open instead of dropping it.
    const int antwoord = MessageDlg(std::string("\r") + "Zijn gewijzigd, Data bewaren ?" + "\r",
                                    mtConfirmation, mbYesNoCancel);
    if (antwoord == mrNo) return true;
    if (antwoord != mrYes) return false;
    SaveDataBitBtnClick(nullptr);
    return FLastSaveDone;
}

void TMainForm::FileListBoxDblClick(TObject*) {
    // Taken before the save question: saving refreshes the file list, which
    // loses its selection, and the file asked for must still open.
    const std::string file = FileListBox->FileName();
    if (file.empty()) return;
    // A cancelled or failed save keeps the changed group: nothing is opened over it.
    if (!AskSaveChanges()) return;
    ReadFout.clear();
    // The reader says why it refuses a file (no group file, too large, a
    // crosstable whose rows were moved); the open group then stays as it was.
    ReadFout = FileInUseReason(file);
    const bool inGebruik = !ReadFout.empty();
    if (inGebruik || !ValidFileExists(file) || !ReadGroepFromGrid(file)) {
        ShowMessage(ExtractFileName(file) + "\r\r" + "Kan bestand niet openen." +
                    (ReadFout.empty() ? "" : "\r" + ReadFout));
        return;
    }

    LastDataFile = file;
    KeepSavedGroep(true);
    EnableIf(ZetSpDataBitBtn, true);
    EnableIf(ZetVrijBitBtn, true);
    SaveDataBitBtn->SetEnabled(true);
    const TSpList& spelers = CurGroep->Spelers;
    bool namen = spelers.Count() >= 4;
    for (int i = 0; namen && i < spelers.Count(); ++i)
        namen = !MakeNaam(spelers.Sp(i)->Rec, CurGroep->Rec.NaamMode).empty();
    if (namen) {
        if (CurGroep->GetNrEmptyGames() > 0)
            UitslagenBitBtnClick(nullptr);
        else
            StandBitBtnClick(nullptr);
    } else if (ValidFileExists(file)) {
        PageControl->SetActivePage(SpelersSheet);
        PageControlChange(nullptr);
    }
}

void TMainForm::SaveDataBitBtnClick(TObject*) {
    FLastSaveDone = SaveGroepWithDialog(*CurGroep, *SaveDialog);
    if (FLastSaveDone) {
        LastDataFile = CurGroep->Rec.FileName;
        SaveDataBitBtn->SetEnabled(false);
        Beep();
        // A refused overwrite or a failed write leaves the group unsaved, so the
        // close still asks.
        KeepSavedGroep(true);
        ShowSavedFolder();
    }
    UpdateFileButtons();
}

void TMainForm::ShowSavedFolder() {
    // The settings keep the last data file by its name in the folder shown; a
    // file of the same name there would be opened in its place at the next start.
    const std::string map = ExtractFileDir(LastDataFile);
    if (map.empty() || !DirectoryExists(map) || SamePath(map, DirectoryListBox->Directory()))
        return;
    DirectoryListBox->SetDirectory(map);
    DirectoryListBoxClick(nullptr);
}

void TMainForm::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
    std::string diff;
    // Cancel (and Escape, which a question without it reads as No) keeps the
    // program open with the changes rather than closing without them.
    const int antwoord = GroepChanged(diff)
                             ? MessageDlg("Groep: " + CurGroep->Rec.Naam + "\r\r" + diff + "\r" +
                                              "Gegevens zijn gewijzigd, Data bewaren ?" + "\r",
                                          mtConfirmation, mbYesNoCancel)
                             : mrNo;
    if (antwoord != mrYes && antwoord != mrNo) {
        CanClose = false;
        return;
    }
    if (antwoord == mrYes) {
        SaveDataBitBtnClick(nullptr);
        // The director wanted the group kept: a cancelled or failed save keeps
        // the window open rather than dropping it.
        if (!FLastSaveDone) {
            CanClose = false;
            return;
        }
    }
    WriteSettings();
}

namespace {

// Runs one of the other windows modally with the players taken from the grid and
// the games linked to them; the file selection survives the refresh after.
template <class Show> void ShowWindow(TMainForm& F, Show&& ShowIt) {
    const int index = F.FileListBox->ItemIndex();
    const std::string map = F.FileListBox->Directory();
    F.ReadSpEditGrid();
    CurGroep->LinkSpelers();
    ShowIt();
    F.UpdateFileButtons();
    if (index >= 0 && index < F.FileListBox->Count() && F.FileListBox->Directory() == map)
        F.FileListBox->SetItemIndex(index);
}

} // namespace

void TMainForm::UitslagenBitBtnClick(TObject*) {
    ShowWindow(*this, [this] {
        if (!UitslagForm) return;
        UitslagForm->ShowModal();
        if (!UitslagForm->Changed()) return;
        // Saved from the results window: what is on disk is what the close
        // question must compare with.
        if (CurGroep->Modified) {
            SaveDataBitBtn->SetEnabled(true);
        } else {
            // As after a save here: the next start reopens what was saved last.
            LastDataFile = CurGroep->Rec.FileName;
            KeepSavedGroep(true);
            ShowSavedFolder();
        }
    });
}

void TMainForm::StandBitBtnClick(TObject*) {
    ShowWindow(*this, [] {
        if (StandForm) StandForm->ShowModal();
    });
}

void TMainForm::RaRapportBitBtnClick(TObject*) {
    ShowWindow(*this, [] {
        if (RaRapportForm) RaRapportForm->ShowModal();
    });
}

void TMainForm::NewGrpBtnClick(TObject*) {
    if (ZVNewGroepForm) ZVNewGroepForm->ShowModal();
}

void TMainForm::NewGroepBitBtnClick(TObject*) {
    // A new group replaces the current one: its changes are offered for saving
    // first, and a cancelled save stops the road.
    if (!AskSaveChanges()) return;
    const std::string oud = UpperCase(CurGroep->Rec.Naam);
    if (!BergerForm) return;
    BergerForm->ShowModal();
    if (!BergerForm->Made()) return;
    NewGroepFlag = true;
    SaveDataBitBtn->SetEnabled(true);
    CurGroep->Rec.FileName = GroepFileName(CurGroep->Rec.Naam);
    if (GroepNaamEdit) GroepNaamEdit->SetText(CurGroep->Rec.Naam);
    if (RatingRadio) {
        static const int radio[RatingTypeCount] = {0, 2, 1, 3}; // KNSB, Jeugd, FIDE, NJR
        if (CurGroep->Rec.RatingType < RatingTypeCount)
            RatingRadio->SetItemIndex(radio[CurGroep->Rec.RatingType]);
    }
    CheckSpelersNamen();
    EnableIf(ZetSpDataBitBtn, true);
    EnableIf(ZetVrijBitBtn, true);
    // The new group starts with the usual tie-breaks, and the list shows its own
    // criteria, so that the director's choices there reach this group.
    FillSortCheckBox();
    KeepSavedGroep(false);
    MakeReadGridTemplate();
    FillEditBoxes(nullptr);
    EditGroepBitBtnClick(nullptr);
    if (!oud.empty() && oud == UpperCase(CurGroep->Rec.Naam)) {
        ShowMessage(std::string("De naam van de groep is NIET veranderd.") + "\r\r" +
                    "Verander evt. deze naam." + "\r");
        PageControl->SetActivePageIndex(1);
    } else {
        PageControl->SetActivePageIndex(2);
    }
    PageControlChange(nullptr);
}

namespace {

// The archive as it is now: size and time of its last change.
std::string ArchiefStempel(const std::string& Archive) {
    const TFileStamp stamp = FileStampOf(Archive);
    return IntToStr(static_cast<int64_t>(stamp.Size)) + "-" + IntToStr(stamp.MTimeNs);
}

} // namespace

void TMainForm::UnzipExample(const std::string& ArchivePath) {
    if (UpperCase(ExtractFileExt(ArchivePath)) != ".ZIP") return;
    // An archive that was refused, or kept because not all of it could be
    // unpacked, is asked about once: again only when it is another one.
    const std::string stempel = ArchiefStempel(ArchivePath);
    if (VoorbeeldStempel(ArchivePath) == stempel) return;
    std::string base = GetDataRoot();
    if (!DirectoryExists(base)) base = GetProgramDir();
    base = ExcludeTrailingPathDelimiter(base);
    if (MessageDlg("Unzip " + ArchivePath + "\r" + "in map: " + base, mtConfirmation, mbYesNo) !=
        mrYes) {
        OnthoudVoorbeeld(ArchivePath, stempel);
        return;
    }
    // A damaged archive must not stop the program from starting; it stays for
    // another try, and so does one of which any item was not unpacked.
    std::vector<std::string> fouten;
    try {
        fouten = ExtractArchive(*ZipArchiver, ArchivePath, base);
    } catch (const Exception&) {
        OnthoudVoorbeeld(ArchivePath, stempel);
        ShowMessage(GetShortPath(ArchivePath) + "\r\r" + "Kan het voorbeeld niet uitpakken.");
        return;
    }
    if (!fouten.empty()) {
        OnthoudVoorbeeld(ArchivePath, stempel);
        std::string tekst =
            GetShortPath(ArchivePath) + "\r\r" +
            "Het voorbeeld is niet helemaal uitgepakt; het archief blijft bewaard." + "\r";
        for (const std::string& f : fouten)
            tekst += "\r" + f;
        ShowMessage(tekst);
        return;
    }
    DeleteFile(ArchivePath);
    OnthoudVoorbeeld(ArchivePath, "");
    Beep();
}
