#include "grid/support/cellcheck.h"

std::string ApplyCellCheck(TExtStringGridCheck* Checker, int RealCol, int Row,
                           const std::string& Text) {
    if (!Checker) return Text;
    std::string s = Text;
    if (Checker->AutoCorrect) s = Checker->Correct(RealCol, Row, s);
    if (Checker->AutoMarkError) s = Checker->HighlightError(RealCol, Row, s);
    return s;
}
