#pragma once
// The grid's change recorder: one item per validated cell edit, oldest first,
// at most MaxLevel items when MaxLevel is 1 or more.

#include <memory>
#include <string>

#include "platform/rtl/collections.h"

class TUndoRedoItem : public TCollectionItem {
public:
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
    std::string ClassName() const override { return "TUndoRedoItem"; }
    void Assign(const TPersistent* Source) override;

    int Row = 0;
    int Col = 0;
    std::string Value;
    std::string OrigValue;
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection();
    std::string ClassName() const override { return "TUndoRedoCollection"; }
    TUndoRedoItem* Items(int Index) const;
    TUndoRedoItem* Add();
};

class TExtGridUndoRedo : public TComponent {
public:
    explicit TExtGridUndoRedo(TComponent* AOwner);
    ~TExtGridUndoRedo() override;
    std::string ClassName() const override { return "TExtGridUndoRedo"; }

    // Records one change. When MaxLevel is 1 or more the oldest changes are
    // dropped so that at most MaxLevel remain, also after MaxLevel was lowered.
    virtual void AddChange(int ACol, int ARow, const std::string& OrigValue,
                           const std::string& Value);

    TUndoRedoCollection* Changes() const { return FChanges.get(); }
    int Level() const { return FLevel; }
    int MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(int Value) { FMaxLevel = Value; }

    // The grid whose changes are recorded; cleared when that grid is destroyed.
    TComponent* Grid() const { return FGrid; }
    void SetGrid(TComponent* AGrid);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TUndoRedoCollection> FChanges;
    TComponent* FGrid = nullptr;
    int FLevel = 0;
    int FMaxLevel = 0;
};
