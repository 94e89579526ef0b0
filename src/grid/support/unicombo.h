#pragma once
// The Unicode combo box of the grid's wide-text combo editors: items and text
// keep every UTF-16 character, and the box paints flat like the grid's other
// combo box.

#include <memory>
#include <string>
#include <vector>

#include "grid/support/flatcombo.h"
#include "grid/support/widestrings.h"

class TCustomUNIComboBox;

// The items of a Unicode combo box, kept here with their wide text and
// object. The box's single-byte item list mirrors them converted (never
// sorted itself), so that code of the layer that reads it (selection, lookup)
// keeps working; a change made through that list is taken back here, keeping
// the wide text of every item whose converted text stayed the same.
class TComboBoxStrings : public TWideStrings {
public:
    explicit TComboBoxStrings(TCustomUNIComboBox* Combo) : FCombo(Combo) {}
    std::string ClassName() const override { return "TComboBoxStrings"; }

    int Count() const override;
    std::u16string Get(int Index) const override;
    void Put(int Index, const std::u16string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // At Index, also in a sorted box (as the native box inserts).
    void Insert(int Index, const std::u16string& S) override;
    // In a sorted box the item goes where its wide text sorts, after its equals.
    int Add(const std::u16string& S) override;
    int AddObject(const std::u16string& S, TObject* AObject) override;
    void Delete(int Index) override;
    // The box keeps its text.
    void Clear() override;

    // Orders the items by their wide text, equal ones keeping their order.
    void Sort();
    // The single-byte list changed: its items are taken over.
    void Adopt();
    // Shows the wide items in the widget again and puts Text back.
    void Show(const std::u16string& Text);

protected:
    void SetUpdateState(bool Updating) override;

private:
    using TItem = std::pair<std::u16string, TObject*>;
    // Writes every item into the single-byte list.
    void Mirror();
    void AdoptWhenOutOfStep() const;
    void CheckIndex(int Index) const;
    TStrings& Ansi() const;
    TCustomUNIComboBox* FCombo;
    mutable std::vector<TItem> FItems;
    bool FMirroring = false;
};

// A combo box with wide items and text. Flat painting is off: it looks and
// behaves like the plain combo box.
class TCustomUNIComboBox : public TXSGCustomCombo {
public:
    explicit TCustomUNIComboBox(TComponent* AOwner);
    ~TCustomUNIComboBox() override;
    std::string ClassName() const override { return "TCustomUNIComboBox"; }
    TComboBoxStrings* Items() const { return FItems.get(); }
    TStrings* AnsiItems() const { return TComboBox::Items(); }
    std::u16string WideText() const;
    void SetWideText(const std::u16string& Value);
    // Sorted by the wide text; the single-byte list keeps the same order.
    bool Sorted() const override { return FSorted; }
    void SetSorted(bool Value) override;

protected:
    void ItemsChanged() override;

private:
    std::unique_ptr<TComboBoxStrings> FItems;
    bool FSorted = false;
};

// The flat Unicode combo: while inactive its button is only filled in the
// button face; while active it is raised (or etched), flat while the list is down.
class TXSGUniCustomCombo : public TCustomUNIComboBox {
public:
    explicit TXSGUniCustomCombo(TComponent* AOwner);
    std::string ClassName() const override { return "TXSGUniCustomCombo"; }

protected:
    void AdjustLook(TFlatComboLook& Look) const override { Look.ButtonOnlyWhenActive = true; }
};

class TXSGUniComboBox : public TXSGUniCustomCombo {
public:
    explicit TXSGUniComboBox(TComponent* AOwner) : TXSGUniCustomCombo(AOwner) {}
    std::string ClassName() const override { return "TXSGUniComboBox"; }
    std::u16string Text() const { return WideText(); }
    using TXSGUniCustomCombo::SetText;
    void SetText(const std::u16string& Value) { SetWideText(Value); }
};
