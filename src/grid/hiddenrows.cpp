#include "grid/hiddenrows.h"

TGridItem::TGridItem(TCollection* Collection)
    : TCollectionItem(Collection), FItems(std::make_unique<TStringList>()) {
    FItems->OwnsObjects = true;
}

void TGridItem::SetItems(std::unique_ptr<TStringList> Value) {
    FItems = std::move(Value);
    FItems->OwnsObjects = true;
}

TObject* TGridItem::ReleaseObject(int Index) {
    TObject* held = FItems->Objects(Index);
    FItems->OwnsObjects = false;
    FItems->SetObjects(Index, nullptr);
    FItems->OwnsObjects = true;
    return held;
}

TGridItems::TGridItems()
    : TCollection([](TCollection* C) { return std::make_unique<TGridItem>(C); }) {}

int TGridItems::CountBelow(int RealRow) const {
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Items(mid)->Idx < RealRow)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int TGridItems::RealOfDisplay(int DisplayRow) const {
    if (DisplayRow < 0) return -1;
    // Idx - position never falls along the store (the indexes rise by at
    // least one per record); the records with Idx - position <= DisplayRow
    // are exactly the hidden rows above the display row's real row.
    int lo = 0, hi = Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (Items(mid)->Idx - mid <= DisplayRow)
            lo = mid + 1;
        else
            hi = mid;
    }
    return DisplayRow + lo;
}

int TGridItems::Find(int RealRow) const {
    const int at = CountBelow(RealRow);
    return (at < Count() && Items(at)->Idx == RealRow) ? at : -1;
}
