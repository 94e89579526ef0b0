#include "app/groepsave.h"

#include "model/fileutils.h"
#include "model/group.h"
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/qtdialogs.h"

bool SaveGroepWithDialog(TGroep& Groep, TSaveDialog& Dialog) {
    if (Trim(Groep.Rec.FileName).empty()) Groep.Rec.FileName = GroepFileName(Groep.Rec.Naam);
    Dialog.FileName = Groep.Rec.FileName;
    if (!Dialog.Execute()) return false;
    const std::string file = Dialog.FileName;
    // Another program's file is never written over: the save would be lost to it
    // or break its copy.
    if (IsFileInUse(file)) {
        ShowMessage(GetShortPath(file) + ": is reeds in gebruik door een ander programma." + "\r" +
                    "Sluit eerst het bestand");
        return false;
    }
    if (FileExists(file) &&
        MessageDlg(GetShortPath(file) + " bestaat reeds." + "\r\r" + "Overschrijven ?" + "\r",
                   mtConfirmation, mbYesNo) != mrYes)
        return false;
    try {
        // Written whole beside the old file, then put in its place.
        Groep.SaveGroepFile(file);
    } catch (const Exception&) {
        ShowMessage(GetShortPath(file) + "\r\r" + "Kan het bestand niet schrijven." + "\r" +
                    "De gegevens zijn niet bewaard.");
        return false;
    }
    return true;
}
