#include "grid/support/unicombo.h"

#include <algorithm>

#include "grid/support/uniedit.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/widetext.h"

// --- TComboBoxStrings -------------------------------------------------------

TStrings& TComboBoxStrings::Ansi() const {
    return *FCombo->AnsiItems();
}

int TComboBoxStrings::Count() const {
    return Ansi().Count();
}

std::u16string TComboBoxStrings::Get(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FItems.size()))
        Error("List index out of bounds", Index);
    return FItems[static_cast<size_t>(Index)];
}

TObject* TComboBoxStrings::GetObject(int Index) const {
    return Ansi().Objects(Index);
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
    const std::u16string text = FCombo->WideText();
    Ansi().SetObjects(Index, AObject);
    Sync(text);
}

void TComboBoxStrings::Insert(int Index, const std::u16string& S) {
    if (Index < 0 || Index > Count()) Error("List index out of bounds", Index);
    const std::u16string text = FCombo->WideText();
    Ansi().Insert(Index, Utf16ToCp1252(S));
    FItems.insert(FItems.begin() + Index, S);
    Sync(text);
}

int TComboBoxStrings::Add(const std::u16string& S) {
    return FCombo->Sorted() ? AddObject(S, nullptr) : TWideStrings::Add(S);
}

int TComboBoxStrings::AddObject(const std::u16string& S, TObject* AObject) {
    if (!FCombo->Sorted()) return TWideStrings::AddObject(S, AObject);
    const std::u16string text = FCombo->WideText();
    const int before = Count();
    const int at = Ansi().AddObject(Utf16ToCp1252(S), AObject);
    if (Count() > before) FItems.insert(FItems.begin() + at, S); // duplicates may be ignored
    Sync(text);
    return at;
}

void TComboBoxStrings::Delete(int Index) {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds", Index);
    const std::u16string text = FCombo->WideText();
    Ansi().Delete(Index);
    FItems.erase(FItems.begin() + Index);
    Sync(text);
}

void TComboBoxStrings::Clear() {
    const std::u16string text = FCombo->WideText();
    Ansi().Clear();
    FItems.clear();
    Sync(text);
}

void TComboBoxStrings::SetUpdateState(bool Updating) {
    if (Updating) {
        Ansi().BeginUpdate();
        return;
    }
    const std::u16string text = FCombo->WideText();
    Ansi().EndUpdate();
    Sync(text);
}

void TComboBoxStrings::Sync(const std::u16string& Text) {
    if (UpdateCount() > 0) return; // the widget is refilled at the end
    const int n = std::min(ComboItemCount(*FCombo), static_cast<int>(FItems.size()));
    for (int i = 0; i < n; ++i)
        SetComboItemWideText(*FCombo, i, FItems[static_cast<size_t>(i)]);
    SetControlWideText(*FCombo, Text);
}

// --- the boxes ----------------------------------------------------------------

TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TXSGCustomCombo(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)) {
    SetFlat(false);
    Font()->SetCharset(DEFAULT_CHARSET);
}

TCustomUNIComboBox::~TCustomUNIComboBox() = default;

std::u16string TCustomUNIComboBox::WideText() const {
    return GetWideText(this);
}

void TCustomUNIComboBox::SetWideText(const std::u16string& Value) {
    ::SetWideText(this, Value);
}

TXSGUniCustomCombo::TXSGUniCustomCombo(TComponent* AOwner) : TCustomUNIComboBox(AOwner) {
    SetFlat(true);
}
