#include "inifiles.h"

#include <functional>
#include <iterator>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "files.h"

namespace {
bool SameName(const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) == 0;
}

// What two names that SameName takes for one have in common.
std::string NameKey(const std::string& Name) {
    return AnsiUpperCase(Name);
}
} // namespace

// --- TIniSections ------------------------------------------------------------

void TIniSections::Parse(const std::string& Text) {
    Preamble.clear();
    Sections.clear();
    // One pass: sections and names are found through these keys, so a file of
    // many sections or names costs no more per line than a small one.
    std::unordered_map<std::string, size_t> sectionAt;
    std::vector<std::unordered_set<std::string>> names;
    size_t current = 0;
    bool inSection = false;
    size_t pos = 0;
    while (pos < Text.size()) {
        size_t end = Text.find('\n', pos);
        if (end == std::string::npos) end = Text.size();
        std::string line = Text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            // A repeated header continues the first section of that name.
            const std::string name = Trim(trimmed.substr(1, trimmed.size() - 2));
            const auto [at, isNew] = sectionAt.emplace(NameKey(name), Sections.size());
            if (isNew) {
                Sections.push_back({name, {}});
                names.emplace_back();
            }
            current = at->second;
            inSection = true;
            continue;
        }
        const size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos || trimmed[0] == ';') {
            if (inSection)
                Sections[current].Lines.push_back({"", line, false});
            else
                Preamble.push_back(line);
            continue;
        }
        const std::string name = Trim(line.substr(0, eq));
        // Of two equal names the first is the one read, so it is the one kept.
        if (names[current].insert(NameKey(name)).second)
            Sections[current].Lines.push_back({name, Trim(line.substr(eq + 1)), true});
    }
}

std::string TIniSections::Text() const {
    std::string out;
    for (const std::string& line : Preamble)
        out += line + "\r\n";
    for (const TSection& section : Sections) {
        out += "[" + section.Name + "]\r\n";
        for (const TLine& line : section.Lines)
            out += (line.IsEntry ? line.Name + "=" + line.Value : line.Value) + "\r\n";
    }
    return out;
}

const TIniSections::TSection* TIniSections::Find(const std::string& Section) const {
    for (const TSection& section : Sections)
        if (SameName(section.Name, Section)) return &section;
    return nullptr;
}

TIniSections::TSection* TIniSections::Find(const std::string& Section) {
    return const_cast<TSection*>(std::as_const(*this).Find(Section));
}

TIniSections::TSection& TIniSections::Ensure(const std::string& Section) {
    if (TSection* found = Find(Section)) return *found;
    Sections.push_back({Section, {}});
    return Sections.back();
}

bool TIniSections::Erase(const std::string& Section) {
    for (auto it = Sections.begin(); it != Sections.end(); ++it)
        if (SameName(it->Name, Section)) {
            Sections.erase(it);
            return true;
        }
    return false;
}

const std::string* TIniSections::Value(const std::string& Section, const std::string& Name) const {
    if (const TSection* section = Find(Section))
        for (const TLine& line : section->Lines)
            if (line.IsEntry && SameName(line.Name, Name)) return &line.Value;
    return nullptr;
}

void TIniSections::SetValue(const std::string& Section, const std::string& Name,
                            const std::string& Value) {
    TSection& section = Ensure(Section);
    for (TLine& line : section.Lines)
        if (line.IsEntry && SameName(line.Name, Name)) {
            line.Value = Value;
            return;
        }
    // After the last entry, so comments and blank lines that close the
    // section stay at its end.
    auto at = section.Lines.end();
    while (at != section.Lines.begin() && !std::prev(at)->IsEntry)
        --at;
    section.Lines.insert(at, {Name, Value, true});
}

bool TIniSections::DeleteValue(const std::string& Section, const std::string& Name) {
    if (TSection* section = Find(Section))
        for (auto it = section->Lines.begin(); it != section->Lines.end(); ++it)
            if (it->IsEntry && SameName(it->Name, Name)) {
                section->Lines.erase(it);
                return true;
            }
    return false;
}

// --- TCustomIniFile -------------------------------------------------------------

TCustomIniFile::TCustomIniFile(const std::string& FileName) {
    SetFileName(FileName);
}

void TCustomIniFile::SetFileName(const std::string& FileName) {
    FInConfigFolder = FileName.empty() || FileName[0] != PathDelim;
    FFileName = FInConfigFolder ? GetConfigFolder() + FileName : FileName;
}

TIniSections TCustomIniFile::Load() const {
    TIniSections data;
    // A missing or unreadable file reads as empty, so every value its default.
    if (FileExists(FFileName)) {
        try {
            data.Parse(ReadFileBytes(FFileName));
        } catch (const EFOpenError&) {
        }
    }
    return data;
}

