#pragma once
// The store of hidden rows: one record per hidden row, in ascending order of
// its real row index, holding the row's cells (texts, with the cells' property
// records as their objects) and its height. While a row is hidden its record
// owns those property records.
//
// A row's cells move into its record whole, as the grid's store kept them,
// so hiding and showing cost per row, not per cell. Items, the row's texts as
// a string list, is made from them when someone asks for it.

#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/collections.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/grids/grids.h"

class TGridItem : public TCollectionItem {
public:
    using TRowCells = TStringGrid::TRowCells;

    explicit TGridItem(TCollection* Collection);
    ~TGridItem() override;
    std::string ClassName() const override { return "TGridItem"; }

    int Idx = 0;    // the real row index
    int Height = 0; // the row's height when it was hidden
    // One line per real column; from the first call on, the list holds the cells.
    TStringList* Items() const;
    // Takes the list object (ownership passes to the record).
    void SetItems(std::unique_ptr<TStringList> Value);

    // The cells as the grid's store keeps them, kept and handed back whole.
    void KeepCells(TRowCells Cells);
    TRowCells TakeCells();
    std::string CellText(int Col) const;
    // The objects of the row's cells (their property records), where kept.
    std::vector<TObject*> CellObjects() const;
    void SetCellText(int Col, const std::string& Value);
    // Columns inserted and removed while the row is hidden (removed records are freed).
    void InsertCells(int At, int Count);
    void DeleteCells(int At, int Count);

private:
    void DropCells();
    mutable TRowCells FCells;                    // while no list was asked for
    mutable std::unique_ptr<TStringList> FItems; // once one was
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
