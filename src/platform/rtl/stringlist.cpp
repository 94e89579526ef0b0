#include "platform/rtl/stringlist.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>

#include "platform/rtl/files.h"

int TStrings::IndexOfName(const std::string& Name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        const size_t p = s.find(NameValueSeparator);
        if (p != std::string::npos && AnsiCompareText(s.substr(0, p), Name) == 0) return i;
    }
    return -1;
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

// --- TStringList ----------------------------------------------------------------

void TStringList::Put(int Index, const std::string& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    TStringItems::Put(Index, S);
}

void TStringList::Insert(int Index, const std::string& S) {
    if (FSorted) throw EListError("Operation not allowed on sorted list");
    TStringItems::Insert(Index, S);
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