void TCustomIniFile::Save(const TIniSections& Data) {
    if (FInConfigFolder) ForceDirectories(ExtractFileDir(FFileName));
    try {
        WriteFileAtomic(FFileName, Data.Text());
    } catch (const EFCreateError&) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}

std::string TCustomIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                       const std::string& Default) const {
    std::string result = Default;
    Inspect([&](const TIniSections& Data) {
        if (const std::string* value = Data.Value(Section, Ident)) result = *value;
    });
    return result;
}

void TCustomIniFile::WriteString(const std::string& Section, const std::string& Ident,
                                 const std::string& Value) {
    // Line breaks would make the value spill into lines of its own.
    std::string clean = Value;
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    clean = Trim(clean);
    Change([&](TIniSections& Data) {
        Data.SetValue(Section, Ident, clean);
        return true;
    });
}

int TCustomIniFile::ReadInteger(const std::string& Section, const std::string& Ident,
                                int Default) const {
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const std::string& Section, const std::string& Ident,
                              bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TCustomIniFile::ReadFloat(const std::string& Section, const std::string& Ident,
                                 double Default) const {
    return StrToFloatDef(ReadString(Section, Ident, ""), Default);
}

void TCustomIniFile::WriteFloat(const std::string& Section, const std::string& Ident,
                                double Value) {
    WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDate(const std::string& Section, const std::string& Ident,
                                   TDateTime Default) const {
    TDateTime value;
    return TryStrToDate(ReadString(Section, Ident, ""), value) ? value : Default;
}

void TCustomIniFile::WriteDate(const std::string& Section, const std::string& Ident,
                               TDateTime Value) {
    WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TCustomIniFile::ReadTime(const std::string& Section, const std::string& Ident,
                                   TDateTime Default) const {
    TDateTime value;
    return TryStrToTime(ReadString(Section, Ident, ""), value) ? value : Default;
}

void TCustomIniFile::WriteTime(const std::string& Section, const std::string& Ident,
                               TDateTime Value) {
    WriteString(Section, Ident, TimeToStr(Value));
}

void TCustomIniFile::ReadSection(const std::string& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    Inspect([&](const TIniSections& Data) {
        if (const TIniSections::TSection* section = Data.Find(Section))
            for (const TIniSections::TLine& line : section->Lines)
                if (line.IsEntry) Strings->Add(line.Name);
    });
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    Inspect([&](const TIniSections& Data) {
        for (const TIniSections::TSection& section : Data.Sections)
            Strings->Add(section.Name);
    });
    Strings->EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    Inspect([&](const TIniSections& Data) {
        if (const TIniSections::TSection* section = Data.Find(Section))
            for (const TIniSections::TLine& line : section->Lines)
                if (line.IsEntry) Strings->Add(line.Name + "=" + line.Value);
    });
    Strings->EndUpdate();
}

bool TCustomIniFile::SectionExists(const std::string& Section) const {
    bool found = false;
    Inspect([&](const TIniSections& Data) { found = Data.Find(Section) != nullptr; });
    return found;
}

bool TCustomIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
    bool found = false;
    Inspect([&](const TIniSections& Data) { found = Data.Value(Section, Ident) != nullptr; });
    return found;
}

void TCustomIniFile::EraseSection(const std::string& Section) {
    Change([&](TIniSections& Data) { return Data.Erase(Section); });
}

void TCustomIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
    Change([&](TIniSections& Data) { return Data.DeleteValue(Section, Ident); });
}

// --- TIniFile -------------------------------------------------------------------

void TIniFile::Inspect(const std::function<void(const TIniSections&)>& Look) const {
    Look(Load());
}

void TIniFile::Change(const std::function<bool(TIniSections&)>& Edit) {
    TIniSections data = Load();
    if (Edit(data)) Save(data);
}

void TIniFile::UpdateFile() {
    if (!FileExists(FileName())) Save(Load());
}

// --- TMemIniFile ----------------------------------------------------------------

TMemIniFile::TMemIniFile(const std::string& FileName) : TCustomIniFile(FileName) {
    FData = Load();
}

void TMemIniFile::Inspect(const std::function<void(const TIniSections&)>& Look) const {
    Look(FData);
}

void TMemIniFile::Change(const std::function<bool(TIniSections&)>& Edit) {
    if (Edit(FData)) FChanged = true;
}

void TMemIniFile::UpdateFile() {
    if (!FChanged && FileExists(FileName())) return;
    Save(FData);
    FChanged = false;
}

void TMemIniFile::Rename(const std::string& FileName, bool Reload) {
    SetFileName(FileName);
    if (Reload) FData = Load();
    FChanged = !Reload;
}
