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

double TExtStringGrid::ColumnMin(int ACol, int FromRow, int ToRow) {
    if (ToRow < FromRow) return 0;
    double v = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        v = std::min(v, GetFloats(ACol, r));
    return v;
}

double TExtStringGrid::ColumnMax(int ACol, int FromRow, int ToRow) {
    if (ToRow < FromRow) return 0;
    double v = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        v = std::max(v, GetFloats(ACol, r));
    return v;
}
