#include "grid/support/themedbutton.h"

TButtonLook TThemedSpeedButton::Look(bool Pushed) const {
    TButtonLook look;
    look.Themed = IsWinXP;
    look.Pressed = Pushed || Pressed();
    look.Hot = Hot();
    look.Flat = Flat();
    look.Enabled = Enabled();
    return look;
}

void TThemedSpeedButton::MouseEnter() {
    TSpeedButton::MouseEnter();
    if (IsWinXP) Invalidate();
}

void TThemedSpeedButton::MouseLeave() {
    TSpeedButton::MouseLeave();
    if (IsWinXP) Invalidate();
}
