#include "grid/hiddenrows.h"

#include <algorithm>

TGridItem::TGridItem(TCollection* Collection) : TCollectionItem(Collection) {}

TGridItem::~TGridItem() {
    DropCells();
}

void TGridItem::DropCells() {
    for (TStringGrid::TCell& cell : FCells)
        delete cell.Object;
    FCells.clear();
}

TStringList* TGridItem::Items() const {
    if (!FItems) {
        auto items = std::make_unique<TStringList>();
        items->OwnsObjects = true;
        for (TStringGrid::TCell& cell : FCells)
            items->AddObject(cell.Text, cell.Object);
        FCells.clear();
        FItems = std::move(items);
    }
    return FItems.get();
}

void TGridItem::SetItems(std::unique_ptr<TStringList> Value) {
    DropCells();
    FItems = std::move(Value);
    if (FItems) FItems->OwnsObjects = true;
}

void TGridItem::KeepCells(TRowCells Cells) {
    DropCells();
    FItems.reset();
    FCells = std::move(Cells);
}

TGridItem::TRowCells TGridItem::TakeCells() {
    TRowCells cells;
    if (FItems) {
        cells.resize(static_cast<size_t>(FItems->Count()));
        FItems->OwnsObjects = false; // the objects go with the cells
        for (int i = 0; i < FItems->Count(); ++i)
            cells[static_cast<size_t>(i)] = {FItems->Get(i), FItems->Objects(i)};
        FItems.reset();
    } else {
        cells.swap(FCells);
    }
    return cells;
}

std::string TGridItem::CellText(int Col) const {
    if (Col < 0) return {};
    if (FItems) return Col < FItems->Count() ? FItems->Get(Col) : std::string();
    return static_cast<size_t>(Col) < FCells.size() ? FCells[static_cast<size_t>(Col)].Text
                                                    : std::string();
}

std::vector<TObject*> TGridItem::CellObjects() const {
    std::vector<TObject*> objects;
    if (FItems) {
        for (int i = 0; i < FItems->Count(); ++i)
            if (TObject* o = FItems->Objects(i)) objects.push_back(o);
    } else {
        for (const TStringGrid::TCell& cell : FCells)
            if (cell.Object) objects.push_back(cell.Object);
    }
    return objects;
}

void TGridItem::SetCellText(int Col, const std::string& Value) {
    if (Col < 0) return;
    if (FItems) {
        while (FItems->Count() <= Col)
            FItems->Add("");
        FItems->Put(Col, Value);
        return;
    }
    if (FCells.size() <= static_cast<size_t>(Col)) FCells.resize(static_cast<size_t>(Col) + 1);
    FCells[static_cast<size_t>(Col)].Text = Value;
}

void TGridItem::InsertCells(int At, int Count) {
    if (At < 0 || Count < 1) return;
    if (FItems) {
        for (int k = 0; k < Count && At <= FItems->Count(); ++k)
            FItems->Insert(At, "");
        return;
    }
    if (static_cast<size_t>(At) <= FCells.size())
        FCells.insert(FCells.begin() + At, static_cast<size_t>(Count), TStringGrid::TCell{});
}

void TGridItem::DeleteCells(int At, int Count) {
    if (At < 0 || Count < 1) return;
    if (FItems) {
        for (int k = 0; k < Count && At < FItems->Count(); ++k)
            FItems->Delete(At);
        return;
    }
    const size_t from = std::min(static_cast<size_t>(At), FCells.size());
    const size_t to = std::min(from + static_cast<size_t>(Count), FCells.size());
    for (size_t i = from; i < to; ++i)
        delete FCells[i].Object;
    FCells.erase(FCells.begin() + static_cast<long>(from), FCells.begin() + static_cast<long>(to));
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
