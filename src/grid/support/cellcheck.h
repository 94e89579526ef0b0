#pragma once
// Base of the components that check or correct the text of an edited cell
// (spell checkers and the like). The base changes nothing; the grid asks its
// checker after a cell edit is accepted: Correct when AutoCorrect is set, then
// HighlightError when AutoMarkError is set.

#include <string>

#include "platform/rtl/classes.h"

class TExtStringGridCheck : public TComponent {
public:
    explicit TExtStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}
    std::string ClassName() const override { return "TExtStringGridCheck"; }

    // Returns Value with error tags that the grid underlines; unchanged here.
    virtual std::string HighlightError(int ACol, int ARow, const std::string& Value) {
        return Value;
    }
    virtual std::string Correct(int ACol, int ARow, const std::string& Value) { return Value; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};

// What the grid does with an accepted edit: the corrected, then marked text.
// Without a checker the text is returned as it is.
std::string ApplyCellCheck(TExtStringGridCheck* Checker, int RealCol, int Row,
                           const std::string& Text);
