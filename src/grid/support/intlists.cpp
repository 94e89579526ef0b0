#include "grid/support/intlists.h"

#include "platform/rtl/sysutils.h"

void TIntList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

void TIntList::Changed() {
    if (OnChange) OnChange(this, FParam1, FParam2);
}

int TIntList::Items(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)];
}

void TIntList::SetItems(int Index, int Value) {
    CheckIndex(Index);
    FItems[static_cast<size_t>(Index)] = Value;
    Changed();
}

int TIntList::Add(int Value) {
    FItems.push_back(Value);
    Changed();
    return Count() - 1;
}

void TIntList::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TIntList::Insert(int Index, int Value) {
    if (Index < 0 || Index > Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    FItems.insert(FItems.begin() + Index, Value);
}

int TIntList::IndexOf(int Value) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == Value) return static_cast<int>(i);
    return -1;
}

std::string TIntList::CommaText() const {
    std::string out;
    for (size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0) out += ',';
        out += IntToStr(FItems[i]);
    }
    return out;
}

void TIntList::SetCommaText(const std::string& Value) {
    std::vector<int> parsed;
    if (!Trim(Value).empty()) {
        size_t start = 0;
        for (size_t i = 0; i <= Value.size(); ++i) {
            if (i < Value.size() && Value[i] != ',') continue;
            parsed.push_back(StrToInt(Trim(Value.substr(start, i - start))));
            start = i + 1;
        }
    }
    FItems.clear();
    for (const int v : parsed)
        Add(v);
}

void TSortIndexList::AddIndex(int Column, bool Ascending) {
    uint32_t v = static_cast<uint32_t>(Column) & ~DirectionBit;
    if (!Ascending) v |= DirectionBit;
    Add(static_cast<int>(v));
}

int TSortIndexList::FindIndex(int Column) const {
    const uint32_t col = static_cast<uint32_t>(Column) & ~DirectionBit;
    for (int i = 0; i < Count(); ++i)
        if ((static_cast<uint32_t>(Items(i)) & ~DirectionBit) == col) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(int Column) {
    const int i = FindIndex(Column);
    if (i < 0) return;
    SetItems(i, static_cast<int>(static_cast<uint32_t>(Items(i)) ^ DirectionBit));
}

int TSortIndexList::SortColumn(int Position) const {
    return static_cast<int>(static_cast<uint32_t>(Items(Position)) & ~DirectionBit);
}

bool TSortIndexList::SortAscending(int Position) const {
    return (static_cast<uint32_t>(Items(Position)) & DirectionBit) == 0;
}
