// The event dispatchers: each calls its handler when one is assigned and
// otherwise does what the component does without one (asking through the
// dialog service where a question is needed).
#include "platform/rtl/dialogs.h"
#include "platform/rtl/files.h"
#include "platform/rtl/tempfiles.h"
#include "zaarchiver.h"
#include "zalabel.h"

void TZABaseArchiver::DoOverallProgress(double Progress, TZAProcessOperation Op,
                                        TZAProgressPhase Phase, bool& Cancel) {
    Cancel = false;
    if (OnOverallProgress) OnOverallProgress(this, Progress, Op, Phase, Cancel);
}

void TZABaseArchiver::DoFileProgress(const std::string& Name, double Progress,
                                     TZAProcessOperation Op, TZAProgressPhase Phase, bool& Cancel) {
    Cancel = false;
    if (OnFileProgress) OnFileProgress(this, ShownName(Name), Progress, Op, Phase, Cancel);
}

void TZABaseArchiver::DoCopyTempFileProgress(double Progress, TZAProgressPhase Phase,
                                             bool& Cancel) {
    Cancel = false;
    if (OnCopyTempFileProgress) OnCopyTempFileProgress(this, Progress, Phase, Cancel);
}

void TZABaseArchiver::DoConfirmOverwrite(const std::string& Source, std::string& Dest,
                                         bool& Confirm) {
    if (OnConfirmOverwrite) {
        OnConfirmOverwrite(this, Source, Dest, Confirm);
        return;
    }
    const int r =
        MessageDlg(Format("Overwrite file \"%s\" with \"%s\"", Dest.c_str(), Source.c_str()),
                   mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbNoToAll, mbYesToAll});
    Confirm = r == mrYes || r == mrYesToAll;
    if (r == mrYesToAll) FOptions.OverwriteMode = omAlways;
    if (r == mrNoToAll) FOptions.OverwriteMode = omNever;
}

void TZABaseArchiver::DoConfirmProcessFile(const std::string& Name, TZAProcessOperation Op,
                                           bool& Confirm) {
    Confirm = true;
    if (OnConfirmProcessFile) OnConfirmProcessFile(this, ShownName(Name), Op, Confirm);
}

void TZABaseArchiver::DoPassword(const std::string& Name, std::string& NewPassword,
                                 bool& SkipFile) {
    if (OnPassword) {
        OnPassword(this, Name, NewPassword, SkipFile);
        return;
    }
    std::string value = NewPassword;
    const bool ok = DialogService().InputQuery(Format("Password for \"%s\"", Name.c_str()),
                                               "Enter password: ", value, true);
    if (ok) NewPassword = value;
    SkipFile = !ok;
}

void TZABaseArchiver::DoProcessFileFailure(const std::string& Name, TZAProcessOperation Op,
                                           int NativeError, int ErrorCode, const std::string& Msg,
                                           TZAAction& Action) {
    Action = fxaIgnore;
    if (OnProcessFileFailure) {
        OnProcessFileFailure(this, ShownName(Name), Op, NativeError, ErrorCode, Msg, Action);
        return;
    }
    const int r =
        MessageDlg(Format("%s. File processing error, possibly disk is full", Msg.c_str()), mtError,
                   mbAbortRetryIgnore);
    Action = r == mrRetry ? fxaRetry : r == mrIgnore ? fxaIgnore : fxaAbort;
}

void TZABaseArchiver::DoRequestBlankVolume(int Number, std::string& Name, bool& Cancel) {
    Name = MakeVolumeFileName(FileName, Number - 1, false);
    if (OnRequestBlankVolume) {
        OnRequestBlankVolume(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg(Format("Please insert a blank disk #%d", Number), mtConfirmation,
                            mbOKCancel) != mrOk;
    else
        Cancel = false;
}

void TZABaseArchiver::DoRequestFirstVolume(std::string& Name, bool& Cancel) {
    if (OnRequestFirstVolume) {
        OnRequestFirstVolume(this, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg("Please insert the first disk", mtConfirmation, mbOKCancel) != mrOk;
    else
        Cancel = !FileExists(Name) && FOpenMode != fmCreate;
}

void TZABaseArchiver::DoRequestLastVolume(std::string& Name, bool& Cancel) {
    if (OnRequestLastVolume) {
        OnRequestLastVolume(this, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        Cancel = MessageDlg("Please insert the last disk", mtConfirmation, mbOKCancel) != mrOk;
        while (!Cancel && !FileExists(Name))
            Cancel = MessageDlg(Format("File '%s' not found on inserted disk. Please insert last "
                                       "disk with required file",
                                       Name.c_str()),
                                mtConfirmation, mbOKCancel) != mrOk;
    } else {
        Cancel = !FileExists(Name);
    }
}

void TZABaseArchiver::DoRequestMiddleVolume(int Number, std::string& Name, bool& Cancel) {
    if (OnRequestMiddleVolume) {
        OnRequestMiddleVolume(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning)
        Cancel = MessageDlg(Format("Please insert disk #%d", Number), mtConfirmation, mbOKCancel) !=
                 mrOk;
    else
        Cancel = !FileExists(Name);
}

void TZABaseArchiver::DoDiskFull(int Number, const std::string& Name, bool& Cancel) {
    if (OnDiskFull) {
        OnDiskFull(this, Number, Name, Cancel);
        return;
    }
    if (FSpanningMode == smSpanning) {
        const long long need = FSpanningOptions.VolumeSizeFor(Number - 1);
        const long long have = FreeSpace(Name);
        Cancel = MessageDlg(Format("Disk is full. Required free space: %lld bytes, but available "
                                   "only: %lld bytes. Clean the disk or find another blank disk",
                                   need, have),
                            mtConfirmation, mbOKCancel) != mrOk;
    } else {
        Cancel = true;
    }
}

void TZABaseArchiver::DoStoreFile(std::string& Name, uint32_t& Attr, std::string& Comment,
                                  const std::string& Original) {
    if (!OnStoreFile) return;
    std::string shown = ShownName(Name);
    OnStoreFile(this, shown, Attr, Comment, Original);
    for (char& c : shown)
        if (c == '\\') c = '/';
    Name = shown;
}

void TZABaseArchiver::DoExtractFile(std::string& Name, uint32_t& Attr, const std::string& Comment) {
    if (OnExtractFile) OnExtractFile(this, Name, Attr, Comment);
}

void TZABaseArchiver::SetVolumeLabel(const std::string& VolumeFile, const std::string& Label) {
    ZASetMediumLabel(VolumeFile, Label);
}

bool TZABaseArchiver::IsRemovableMedium(const std::string& Path) {
    return IsRemovablePath(Path);
}

int64_t TZABaseArchiver::FreeSpace(const std::string& Path) {
    return DiskFree(ExtractFilePath(ExpandFileName(Path)));
}
