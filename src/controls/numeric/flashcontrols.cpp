#include "controls/numeric/flashcontrols.h"

#include "controls/numeric/vcflash.h"
#include "controls/numeric/vcproc.h"
#include "platform/vcl/forms.h"

namespace {

// The pointing hand of the unit's cursor resource, hot spot at the finger tip.
const std::vector<std::string> HandCursorRows = {
    "     ##         ", "    #..#        ", "    #..#        ", "    #..#        ",
    "    #..###      ", "    #..#..###   ", "    #..#..#..## ", "### #..#..#..#.#",
    "#..##........#.#", "#...#..........#", " #.............#", "  #............#",
    "  #...........# ", "   #..........# ", "    #........#  ", "    ##########  ",
};
[[maybe_unused]] const bool HandCursorLoaded =
    (SetScreenCursorImage(crHand, HandCursorRows, {5, 0}), true);

} // namespace

void AddFlashClient(TControl* Control, int64_t Interval) {
    if (!Control) return;
    EnsureThreadWindow();
    AddFlashClientPtr(Control, Interval);
}

void RemoveFlashClient(TControl* Control) {
    RemoveFlashClientPtr(Control);
}

bool IsFlashClient(const TControl* Control) {
    return IsFlashClientPtr(Control);
}
