#pragma once
// The small buttons of the cell editors: speed buttons drawn in the desktop's
// style when the grid asks for the themed look.

#include "grid/support/griddraw.h"
#include "platform/vcl/buttons.h"

class TThemedSpeedButton : public TSpeedButton {
public:
    explicit TThemedSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
    bool IsWinXP = false; // themed; the grid sets it

protected:
    // The button's state now; Pushed adds to the mouse's own press.
    TButtonLook Look(bool Pushed) const;
    // The themed look follows the mouse.
    void MouseEnter() override;
    void MouseLeave() override;
};
