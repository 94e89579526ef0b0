#pragma once
// Keeps a second copy of the program from running: the second finds the
// first, asks it to come forward and ends.

#include <memory>
#include <string>

#include "desktop/dkclasses.h"

class TInstanceLock;
class TInstanceListener;

using TdkOneInstanceShowMessage = std::function<void(TObject* Sender)>;

class TdkOneInstance : public TdkComponent {
public:
    explicit TdkOneInstance(TComponent* AOwner);
    ~TdkOneInstance() override;
    std::string ClassName() const override { return "TdkOneInstance"; }

    bool ActivatePrevInstance = true;
    bool ExeNameAsIdentifier = false;
    std::string Message;
    std::string Identifier;
    bool ShowMessage = false;
    TdkOneInstanceShowMessage OnShowMessage;

    // The instance names: the program's name (or title) and Identifier, with
    // ".OneInstance." and a suffix ("CriticalSection", "Default"); every '\'
    // becomes '/'.
    std::string MutexName(const std::string& Suffix) const;
    // True when another instance runs; the first instance keeps its claim for
    // the rest of the run. At design time every program is the first.
    bool IsLaterInstance();
    // The message a later instance shows.
    void DoShowMessage();

protected:
    // A later instance shows the message, asks the first to come forward and
    // ends the application.
    void Loaded() override;

private:
    std::unique_ptr<TInstanceLock> FDefault; // held for the rest of the run
    std::unique_ptr<TInstanceListener> FListener;
    bool FChecked = false;
    bool FLater = false;
};
