#include "dkoneinstance.h"

#include "desktop/dksysutils.h"
#include "platform/desktop/instance.h"
#include "platform/desktop/windowshell.h"
#include "platform/rtl/files.h"
#include "platform/vcl/forms.h"

TdkOneInstance::TdkOneInstance(TComponent* AOwner) : TdkComponent(AOwner) {}

TdkOneInstance::~TdkOneInstance() = default;

std::string TdkOneInstance::MutexName(const std::string& Suffix) const {
    const std::string Base =
        (ExeNameAsIdentifier ? GetProgramFileName() : (Application ? Application->Title : "")) +
        Identifier + ".OneInstance.";
    return dkReplaceChar(Base, '\\', '/') + Suffix;
}

bool TdkOneInstance::IsLaterInstance() {
    if (Designing()) return false;
    if (FChecked) return FLater;
    FChecked = true;
    // The critical section keeps two programs starting together from both
    // taking themselves for the first; one that finds it taken is a later one.
    auto Section = TInstanceLock::TryAcquire(MutexName("CriticalSection"));
    if (!Section) return FLater = true;
    FDefault = TInstanceLock::TryAcquire(MutexName("Default"));
    FLater = !FDefault;
    if (!FLater)
        FListener = ListenForInstances(MutexName("Default"), [] {
            if (Application && Application->MainForm()) BringWindowForward(Application->MainForm());
        });
    return FLater;
}

void TdkOneInstance::DoShowMessage() {
    if (OnShowMessage) {
        OnShowMessage(this);
        return;
    }
    const std::string Title = Application ? Application->Title : "";
    const std::string Text = !Message.empty()
                                 ? Message
                                 : Format("Application \"%s\" is already running.", Title.c_str());
    if (Application) Application->MessageBox(Text, Title, MB_OK | MB_ICONEXCLAMATION);
}

void TdkOneInstance::Loaded() {
    TdkComponent::Loaded();
    if (!IsLaterInstance()) return;
    // A later instance ends before its window ever shows.
    if (Application) Application->ShowMainForm = false;
    if (ShowMessage) DoShowMessage();
    if (ActivatePrevInstance) AskInstanceToRaise(MutexName("Default"));
    if (Application) Application->Terminate();
}
