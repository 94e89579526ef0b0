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

// --- comparison -----------------------------------------------------------------

char16_t WideUpperChar(char16_t C) {
    if (C >= u'a' && C <= u'z') return static_cast<char16_t>(C - 32);
    if (C < 0x80) return C;
    // Latin-1: à..þ except the division sign; ÿ has its capital in Latin Extended-A.
    if (C >= 0xE0 && C <= 0xFE && C != 0xF7) return static_cast<char16_t>(C - 32);
    if (C == 0xFF) return 0x178;
    if (C == 0xB5) return 0x39C;
    // Latin Extended-A: capital and small letter side by side.
    if ((C >= 0x100 && C <= 0x137) || (C >= 0x14A && C <= 0x177))
        return static_cast<char16_t>(C & ~1u);
    if ((C >= 0x139 && C <= 0x148) || (C >= 0x179 && C <= 0x17E))
        return (C & 1u) ? C : static_cast<char16_t>(C - 1);
    // Greek and Cyrillic.
    if (C >= 0x3B1 && C <= 0x3CB && C != 0x3C2) return static_cast<char16_t>(C - 32);
    if (C == 0x3C2) return 0x3A3;
    if (C >= 0x430 && C <= 0x44F) return static_cast<char16_t>(C - 32);
    if (C >= 0x450 && C <= 0x45F) return static_cast<char16_t>(C - 80);
    return C;
}

int CompareWideText(const std::u16string& A, const std::u16string& B) {
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        const char16_t a = WideUpperChar(A[i]), b = WideUpperChar(B[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    if (A.size() == B.size()) return 0;
    return A.size() < B.size() ? -1 : 1;
}

// --- TWideStrings ---------------------------------------------------------------

TWideStrings::TWideStrings() : FAnsiStrings(std::make_unique<TAnsiStringsForWideStrings>(this)) {}
TWideStrings::~TWideStrings() = default;

void TWideStrings::Put(int Index, const std::u16string& S) {
    TObject* obj = GetObject(Index);
    Delete(Index);
    InsertObject(Index, S, obj);
}

int TWideStrings::Add(const std::u16string& S) {
    const int result = Count();
    Insert(result, S);
    return result;
}

int TWideStrings::AddObject(const std::u16string& S, TObject* AObject) {
    const int result = Add(S);
    PutObject(result, AObject);
    return result;
}

void TWideStrings::InsertObject(int Index, const std::u16string& S, TObject* AObject) {
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TWideStrings::Exchange(int Index1, int Index2) {
    const std::u16string s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    BeginUpdate();
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
    EndUpdate();
}

void TWideStrings::Move(int CurIndex, int NewIndex) {
    if (CurIndex == NewIndex) return;
    BeginUpdate();
    const std::u16string s = Get(CurIndex);
    TObject* obj = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, obj);
    EndUpdate();
}

int TWideStrings::IndexOf(const std::u16string& S) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareWideText(Get(i), S) == 0) return i;
    return -1;
}

bool TWideStrings::Equals(const TWideStrings& Other) const {
    if (Count() != Other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != Other.Get(i)) return false;
    return true;
}

void TWideStrings::BeginUpdate() {
    if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TWideStrings::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TWideStrings::AddStrings(const TWideStrings& Strings) {
    BeginUpdate();
    for (int i = 0; i < Strings.Count(); ++i)
        AddObject(Strings.Get(i), Strings.GetObject(i));
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

std::u16string TWideStrings::Text() const {
    std::u16string out;
    for (int i = 0; i < Count(); ++i) {
        out += Get(i);
        out += u"\r\n";
    }
    return out;
}

void TWideStrings::SetText(const std::u16string& Value) {
    BeginUpdate();
    Clear();
    size_t start = 0;
    size_t i = 0;
    while (i < Value.size()) {
        const char16_t c = Value[i];
        const bool isBreak =
            c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == 0x2028 || c == 0x2029;
        if (!isBreak) {
            ++i;
            continue;
        }
        Add(Value.substr(start, i - start));
        i += (c == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ? 2 : 1;
        start = i;
    }
    if (start < Value.size()) Add(Value.substr(start));
    EndUpdate();
}

void TWideStrings::Error(const std::string& Msg, int Data) const {
    throw EListError(Msg + " (" + IntToStr(Data) + ")");
}

// --- TWideStringList ------------------------------------------------------------

void TWideStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) Error("List index out of bounds", Index);
}

void TWideStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TWideStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TWideStringList::SetUpdateState(bool Updating) {
    if (Updating)
        Changing();
    else
        Changed();
}

std::u16string TWideStringList::Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].first;
}

void TWideStringList::Put(int Index, const std::u16string& S) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].first = S;
    Changed();
}

TObject* TWideStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)].second;
}

void TWideStringList::PutObject(int Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FList[static_cast<size_t>(Index)].second = AObject;
    Changed();
}

void TWideStringList::Insert(int Index, const std::u16string& S) {
    if (Index < 0 || Index > Count()) Error("List index out of bounds", Index);
    Changing();
    FList.insert(FList.begin() + Index, {S, nullptr});
    Changed();
}

void TWideStringList::Delete(int Index) {
    CheckIndex(Index);
    Changing();
    FList.erase(FList.begin() + Index);
    Changed();
}

void TWideStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TWideStringList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FList[static_cast<size_t>(Index1)], FList[static_cast<size_t>(Index2)]);
    Changed();
}
