#include "collections.h"

#include <algorithm>

TCollectionItem::TCollectionItem(TCollection* Collection) : FCollection(Collection) {}

TCollectionItem::~TCollectionItem() = default;

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    const auto& items = FCollection->FItems;
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == this) return static_cast<int>(i);
    return -1;
}

void TCollectionItem::SetIndex(int Value) {
    const int cur = Index();
    if (cur >= 0 && Value != cur) FCollection->MoveItem(cur, Value);
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory ItemFactory) : FItemFactory(std::move(ItemFactory)) {}

TCollection::~TCollection() {
    FDestroying = true;
    FItems.clear();
}

TCollectionItem* TCollection::Items(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[static_cast<size_t>(Index)].get();
}

TCollectionItem* TCollection::Add() {
    return Insert(Count());
}

TCollectionItem* TCollection::Insert(int Index) {
    Index = std::clamp(Index, 0, Count());
    std::unique_ptr<TCollectionItem> item = FItemFactory(this);
    item->FCollection = this;
    item->FID = FNextID++;
    TCollectionItem* raw = item.get();
    FItems.insert(FItems.begin() + Index, std::move(item));
    Added(raw);
    Changed();
    return raw;
}

void TCollection::Delete(int Index) {
    TCollectionItem* item = Items(Index);
    Deleting(item);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) {
        Deleting(FItems.back().get());
        FItems.pop_back();
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
    for (const auto& item : FItems)
        if (item->FID == ID) return item.get();
    return nullptr;
}

void TCollection::Exchange(int Index1, int Index2) {
    Items(Index1);
    Items(Index2);
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

void TCollection::MoveItem(int From, int To) {
    To = std::clamp(To, 0, Count() - 1);
    auto item = std::move(FItems[static_cast<size_t>(From)]);
    FItems.erase(FItems.begin() + From);
    FItems.insert(FItems.begin() + To, std::move(item));
    Changed();
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TCollection::Changed() {
    if (FUpdateCount == 0 && !FDestroying) Update(nullptr);
}

void TCollection::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const TCollection*>(Source)) {
        if (src == this) return;
        BeginUpdate();
        Clear();
        for (const auto& item : src->FItems)
            Add()->Assign(item.get());
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}
