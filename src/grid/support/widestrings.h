#pragma once
// Lists of UTF-16 strings with an object per item, and the adapter through which
// code that knows only single-byte string lists reads and writes them.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/stringlist.h"

class TWideStrings;

// A TStrings view of a wide list: every item converted to and from Windows-1252.
// Characters outside the code page read as '?'.
class TAnsiStringsForWideStrings : public TStrings {
public:
    explicit TAnsiStringsForWideStrings(TWideStrings* AWideStrings) : FWideStrings(AWideStrings) {}
    std::string ClassName() const override { return "TAnsiStringsForWideStrings"; }

    int Count() const override;
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    TWideStrings* FWideStrings; // the owner
};

// 0 when A and B are equal ignoring case, else negative or positive.
int CompareWideText(const std::u16string& A, const std::u16string& B);
char16_t WideUpperChar(char16_t C);

class TWideStrings : public TPersistent {
public:
    TWideStrings();
    ~TWideStrings() override;
    std::string ClassName() const override { return "TWideStrings"; }

    // Primitives a derived list provides.
    virtual int Count() const = 0;
    virtual std::u16string Get(int Index) const = 0;
    virtual void Put(int Index, const std::u16string& S);
    virtual TObject* GetObject(int Index) const { return nullptr; }
    virtual void PutObject(int Index, TObject* AObject) {}
    virtual void Insert(int Index, const std::u16string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    std::u16string Strings(int Index) const { return Get(Index); }
    std::u16string operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }

    virtual int Add(const std::u16string& S);
    virtual int AddObject(const std::u16string& S, TObject* AObject);
    void InsertObject(int Index, const std::u16string& S, TObject* AObject);
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);
    // First item equal ignoring case; -1 when none.
    virtual int IndexOf(const std::u16string& S) const;
    // Same count and every item equal, case-sensitive.
    bool Equals(const TWideStrings& Other) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void AddStrings(const TWideStrings& Strings);
    void AddStrings(const TStrings& Strings); // converted from the code page
    // From a wide or a single-byte list; the list is cleared first.
    void Assign(const TPersistent* Source) override;

    TStrings* AnsiStrings() const { return FAnsiStrings.get(); }

    // Every item followed by CR LF.
    std::u16string Text() const;
    // Splits at LF, VT, FF, CR, U+2028 and U+2029; CR LF is one break.
    void SetText(const std::u16string& Value);

protected:
    // Copies the items with their objects into a single-byte list, clearing it first.
    void AssignTo(TPersistent* Dest) const override;
    virtual void SetUpdateState(bool Updating) {}
    void Error(const std::string& Msg, int Data) const;

private:
    std::unique_ptr<TAnsiStringsForWideStrings> FAnsiStrings;
    int FUpdateCount = 0;
};

// The ordinary wide list: items kept in memory, objects not owned.
class TWideStringList : public TWideStrings {
public:
    std::string ClassName() const override { return "TWideStringList"; }

    int Count() const override { return static_cast<int>(FList.size()); }
    std::u16string Get(int Index) const override;
    void Put(int Index, const std::u16string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::u16string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool Updating) override;

private:
    void CheckIndex(int Index) const;
    void Changing();
    void Changed();
    std::vector<std::pair<std::u16string, TObject*>> FList;
};
