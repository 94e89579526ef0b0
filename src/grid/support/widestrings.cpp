#include "grid/support/widestrings.h"

#include "platform/rtl/sysutils.h"

// --- TAnsiStringsForWideStrings -------------------------------------------------

int TAnsiStringsForWideStrings::Count() const {
    return FWideStrings->Count();
}

std::string TAnsiStringsForWideStrings::Get(int Index) const {
    return Utf16ToCp1252(FWideStrings->Get(Index));
}

void TAnsiStringsForWideStrings::Put(int Index, const std::string& S) {
    FWideStrings->Put(Index, Cp1252ToUtf16(S));
}

TObject* TAnsiStringsForWideStrings::GetObject(int Index) const {
    return FWideStrings->GetObject(Index);
}

void TAnsiStringsForWideStrings::PutObject(int Index, TObject* AObject) {
    FWideStrings->PutObject(Index, AObject);
}

void TAnsiStringsForWideStrings::Insert(int Index, const std::string& S) {
    FWideStrings->Insert(Index, Cp1252ToUtf16(S));
}

void TAnsiStringsForWideStrings::Delete(int Index) {
    FWideStrings->Delete(Index);
}
void TAnsiStringsForWideStrings::Clear() {
    FWideStrings->Clear();
}

void TAnsiStringsForWideStrings::SetUpdateState(bool Updating) {
    if (Updating)
        FWideStrings->BeginUpdate();
    else
        FWideStrings->EndUpdate();
}

// --- TWideStrings ---------------------------------------------------------------

TWideStrings::TWideStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStrings>(this)) {}
TWideStrings::~TWideStrings() = default;

void TWideStrings::Exchange(int Index1, int Index2) {
    BeginUpdate();
    TStringsCore::Exchange(Index1, Index2);
    EndUpdate();
}

void TWideStrings::AddStrings(const TStrings& Strings) {
    BeginUpdate();
    for (int i = 0; i < Strings.Count(); ++i)
        AddObject(Cp1252ToUtf16(Strings.Get(i)), Strings.GetObject(i));
    EndUpdate();
}

void TWideStrings::Assign(const TPersistent* Source) {
    if (Source == this || Source == FAnsiStrings.get()) return;
    if (const auto* wide = dynamic_cast<const TWideStrings*>(Source)) {
        BeginUpdate();
        Clear();
        AddStrings(*wide);
        EndUpdate();
        return;
    }
    if (const auto* ansi = dynamic_cast<const TStrings*>(Source)) {
        BeginUpdate();
        Clear();
        AddStrings(*ansi);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

void TWideStrings::AssignTo(TPersistent* Dest) const {
    auto* ansi = dynamic_cast<TStrings*>(Dest);
    if (!ansi) {
        TPersistent::AssignTo(Dest);
        return;
    }
    if (ansi == FAnsiStrings.get()) return;
    ansi->BeginUpdate();
    ansi->Clear();
    for (int i = 0; i < Count(); ++i)
        ansi->AddObject(Utf16ToCp1252(Get(i)), GetObject(i));
    ansi->EndUpdate();
}

int TWideStrings::IndexOf(const std::u16string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareWideText(Get(i), S, FLocale) == 0) return i;
    return -1;
}

namespace {
constexpr char StreamedName[] = "WideStrings";
}

void TWideStrings::WriteProperties(TComponentWriter& Writer) const {
    std::vector<std::u16string> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(Get(i));
    Writer.WriteWideStrings(StreamedName, items);
}

void TWideStrings::ReadProperties(const TStreamedComponent& Component) {
    if (!Component.Find(StreamedName)) return;
    BeginUpdate();
    Clear();
    for (const std::u16string& item : Component.WideStrings(StreamedName))
        Add(item);
    EndUpdate();
}
