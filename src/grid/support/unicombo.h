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

// The items of a Unicode combo box. The widget shows them wide; the box's
// single-byte item list holds them converted, so that code of the layer that
// reads it (selection, lookup) keeps working.
class TComboBoxStrings : public TWideStrings {
public:
    explicit TComboBoxStrings(TCustomUNIComboBox* Combo) : FCombo(Combo) {}
    std::string ClassName() const override { return "TComboBoxStrings"; }

    int Count() const override;
    std::u16string Get(int Index) const override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::u16string& S) override;
    // In a sorted box the item goes where the single-byte list sorts it.
    int Add(const std::u16string& S) override;
    int AddObject(const std::u16string& S, TObject* AObject) override;
    void Delete(int Index) override;
    // The box keeps its text.
    void Clear() override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    // Shows the wide items in the widget again (after the single-byte list
    // refilled it) and puts the box's wide text back.
    void Sync(const std::u16string& Text);
    TStrings& Ansi() const;
    TCustomUNIComboBox* FCombo;
    std::vector<std::u16string> FItems; // what the widget shows, item by item
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

private:
    std::unique_ptr<TComboBoxStrings> FItems;
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
