#pragma once
// Subclassing a control's window procedure: each hook sees every message
// before and after the procedure it replaced. Several hooks on one control
// chain in the order they were activated; any one can leave the chain.

#include <functional>
#include <string>

#include "desktop/dkclasses.h"
#include "platform/vcl/controls.h"

using TdkMessageEvent = std::function<void(TObject* Sender, TMessage& Message, bool& Handled)>;

constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr WPARAM SC_MOVE = 0xF010;
constexpr WPARAM SC_MINIMIZE = 0xF020;

class TdkCustomWndProcHook : public TdkComponent {
public:
    explicit TdkCustomWndProcHook(TComponent* AOwner);
    ~TdkCustomWndProcHook() override;
    std::string ClassName() const override { return "TdkCustomWndProcHook"; }

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AutoDrag() const { return FAutoDrag; }
    void SetAutoDrag(bool Value) { FAutoDrag = Value; }
    TWinControl* WinControl() const { return FWinControl; }
    void SetWinControl(TWinControl* Value);
    // The hooked window changed its handle; the hook moves with it.
    void HandleChanged();

    TNotifyEvent OnChangeHandle, OnChangeWinControl;
    TdkMessageEvent OnMessageBefore, OnMessageAfter;

    // One message through this hook; Previous runs the procedure it replaced.
    void HookProc(TMessage& Message, const TWndMethod& Previous);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void Hook();
    void Unhook(bool WindowAlive);
    bool FActive = false;
    bool FHooked = false;
    bool FAutoDrag = false;
    TWinControl* FWinControl = nullptr;
};

class TdkWndProcHook : public TdkCustomWndProcHook {
public:
    using TdkCustomWndProcHook::TdkCustomWndProcHook;
    std::string ClassName() const override { return "TdkWndProcHook"; }
};

// How many hooks the process-wide list holds on Control (0 once none).
int dkWndProcHookCount(const TControl* Control);
