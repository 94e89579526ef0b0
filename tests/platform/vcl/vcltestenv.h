#pragma once
// Helpers of the visual layer's tests: real Qt input events sent to a
// control's widget, a shown and active form, and message recording.

#include <QString>
#include <Qt>

#include <memory>
#include <string>
#include <vector>

#include "platform/vcl/controls.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/synthinput.h"

// Key press and release as the keyboard would send them.
void SendKey(TControl* Control, int QtKey, const QString& Text = QString(),
             Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
void SendKeyPress(TControl* Control, int QtKey, const QString& Text = QString(),
                  Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
void SendMouse(TControl* Control, int Type, int X, int Y, Qt::MouseButton Button,
               Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
void SendWheel(TControl* Control, int X, int Y, int AngleDelta,
               Qt::KeyboardModifiers Modifiers = Qt::NoModifier);
// Shows the form and waits (a bounded number of rounds) until it is active.
void ShowActive(TCustomForm* Form);
// Handles messages until Done() holds; false after a generous bound of time.
inline bool ProcessUntil(const std::function<bool()>& Done) {
    return PumpUntil(Done);
}

// A drawn control that writes down every message it gets (through a hook on
// its window procedure) and can be told what WM_GETDLGCODE answers.
class TRecorder : public TCustomControl {
public:
    explicit TRecorder(TComponent* AOwner);
    std::vector<TMessage> Log;
    LRESULT DlgCode = 0;
    std::vector<TMessage> Only(UINT Msg) const;
    std::vector<UINT> Messages(std::initializer_list<UINT> Of) const;
    TColor PaintColor = clNone; // drawn over the whole client area when set

protected:
    void WMGetDlgCode(TMessage& Message) override { Message.Result = DlgCode; }
    void Paint() override;
};

// A recording control on Parent at the given place, owned by Parent.
TRecorder* AddRecorder(TWinControl* Parent, int Left, int Top, int Width, int Height);

// A form owned by the test.
std::unique_ptr<TForm> MakeForm(int Width = 400, int Height = 300);
