#pragma once
// Registers the program (or another) to start with the user's log-on or the
// machine's start.

#include <string>

#include "desktop/dkclasses.h"
#include "desktop/dkregistry.h"

class TdkAutoRun : public TdkComponent {
public:
    explicit TdkAutoRun(TComponent* AOwner);
    std::string ClassName() const override { return "TdkAutoRun"; }

    bool AutoRun() const { return FAutoRun; }
    void SetAutoRun(bool Value);
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value);
    TdkAutoExecKind Kind() const { return FKind; }
    void SetKind(TdkAutoExecKind Value);

    bool Register() { return dkRegisterAutoRun(FKind, FFileName); }
    bool Unregister() { return dkUnregisterAutoRun(FKind, FFileName); }
    bool Registered() const { return dkAutoRunRegistered(FKind, FFileName); }

protected:
    void Loaded() override;

private:
    // Unregisters with the old values, lets Change store the new one, and
    // registers again while AutoRun is set.
    template <class F> void Change(F&& Store);
    bool FAutoRun = false;
    std::string FFileName;
    TdkAutoExecKind FKind = aekMachineRun;
};
