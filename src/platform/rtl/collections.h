#pragma once
// Owned collections of persistent items, as the platform's TCollection: the
// collection creates, owns and frees its items and tells its owner of changes.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classes.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;
    std::string ClassName() const override { return "TCollectionItem"; }

    TCollection* Collection() const { return FCollection; }
    int ID() const { return FID; }
    int Index() const;
    void SetIndex(int Value);
    virtual std::string DisplayName() const { return ClassName(); }

protected:
    // Tells the collection that this item changed (AllItems: every item may have).
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<std::unique_ptr<TCollectionItem>(TCollection*)>;

    // Items are made by ItemFactory, so a derived collection holds its own item class.
    explicit TCollection(TItemFactory ItemFactory);
    ~TCollection() override;
    std::string ClassName() const override { return "TCollection"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    TCollectionItem* FindItemID(int ID) const;
    void Exchange(int Index1, int Index2);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* Source) override;
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    // Called after a change; Item is null when the whole collection changed.
    virtual void Update(TCollectionItem* Item) {}
    virtual void Added(TCollectionItem* Item) {}
    virtual void Deleting(TCollectionItem* Item) {}
    void Changed();

private:
    friend class TCollectionItem;
    void MoveItem(int From, int To);

    TItemFactory FItemFactory;
    std::vector<std::unique_ptr<TCollectionItem>> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
    bool FDestroying = false;
};
