// Column statistics; every cell of the range must hold a number (an empty
// cell counts as 0).

#include <algorithm>

#include "grid/extgrid.h"

double TExtStringGrid::ColumnSum(int ACol, int FromRow, int ToRow) {
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r)
        sum += GetFloats(ACol, r);
    return sum;
}

double TExtStringGrid::ColumnAverage(int ACol, int FromRow, int ToRow) {
    const int n = ToRow - FromRow + 1;
    return n < 1 ? 0 : ColumnSum(ACol, FromRow, ToRow) / n;
}

namespace {

// The value of FromRow, then each smaller (Pick = min) or larger one.
template <typename TPick>
double Extreme(const TExtStringGrid& Grid, int ACol, int FromRow, int ToRow, TPick Pick) {
    if (ToRow < FromRow) return 0;
    double v = Grid.GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        v = Pick(v, Grid.GetFloats(ACol, r));
    return v;
}

} // namespace

double TExtStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
    return Extreme(*this, ACol, FromRow, ToRow, [](double A, double B) { return std::min(A, B); });
}

double TExtStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
    return Extreme(*this, ACol, FromRow, ToRow, [](double A, double B) { return std::max(A, B); });
}
