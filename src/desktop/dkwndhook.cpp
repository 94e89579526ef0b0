#include "dkwndhook.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/desktop/windowshell.h"
#include "platform/vcl/winapi.h"

namespace {

// The process-wide list: per hooked control its own procedure and the hooks
// in the order they came. Made with the first hook, gone with the last.
class TdkWndProcHookList {
public:
    struct TEntry {
        TControl* Window = nullptr;
        TWndMethod Original;
        std::vector<TdkCustomWndProcHook*> Hooks;
    };

    void Add(TControl* Window, TdkCustomWndProcHook* Hook) {
        TEntry* E = Find(Window);
        if (!E) {
            FEntries.push_back(std::make_unique<TEntry>());
            E = FEntries.back().get();
            E->Window = Window;
            E->Original = Window->WindowProc;
            Window->WindowProc = [this, Window](TMessage& M) { Dispatch(Window, M); };
        }
        E->Hooks.push_back(Hook);
    }

    void Remove(TControl* Window, TdkCustomWndProcHook* Hook, bool WindowAlive) {
        TEntry* E = Find(Window);
        if (!E) return;
        E->Hooks.erase(std::remove(E->Hooks.begin(), E->Hooks.end(), Hook), E->Hooks.end());
        if (!E->Hooks.empty()) return;
        if (WindowAlive) Window->WindowProc = E->Original;
        FEntries.erase(std::find_if(FEntries.begin(), FEntries.end(),
                                    [E](const auto& P) { return P.get() == E; }));
    }

    int Count(const TControl* Window) const {
        for (const auto& E : FEntries)
            if (E->Window == Window) return static_cast<int>(E->Hooks.size());
        return 0;
    }

    bool Empty() const { return FEntries.empty(); }

private:
    TEntry* Find(const TControl* Window) {
        for (auto& E : FEntries)
            if (E->Window == Window) return E.get();
        return nullptr;
    }

    bool Holds(const TControl* Window, const TdkCustomWndProcHook* Hook) {
        const TEntry* E = Find(Window);
        return E && std::find(E->Hooks.begin(), E->Hooks.end(), Hook) != E->Hooks.end();
    }

    // The newest hook first; each calls the one before it, the oldest the
    // control's own procedure. The chain is read afresh at every step, so a
    // hook that leaves during a message is skipped, not called.
    void Call(TControl* Window, TMessage& M, std::vector<TdkCustomWndProcHook*> Hooks, int Index,
              const TWndMethod& Original) {
        while (Index >= 0 && !Holds(Window, Hooks[static_cast<size_t>(Index)]))
            --Index;
        if (Index < 0) {
            if (Original) Original(M);
            return;
        }
        TdkCustomWndProcHook* Hook = Hooks[static_cast<size_t>(Index)];
        Hook->HookProc(
            M, [=, this](TMessage& Inner) { Call(Window, Inner, Hooks, Index - 1, Original); });
    }

    void Dispatch(TControl* Window, TMessage& M) {
        TEntry* E = Find(Window);
        if (!E) return;
        const TWndMethod Original = E->Original; // the entry may go during the message
        Call(Window, M, E->Hooks, static_cast<int>(E->Hooks.size()) - 1, Original);
    }

    std::vector<std::unique_ptr<TEntry>> FEntries;
};

std::unique_ptr<TdkWndProcHookList>& HookList() {
    static std::unique_ptr<TdkWndProcHookList> List;
    return List;
}

int gHookCount = 0;

} // namespace

int dkWndProcHookCount(const TControl* Control) {
    return HookList() ? HookList()->Count(Control) : 0;
}

TdkCustomWndProcHook::TdkCustomWndProcHook(TComponent* AOwner) : TdkComponent(AOwner) {
    if (gHookCount++ == 0) HookList() = std::make_unique<TdkWndProcHookList>();
}

TdkCustomWndProcHook::~TdkCustomWndProcHook() {
    Unhook(FWinControl != nullptr);
    if (FWinControl) FWinControl->RemoveFreeNotification(this);
    if (--gHookCount == 0) HookList().reset();
}

void TdkCustomWndProcHook::Hook() {
    if (FHooked || !FWinControl || Designing()) return;
    HookList()->Add(FWinControl, this);
    FHooked = true;
}

void TdkCustomWndProcHook::Unhook(bool WindowAlive) {
    if (!FHooked) return;
    HookList()->Remove(FWinControl, this, WindowAlive);
    FHooked = false;
}

void TdkCustomWndProcHook::SetActive(bool Value) {
    if (Value == FActive) return;
    FActive = Value;
    if (Value)
        Hook();
    else
        Unhook(true);
}

void TdkCustomWndProcHook::SetWinControl(TWinControl* Value) {
    if (Value == FWinControl) return;
    const bool WasActive = FActive;
    SetActive(false);
    if (FWinControl) FWinControl->RemoveFreeNotification(this);
    FWinControl = Value;
    if (FWinControl) FWinControl->FreeNotification(this);
    SetActive(WasActive);
    if (OnChangeWinControl) OnChangeWinControl(this);
}

void TdkCustomWndProcHook::HandleChanged() {
    const bool WasActive = FActive;
    SetActive(false);
    SetActive(WasActive);
    if (OnChangeHandle) OnChangeHandle(this);
}

void TdkCustomWndProcHook::Notification(TComponent* AComponent, TOperation Operation) {
    TdkComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FWinControl) {
        // The control is being destroyed: drop the hook without touching it.
        Unhook(false);
        FWinControl = nullptr;
    }
}

void TdkCustomWndProcHook::HookProc(TMessage& Message, const TWndMethod& Previous) {
    bool Handled = false;
    if (OnMessageBefore) OnMessageBefore(this, Message, Handled);
    if (!Handled) {
        if (FAutoDrag && Message.Msg == WM_LBUTTONDOWN && FWinControl) {
            // Any point of the window drags it, as its caption would.
            ReleaseCapture();
            FWinControl->Perform(WM_SYSCOMMAND, SC_MOVE + 2, 0);
            StartWindowMove(FWinControl);
        } else {
            Previous(Message);
        }
    }
    if (OnMessageAfter) OnMessageAfter(this, Message, Handled);
}
