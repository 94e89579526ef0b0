#pragma once
// String lists whose items may carry an object. Lists never own their objects
// unless OwnsObjects is set; the tournament lists free their parts themselves.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/classes.h"
#include "platform/rtl/stringscore.h"

class TStrings : public TStringsCore<std::string> {
public:
    std::string ClassName() const override { return "TStrings"; }

    void SetStrings(int Index, const std::string& S) { Put(Index, S); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
    void Append(const std::string& S) { Add(S); }
    int IndexOfName(const std::string& Name) const;

    std::string Names(int Index) const;
    std::string ValueFromIndex(int Index) const;
    std::string Values(const std::string& Name) const;
    void SetValues(const std::string& Name, const std::string& Value);

    char NameValueSeparator = '=';
    char Delimiter = ',';
    char QuoteChar = '"';
    bool StrictDelimiter = false;
    std::string LineBreak = "\r\n";

    std::string Text() const { return JoinLines(LineBreak); }
    std::string CommaText() const;
    void SetCommaText(const std::string& Value);
    std::string DelimitedText() const;
    void SetDelimitedText(const std::string& Value);

    void LoadFromFile(const std::string& FileName); // raises EFOpenError when unreadable
    void SaveToFile(const std::string& FileName) const;

    void Assign(const TPersistent* Source) override;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

class TStringList : public TStringItems<TStrings> {
public:
    std::string ClassName() const override { return "TStringList"; }

    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    int Add(const std::string& S) override;
    int AddObject(const std::string& S, TObject* AObject) override;
    int IndexOf(const std::string& S) const override;

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

protected:
    virtual int CompareStrings(const std::string& S1, const std::string& S2) const;

private:
    bool FSorted = false;
    bool FCaseSensitive = false;
};
