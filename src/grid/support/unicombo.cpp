#include "grid/support/unicombo.h"

#include <algorithm>

#include "grid/support/uniedit.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/widetext.h"

// --- TComboBoxStrings -------------------------------------------------------

TStrings& TComboBoxStrings::Ansi() const {
    return *FCombo->AnsiItems();
}

void TComboBoxStrings::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds", Index);
}

void TComboBoxStrings::AdoptWhenOutOfStep() const {
    // Within an update of the single-byte list the box hears nothing yet.
    if (static_cast<size_t>(Ansi().Count()) != FItems.size())
        const_cast<TComboBoxStrings*>(this)->Adopt();
}

int TComboBoxStrings::Count() const {
    AdoptWhenOutOfStep();
    return static_cast<int>(FItems.size());
}

std::u16string TComboBoxStrings::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].first;
}

void TComboBoxStrings::Put(int Index, const std::u16string& S) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].first = S;
    Mirror();
}

TObject* TComboBoxStrings::GetObject(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].second;
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)].second = AObject;
    Mirror();
}

void TComboBoxStrings::Insert(int Index, const std::u16string& S) {
    if (Index < 0 || Index > Count()) Error("List index out of bounds", Index);
    FItems.insert(FItems.begin() + Index, {S, nullptr});
    Mirror();
}

int TComboBoxStrings::Add(const std::u16string& S) {
    return AddObject(S, nullptr);
}

int TComboBoxStrings::AddObject(const std::u16string& S, TObject* AObject) {
    int at = Count();
    if (FCombo->Sorted())
        at = static_cast<int>(std::upper_bound(FItems.begin(), FItems.end(), S,
                                               [](const std::u16string& A, const TItem& B) {
                                                   return CompareWideText(A, B.first) < 0;
                                               }) -
                              FItems.begin());
    FItems.insert(FItems.begin() + at, {S, AObject});
    Mirror();
    return at;
}

void TComboBoxStrings::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    Mirror();
}

void TComboBoxStrings::Clear() {
    FItems.clear();
    Mirror();
}

void TComboBoxStrings::Sort() {
    std::stable_sort(FItems.begin(), FItems.end(), [](const TItem& A, const TItem& B) {
        return CompareWideText(A.first, B.first) < 0;
    });
    Mirror();
}

void TComboBoxStrings::Mirror() {
    TStrings& ansi = Ansi();
    const bool wasMirroring = FMirroring;
    FMirroring = true;
    ansi.BeginUpdate();
    ansi.Clear();
    for (const TItem& item : FItems)
        ansi.AddObject(Utf16ToCp1252(item.first), item.second);
    ansi.EndUpdate(); // the box hears of it and shows the wide items
    FMirroring = wasMirroring;
}

void TComboBoxStrings::Adopt() {
    if (FMirroring) return; // our own items coming back
    const TStrings& ansi = Ansi();
    std::vector<TItem> adopted;
    std::vector<bool> used(FItems.size(), false);
    const auto matches = [&](size_t J, const std::string& Text) {
        return !used[J] && Utf16ToCp1252(FItems[J].first) == Text;
    };
    for (int i = 0; i < ansi.Count(); ++i) {
        const std::string text = ansi.Get(i);
        // The item at the same place first, else the first one unused.
        size_t j = static_cast<size_t>(i);
        if (j >= FItems.size() || !matches(j, text)) {
            j = 0;
            while (j < FItems.size() && !matches(j, text))
                ++j;
        }
        if (j < FItems.size()) {
            used[j] = true;
            adopted.emplace_back(FItems[j].first, ansi.Objects(i));
        } else {
            adopted.emplace_back(Cp1252ToUtf16(text), ansi.Objects(i));
        }
    }
    // Only a change made there is put in order; our own order stays.
    const bool changed = adopted != FItems;
    FItems = std::move(adopted);
    if (changed && FCombo->Sorted()) Sort();
}

void TComboBoxStrings::SetUpdateState(bool Updating) {
    if (Updating)
        Ansi().BeginUpdate();
    else
        Ansi().EndUpdate();
}

void TComboBoxStrings::Show(const std::u16string& Text) {
    const int n = std::min(ComboItemCount(*FCombo), static_cast<int>(FItems.size()));
    for (int i = 0; i < n; ++i)
        SetComboItemWideText(*FCombo, i, FItems[static_cast<size_t>(i)].first);
    SetControlWideText(*FCombo, Text);
}

// --- the boxes ----------------------------------------------------------------

TCustomUNIComboBox::TCustomUNIComboBox(TComponent* AOwner)
    : TXSGCustomCombo(AOwner), FItems(std::make_unique<TComboBoxStrings>(this)) {
    SetFlat(false);
    Font()->SetCharset(DEFAULT_CHARSET);
}

TCustomUNIComboBox::~TCustomUNIComboBox() = default;

void TCustomUNIComboBox::SetSorted(bool Value) {
    FSorted = Value;
    if (Value) FItems->Sort();
}

void TCustomUNIComboBox::ItemsChanged() {
    if (!FItems) {
        TXSGCustomCombo::ItemsChanged();
        return;
    }
    const std::u16string text = WideText();
    TXSGCustomCombo::ItemsChanged();
    FItems->Adopt();
    FItems->Show(text);
}

std::u16string TCustomUNIComboBox::WideText() const {
    return GetWideText(this);
}

void TCustomUNIComboBox::SetWideText(const std::u16string& Value) {
    ::SetWideText(this, Value);
}

TXSGUniCustomCombo::TXSGUniCustomCombo(TComponent* AOwner) : TCustomUNIComboBox(AOwner) {
    SetFlat(true);
}
