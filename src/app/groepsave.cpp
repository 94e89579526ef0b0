#include "app/groepsave.h"

#include "app/writable.h"
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
    if (const std::string fout = NotWritableMessage(file); !fout.empty()) {
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
        ShowMessage(WriteFailedMessage(file));
        return false;
    }
    return true;
}
