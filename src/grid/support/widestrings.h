#pragma once
// Lists of UTF-16 strings with an object per item, and the adapter through which
// code that knows only single-byte string lists reads and writes them.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtl/compstream.h"
#include "platform/rtl/stringlist.h"
#include "platform/rtl/stringscore.h"

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

class TWideStrings : public TStringsCore<std::u16string> {
public:
    TWideStrings();
    ~TWideStrings() override;
    std::string ClassName() const override { return "TWideStrings"; }

    // Within one update: the list reports a single change.
    void Exchange(int Index1, int Index2) override;

    using TStringsCore::AddStrings;
    void AddStrings(const TStrings& Strings); // converted from the code page
    // From a wide or a single-byte list; the list is cleared first.
    void Assign(const TPersistent* Source) override;

    TStrings* AnsiStrings() const { return FAnsiStrings.get(); }

    // The locale of comparisons: the user's at creation.
    LCID Locale() const { return FLocale; }
    void SetLocale(LCID Value) { FLocale = Value; }
    // First item equal ignoring case in the list's locale; -1 when none.
    int IndexOf(const std::u16string& S) const override;

    // Streamed as the one property "WideStrings"; reading takes a list of
    // wide strings, or of single-byte strings converted.
    void WriteProperties(TComponentWriter& Writer) const;
    void ReadProperties(const TStreamedComponent& Component);

    // Every item followed by CR LF.
    std::u16string Text() const { return JoinLines(u"\r\n"); }

protected:
    // Copies the items with their objects into a single-byte list, clearing it first.
    void AssignTo(TPersistent* Dest) const override;

private:
    std::unique_ptr<TAnsiStringsForWideStrings> FAnsiStrings;
    LCID FLocale = GetUserDefaultLCID();
};

// The ordinary wide list: items kept in memory, objects not owned.
class TWideStringList : public TStringItems<TWideStrings> {
public:
    std::string ClassName() const override { return "TWideStringList"; }
};
