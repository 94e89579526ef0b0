#pragma once
// The store of hidden rows: one record per hidden row, in ascending order of
// its real row index, holding the row's cell texts (one line per real column)
// with the cells' property records as the lines' objects, and its height.
// While a row is hidden its record owns those property records.

#include <memory>
#include <string>

#include "platform/rtl/collections.h"
#include "platform/rtl/stringlist.h"

class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* Collection);
    std::string ClassName() const override { return "TGridItem"; }

    int Idx = 0;    // the real row index
    int Height = 0; // the row's height when it was hidden
    TStringList* Items() const { return FItems.get(); }
    // Takes the list object (ownership passes to the record).
    void SetItems(std::unique_ptr<TStringList> Value);
    // Hands out the object of line Index, leaving the line without one.
    TObject* ReleaseObject(int Index);

private:
    std::unique_ptr<TStringList> FItems;
};

class TGridItems : public TCollection {
public:
    TGridItems();
    std::string ClassName() const override { return "TGridItems"; }
    TGridItem* Items(int Index) const { return static_cast<TGridItem*>(TCollection::Items(Index)); }
    TGridItem* Insert(int Index) { return static_cast<TGridItem*>(TCollection::Insert(Index)); }
    TGridItem* Add() { return static_cast<TGridItem*>(TCollection::Add()); }

    // The number of hidden rows above real row RealRow (the place a record
    // for it takes). Binary searches: the store is in ascending order.
    int CountBelow(int RealRow) const;
    // The real row of display row DisplayRow: every hidden row at or above
    // the place pushes it down by one. -1 for a negative row.
    int RealOfDisplay(int DisplayRow) const;
    // The position of the record of RealRow, -1 when the row is not hidden.
    int Find(int RealRow) const;
};
