// One direction's arithmetic of the grid. Every walk starts at the fixed cells
// or at the first cell in view and stops at the window's edge, so its cost
// follows the window, not the count of cells.
#include "platform/vcl/grids/gridaxis.h"

#include <algorithm>

int TCustomGrid::TAxis::FixedBoundary() const {
    int pos = 0;
    for (int i = 0; i < Fixed; ++i)
        pos += Size(i) + Line;
    return pos;
}

int TCustomGrid::TAxis::Start(int Index) const {
    if (Index < 0 || Index >= Count) return -1;
    if (Index < Fixed) {
        int pos = 0;
        for (int i = 0; i < Index; ++i)
            pos += Size(i) + Line;
        return pos;
    }
    if (Index < First) return -1;
    int pos = FixedBoundary();
    for (int i = First; i < Index; ++i) {
        pos += Size(i) + Line;
        if (pos >= Extent) return -1; // beyond the window: not shown
    }
    return pos < Extent ? pos : -1;
}

int TCustomGrid::TAxis::FullVisible() const {
    int pos = FixedBoundary();
    int n = 0;
    for (int i = First; i < Count; ++i) {
        if (pos + Size(i) > Extent) break;
        pos += Size(i) + Line;
        ++n;
    }
    return n;
}

int TCustomGrid::TAxis::MaxFirst() const {
    const int room = Extent - FixedBoundary();
    int used = 0;
    int result = Count - 1;
    for (int i = Count - 1; i >= Fixed; --i) {
        used += Size(i);
        if (used > room) break;
        result = i;
        used += Line;
    }
    return std::max(result, Fixed);
}

int TCustomGrid::TAxis::CellAt(int Pos) const {
    if (Pos < 0 || Pos >= Extent) return -1;
    int pos = 0;
    for (int i = 0; i < Fixed && i < Count; ++i) {
        pos += Size(i) + Line;
        if (Pos < pos) return i;
    }
    for (int i = First; i < Count && pos < Extent; ++i) {
        pos += Size(i) + Line;
        if (Pos < pos) return i;
    }
    return -1;
}

int TCustomGrid::TAxis::ThumbPos() const {
    const int range = MaxFirst() - Fixed;
    if (range <= 0) return 0;
    // Rounded, so that a thumb position dragged to comes back as itself.
    return static_cast<int>((static_cast<long long>(First - Fixed) * GridScrollRange + range / 2) /
                            range);
}

int TCustomGrid::TAxis::FirstFromThumb(int Thumb) const {
    const int range = MaxFirst() - Fixed;
    if (range <= 0) return Fixed;
    Thumb = std::clamp(Thumb, 0, GridScrollRange);
    return static_cast<int>(static_cast<long long>(Thumb) * range / GridScrollRange) + Fixed;
}
