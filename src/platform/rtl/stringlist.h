#pragma once
// String lists whose items may carry an object. Lists never own their objects
// unless OwnsObjects is set; the tournament lists free their parts themselves.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "classes.h"

class TStrings : public TPersistent {
public:
    std::string ClassName() const override { return "TStrings"; }

    // Primitives a derived list provides.
    virtual int Count() const = 0;
    virtual std::string Get(int Index) const = 0;
    virtual void Put(int Index, const std::string& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    virtual void Insert(int Index, const std::string& S) = 0;
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;

    // Platform-style accessors.
    std::string Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const std::string& S) { Put(Index, S); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
    std::string operator[](int Index) const { return Get(Index); }

    virtual int Add(const std::string& S);
    virtual int AddObject(const std::string& S, TObject* AObject);
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    void AddStrings(const TStrings& Strings);
    void Append(const std::string& S) { Add(S); }
    virtual int IndexOf(const std::string& S) const; // case-insensitive, as the platform
    int IndexOfObject(const TObject* AObject) const;
    int IndexOfName(const std::string& Name) const;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    std::string Names(int Index) const;
    std::string ValueFromIndex(int Index) const;
    std::string Values(const std::string& Name) const;
    void SetValues(const std::string& Name, const std::string& Value);

    char NameValueSeparator = '=';
    char Delimiter = ',';
    char QuoteChar = '"';
    bool StrictDelimiter = false;
    std::string LineBreak = "\r\n";

    std::string Text() const;
    void SetText(const std::string& Value);
    std::string CommaText() const;
    void SetCommaText(const std::string& Value);
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& Value);

    void LoadFromFile(const std::string& FileName); // raises EFOpenError when unreadable
    void SaveToFile(const std::string& FileName) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* Source) override;
    bool Equals(const TStrings& Other) const;

protected:
    virtual void SetUpdateState(bool Updating) {}
    void Error(const std::string& Msg, int Data) const;

private:
    int FUpdateCount = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    ~TStringList() override;
    std::string ClassName() const override { return "TStringList"; }

    int Count() const override { return static_cast<int>(FList.size()); }
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    int IndexOf(const std::string& S) const override;
    void Exchange(int Index1, int Index2) override;

    // Binary search in a sorted list; Index is where S is or would go.
    virtual bool Find(const std::string& S, int& Index) const;
    // Stable: items with equal keys keep their order.
    virtual void Sort();
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    TDuplicates Duplicates = TDuplicates::dupIgnore;
    bool OwnsObjects = false;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
    void SetUpdateState(bool Updating) override;
    virtual void Changed();
    virtual void Changing();
    void InsertItem(int Index, const std::string& S, TObject* AObject);

private:
    void CheckIndex(int Index) const;
    std::vector<std::pair<std::string, TObject*>> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
};
