#include "stringlist.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>

#include "files.h"

void TStrings::Put(int Index, const std::string& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

TObject* TStrings::GetObject(int) const {
    return nullptr;
}
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& S) {
    const int result = Count();
    Insert(result, S);
    return result;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
    const int result = Add(S);
    PutObject(result, AObject);
    return result;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::AddStrings(const TStrings& Strings) {
    BeginUpdate();
    for (int i = 0; i < Strings.Count(); ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
    EndUpdate();
}

int TStrings::IndexOf(const std::string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (AnsiCompareText(Get(i), S) == 0) return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == AObject) return i;
    return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        const size_t p = s.find(NameValueSeparator);
        if (p != std::string::npos && AnsiCompareText(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
}

void TStrings::Exchange(int Index1, int Index2) {
    const std::string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
}

void TStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    BeginUpdate();
    const std::string s = Get(CurIndex);
    TObject* obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
    EndUpdate();
}

std::string TStrings::Names(int Index) const {
    const std::string s = Get(Index);
    const size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::ValueFromIndex(int Index) const {
    if (Index < 0) return std::string();
    const std::string s = Get(Index);
    const size_t p = s.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : s.substr(p + 1);
}

std::string TStrings::Values(const std::string& Name) const {
    return ValueFromIndex(IndexOfName(Name));
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
    const int i = IndexOfName(Name);
    if (Value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    const std::string line = Name + NameValueSeparator + Value;
    if (i >= 0)
        Put(i, line);
    else
        Add(line);
}

std::string TStrings::Text() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += LineBreak;
    }
    return out;
}

void TStrings::SetText(const std::string& Value) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    const size_t n = Value.size();
    while (start < n) {
        size_t p = start;
        while (p < n && Value[p] != '\r' && Value[p] != '\n')
            ++p;
        Add(Value.substr(start, p - start));
        if (p < n && Value[p] == '\r') ++p;
        if (p < n && Value[p] == '\n') ++p;
        start = p;
    }
    EndUpdate();
}

std::string TStrings::DelimitedText() const {
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        bool quote = s.empty() && Count() == 1;
        for (const char c : s)
            if (c == QuoteChar || c == Delimiter ||
                (!StrictDelimiter && static_cast<unsigned char>(c) <= ' '))
                quote = true;
        if (i > 0) out += Delimiter;
        if (quote) {
            out += QuoteChar;
            for (const char c : s) {
                if (c == QuoteChar) out += QuoteChar;
                out += c;
            }
            out += QuoteChar;
        } else {
            out += s;
        }
    }
    return out;
}

void TStrings::SetDelimitedText(const std::string& Value) {
    BeginUpdate();
    Clear();
    size_t i = 0;
    const size_t n = Value.size();
    auto isSpace = [&](char c) { return !StrictDelimiter && static_cast<unsigned char>(c) <= ' '; };
    while (i < n && isSpace(Value[i]))
        ++i;
    while (i < n) {
        std::string item;
        if (Value[i] == QuoteChar) {
            ++i;
            while (i < n) {
                if (Value[i] == QuoteChar) {
                    if (i + 1 < n && Value[i + 1] == QuoteChar) {
                        item += QuoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
            // Text after the closing quote up to the delimiter belongs to the item.
            while (i < n && Value[i] != Delimiter && !isSpace(Value[i]))
                item += Value[i++];
        } else {
            while (i < n && Value[i] != Delimiter && !isSpace(Value[i]))
                item += Value[i++];
        }
        Add(item);
        while (i < n && isSpace(Value[i]))
            ++i;
        if (i < n && Value[i] == Delimiter) {
            ++i;
            if (i >= n) Add(std::string());
            while (i < n && isSpace(Value[i]))
                ++i;
        }
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    TStringList copy;
    copy.Delimiter = ',';
    copy.QuoteChar = '"';
    copy.AddStrings(*this);
    return copy.DelimitedText();
}

void TStrings::SetCommaText(const std::string& Value) {
    const char d = Delimiter, q = QuoteChar;
    const bool strict = StrictDelimiter;
    Delimiter = ',';
    QuoteChar = '"';
    StrictDelimiter = false;
    SetDelimitedText(Value);
    Delimiter = d;
    QuoteChar = q;
    StrictDelimiter = strict;
}

void TStrings::LoadFromFile(const std::string& FileName) {
    std::ifstream in(DiskName(FileName), std::ios::binary);
    if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    SetText(data);
}

void TStrings::SaveToFile(const std::string& FileName) const {
    // Written beside the target and renamed over it, so a failed write never
    // leaves half a file in place of the old one.
    WriteFileAtomic(FileName, Text());
}

void TStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::Assign(const TPersistent* Source) {
    if (const auto* src = dynamic_cast<const TStrings*>(Source)) {
        if (src == this) return;
        BeginUpdate();
        Clear();
        AddStrings(*src);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

bool TStrings::Equals(const TStrings& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Other.Get(i)) return false;
    return true;
}

void TStrings::Error(const std::string& Msg, int Data) const {
    throw EListError(Msg + " (" + IntToStr(Data) + ")");
}

// --- TStringList ----------------------------------------------------------------

TStringList::~TStringList() {
    if (OwnsObjects)
        for (auto& item : FList)
            delete item.second;
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds", Index);
}

std::string TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].first;
}

void TStringList::Put(int Index, const std::string& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].first = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].second;
}

void TStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    auto& slot = FList[static_cast<size_t>(Index)].second;
    if (OwnsObjects && slot != AObject) delete slot;
    slot = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    Changing();
    FList.insert(FList.begin() + Index, {S, AObject});
    Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    if (Index < 0 || Index > Count()) Error("List index out of bounds", Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    TObject* obj = FList[static_cast<size_t>(Index)].second;
    FList.erase(FList.begin() + Index);
    if (OwnsObjects) delete obj;
    Changed();
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    std::vector<std::pair<std::string, TObject*>> old;
    old.swap(FList);
    if (OwnsObjects)
        for (auto& item : old)
            delete item.second;
    Changed();
}

int TStringList::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int index;
    if (!FSorted) {
        index = Count();
    } else if (Find(S, index)) {
        if (Duplicates == TDuplicates::dupIgnore) return index;
        if (Duplicates == TDuplicates::dupError)
            throw EListError("String list does not allow duplicates");
        // Equal keys go after the ones already there, so insertion order holds.
        while (index < Count() && CompareStrings(FList[static_cast<size_t>(index)].first, S) == 0)
            ++index;
    }
    InsertItem(index, S, AObject);
    return index;
}

int TStringList::IndexOf(const std::string& S) const {
    if (!FSorted) {
        for (int i = 0; i < Count(); ++i)
            if (CompareStrings(FList[static_cast<size_t>(i)].first, S) == 0) return i;
        return -1;
    }
    int index;
    return Find(S, index) ? index : -1;
}

void TStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}

bool TStringList::Find(const std::string& S, int& Index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(FList[static_cast<size_t>(mid)].first, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) found = true;
        }
    }
    Index = lo;
    return found;
}

void TStringList::Sort() {
    CustomSort([](TStringList* list, int a, int b) {
        return list->CompareStrings(list->FList[static_cast<size_t>(a)].first,
                                    list->FList[static_cast<size_t>(b)].first);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (Count() < 2) return;
    Changing();
    // Sort a permutation so that the compare function sees the list's own indexes.
    std::vector<int> order(FList.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<std::pair<std::string, TObject*>> sorted;
    sorted.reserve(FList.size());
    for (const int i : order)
        sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) Sort();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
    return FCaseSensitive ? CompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}
