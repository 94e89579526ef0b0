#include "grid/support/undoredo.h"

void TUndoRedoItem::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const TUndoRedoItem*>(Source)) {
        Row = src->Row;
        Col = src->Col;
        Value = src->Value;
        OrigValue = src->OrigValue;
        return;
    }
    TCollectionItem::Assign(Source);
}

TUndoRedoCollection::TUndoRedoCollection()
    : TCollection([](TCollection* c) { return std::make_unique<TUndoRedoItem>(c); }) {}

TUndoRedoItem* TUndoRedoCollection::Items(int Index) const {
    return static_cast<TUndoRedoItem*>(TCollection::Items(Index));
}

TUndoRedoItem* TUndoRedoCollection::Add() {
    return static_cast<TUndoRedoItem*>(TCollection::Add());
}

TExtGridUndoRedo::TExtGridUndoRedo(TComponent* AOwner)
    : TComponent(AOwner), FChanges(std::make_unique<TUndoRedoCollection>()) {}

TExtGridUndoRedo::~TExtGridUndoRedo() {
    SetGrid(nullptr);
}

void TExtGridUndoRedo::AddChange(int ACol, int ARow, const std::string& OrigValue,
                                 const std::string& Value) {
    if (FMaxLevel >= 1)
        while (FChanges->Count() >= FMaxLevel)
            FChanges->Delete(0);
    TUndoRedoItem* item = FChanges->Add();
    item->Col = ACol;
    item->Row = ARow;
    item->Value = Value;
    item->OrigValue = OrigValue;
    FLevel = FChanges->Count();
}

void TExtGridUndoRedo::SetGrid(TComponent* AGrid) {
    if (FGrid == AGrid) return;
    if (FGrid) FGrid->RemoveFreeNotification(this);
    FGrid = AGrid;
    if (FGrid) FGrid->FreeNotification(this);
}

void TExtGridUndoRedo::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FGrid) FGrid = nullptr;
}
