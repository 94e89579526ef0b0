#include "app/groepsave.h"

#include "model/fileutils.h"
#include "model/group.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/qtdialogs.h"

namespace {

bool SameFile(const std::string& A, const std::string& B) {
    return !A.empty() && !B.empty() &&
           ExpandFileName(ResolveLinks(ExpandFileName(A))) ==
               ExpandFileName(ResolveLinks(ExpandFileName(B)));
}

// Why the file cannot be written, in Dutch; empty when nothing stands in the way.
std::string WhyNotWritable(const std::string& File) {
    // Another program's file is never written over: the save would be lost to it
    // or break its copy.
    if (IsFileInUse(File))
        return GetShortPath(File) + ": is reeds in gebruik door een ander programma." + "\r" +
               "Sluit eerst het bestand";
    const std::string reden = NotWritableReason(File);
    // A folder that is gone is met by the write, whose message says the group
    // was not saved.
    if (reden.empty() || !DirectoryExists(ExtractFileDir(ResolveLinks(File)))) return {};
    return GetShortPath(File) + "\r\r" + reden + "\r" +
           (IsReadOnlyFile(File) ? "Bewaar de groep onder een andere naam of in een andere map."
                                 : "Bewaar de groep in een andere map.");
}

// The question before a file is written over that another program, or a
// second copy of this one, wrote since it was read or saved here, or just now,
// while the director was asked.
std::string GewijzigdVraag(const std::string& File, bool Zojuist) {
    return GetShortPath(File) +
           (Zojuist ? " is zojuist gewijzigd"
                    : " is gewijzigd sinds het hier werd geopend of bewaard") +
           "\r" + "(door een ander programma of een tweede Vivazozodi)." + "\r\r" +
           "Toch overschrijven ?" + "\r";
}

} // namespace

std::string NotWritableReason(const std::string& File) {
    if (IsReadOnlyFile(File)) return "Dit bestand is alleen-lezen.";
    const std::string map = ExtractFileDir(ResolveLinks(File));
    if (!map.empty() && !DirectoryExists(map)) return "De map bestaat niet.";
    if (!IsWritableDir(map)) return "De map is alleen-lezen.";
    return {};
}

bool SaveGroepWithDialog(TGroep& Groep, TSaveDialog& Dialog) {
    if (Trim(Groep.Rec.FileName).empty()) Groep.Rec.FileName = GroepFileName(Groep.Rec.Naam);
    Dialog.FileName = Groep.Rec.FileName;
    // Whichever window saves, a group not saved before goes where the file list
    // looks (the data folder), and a name typed without extension still gets
    // the one the list shows: anywhere else the director would not find it.
    if (!DataMap.empty()) Dialog.InitialDir = DataMap;
    Dialog.DefaultExt = "csv";
    if (!Dialog.Execute()) return false;
    const std::string file = Dialog.FileName;
    const std::string fout = WhyNotWritable(file);
    if (!fout.empty()) {
        ShowMessage(fout);
        return false;
    }
    // What the director is asked about, and so what a Yes may replace.
    TFileVersion verwacht = FileVersionOf(file);
    if (verwacht.Exists) {
        // The group's own file, written by someone else since it was read or
        // saved here (a second copy of the program): that work would be lost.
        const bool gewijzigd = Groep.DiskVersion.Exists && SameFile(file, Groep.Rec.FileName) &&
                               verwacht != Groep.DiskVersion;
        const std::string vraag =
            gewijzigd ? GewijzigdVraag(file, false)
                      : GetShortPath(file) + " bestaat reeds." + "\r\r" + "Overschrijven ?" + "\r";
        if (MessageDlg(vraag, mtConfirmation, mbYesNo) != mrYes) return false;
    }
    try {
        // Written whole beside the old file, then put in its place, unless the
        // file changed since the question: then the director is asked again.
        while (!Groep.SaveGroepFile(file, &verwacht)) {
            verwacht = FileVersionOf(file);
            if (MessageDlg(GewijzigdVraag(file, true), mtConfirmation, mbYesNo) != mrYes)
                return false;
        }
    } catch (const Exception&) {
        ShowMessage(GetShortPath(file) + "\r\r" + "Kan het bestand niet schrijven." + "\r" +
                    "De gegevens zijn niet bewaard.");
        return false;
    }
    return true;
}
