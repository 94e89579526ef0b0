#pragma once
// What string lists of single-byte and of UTF-16 text have in common: the
// operations built on a list's primitives, and the list that keeps its items
// in memory. TStrings and TWideStrings (and their in-memory lists) are these
// templates over their string type; the text comparison and the line breaks
// of each type come from TStringsTraits.

#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/sysutils.h"

template <class S> struct TStringsTraits;

template <> struct TStringsTraits<std::string> {
    static int CompareText(const std::string& A, const std::string& B) {
        return AnsiCompareText(A, B);
    }
    static bool IsLineBreak(char C) { return C == '\r' || C == '\n'; }
};

template <> struct TStringsTraits<std::u16string> {
    static int CompareText(const std::u16string& A, const std::u16string& B) {
        return CompareWideText(A, B);
    }
    // LF, VT, FF, CR and the line and paragraph separators.
    static bool IsLineBreak(char16_t C) {
        return C == u'\n' || C == u'\v' || C == u'\f' || C == u'\r' || C == 0x2028 || C == 0x2029;
    }
};

template <class S> class TStringsCore : public TPersistent {
public:
    using TString = S;
    using TTraits = TStringsTraits<S>;

    // Primitives a derived list provides.
    virtual int Count() const = 0;
    virtual S Get(int Index) const = 0;
    virtual void Put(int Index, const S& Str) {
        TObject* obj = GetObject(Index);
        Delete(Index);
        InsertObject(Index, Str, obj);
    }
    virtual TObject* GetObject(int Index) const { return nullptr; }
    virtual void PutObject(int Index, TObject* AObject) {}
    virtual void Insert(int Index, const S& Str) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    S Strings(int Index) const { return Get(Index); }
    S operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    virtual int Add(const S& Str) {
        const int result = Count();
        Insert(result, Str);
        return result;
    }
    virtual int AddObject(const S& Str, TObject* AObject) {
        const int result = Add(Str);
        PutObject(result, AObject);
        return result;
    }
    void InsertObject(int Index, const S& Str, TObject* AObject) {
        Insert(Index, Str);
        PutObject(Index, AObject);
    }
    void AddStrings(const TStringsCore& Strings) {
        BeginUpdate();
        for (int i = 0; i < Strings.Count(); ++i)
            AddObject(Strings.Get(i), Strings.GetObject(i));
        EndUpdate();
    }
    virtual void Exchange(int Index1, int Index2) {
        const S s1 = Get(Index1);
        TObject* o1 = GetObject(Index1);
        Put(Index1, Get(Index2));
        PutObject(Index1, GetObject(Index2));
        Put(Index2, s1);
        PutObject(Index2, o1);
    }
    virtual void Move(int CurIndex, int NewIndex) {
        if (CurIndex == NewIndex) return;
        BeginUpdate();
        const S s = Get(CurIndex);
        TObject* obj = GetObject(CurIndex);
        Delete(CurIndex);
        InsertObject(NewIndex, s, obj);
        EndUpdate();
    }
    // First item equal ignoring case; -1 when none.
    virtual int IndexOf(const S& Str) const {
        for (int i = 0; i < Count(); ++i)
            if (TTraits::CompareText(Get(i), Str) == 0) return i;
        return -1;
    }
    int IndexOfObject(const TObject* AObject) const {
        for (int i = 0; i < Count(); ++i)
            if (GetObject(i) == AObject) return i;
        return -1;
    }
    // Same count and every item equal, case-sensitive.
    bool Equals(const TStringsCore& Other) const {
        if (Count() != Other.Count()) return false;
        for (int i = 0; i < Count(); ++i)
            if (Get(i) != Other.Get(i)) return false;
        return true;
    }

    // The items of the text, one a line; CR LF is one break, and a break at
    // the end makes no empty last item.
    void SetText(const S& Value) {
        BeginUpdate();
        Clear();
        size_t start = 0, i = 0;
        while (i < Value.size()) {
            const auto c = Value[i];
            if (!TTraits::IsLineBreak(c)) {
                ++i;
                continue;
            }
            Add(Value.substr(start, i - start));
            i += (c == '\r' && i + 1 < Value.size() && Value[i + 1] == '\n') ? 2 : 1;
            start = i;
        }
        if (start < Value.size()) Add(Value.substr(start));
        EndUpdate();
    }

    void BeginUpdate() {
        if (FUpdateCount++ == 0) SetUpdateState(true);
    }
    void EndUpdate() {
        if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
    }
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Every item followed by LineBreak.
    S JoinLines(const S& LineBreak) const {
        S out;
        for (int i = 0; i < Count(); ++i) {
            out += Get(i);
            out += LineBreak;
        }
        return out;
    }
    virtual void SetUpdateState(bool Updating) {}
    void Error(const std::string& Msg, int Data) const {
        throw EListError(Msg + " (" + IntToStr(Data) + ")");
    }

private:
    int FUpdateCount = 0;
};

// A list of Base (a TStringsCore) that keeps its items and their objects in
// memory, reporting each change through OnChanging and OnChange outside
// updates. Objects are freed with their items only when OwnsObjects is set.
template <class Base> class TStringItems : public Base {
public:
    using S = typename Base::TString;

    ~TStringItems() override {
        if (OwnsObjects)
            for (auto& item : FList)
                delete item.second;
    }

    int Count() const override { return static_cast<int>(FList.size()); }
    S Get(int Index) const override {
        CheckIndex(Index);
        return FList[static_cast<size_t>(Index)].first;
    }
    void Put(int Index, const S& Str) override {
        CheckIndex(Index);
        Changing();
        FList[static_cast<size_t>(Index)].first = Str;
        Changed();
    }
    TObject* GetObject(int Index) const override {
        CheckIndex(Index);
        return FList[static_cast<size_t>(Index)].second;
    }
    void PutObject(int Index, TObject* AObject) override {
        CheckIndex(Index);
        Changing();
        auto& slot = FList[static_cast<size_t>(Index)].second;
        if (OwnsObjects && slot != AObject) delete slot;
        slot = AObject;
        Changed();
    }
    void Insert(int Index, const S& Str) override {
        if (Index < 0 || Index > Count()) this->Error("List index out of bounds", Index);
        InsertItem(Index, Str, nullptr);
    }
    void Delete(int Index) override {
        CheckIndex(Index);
        Changing();
        TObject* obj = FList[static_cast<size_t>(Index)].second;
        FList.erase(FList.begin() + Index);
        if (OwnsObjects) delete obj;
        Changed();
    }
    void Clear() override {
        if (FList.empty()) return;
        Changing();
        std::vector<std::pair<S, TObject*>> old;
        old.swap(FList);
        if (OwnsObjects)
            for (auto& item : old)
                delete item.second;
        Changed();
    }
    void Exchange(int Index1, int Index2) override {
        CheckIndex(Index1);
        CheckIndex(Index2);
        Changing();
        std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
        Changed();
    }

    bool OwnsObjects = false;
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override {
        if (Updating)
            Changing();
        else
            Changed();
    }
    virtual void Changed() {
        if (this->UpdateCount() == 0 && OnChange) OnChange(this);
    }
    virtual void Changing() {
        if (this->UpdateCount() == 0 && OnChanging) OnChanging(this);
    }
    void InsertItem(int Index, const S& Str, TObject* AObject) {
        Changing();
        FList.insert(FList.begin() + Index, {Str, AObject});
        Changed();
    }
    void CheckIndex(int Index) const {
        if (Index < 0 || Index >= Count()) this->Error("List index out of bounds", Index);
    }

    std::vector<std::pair<S, TObject*>> FList;
};
