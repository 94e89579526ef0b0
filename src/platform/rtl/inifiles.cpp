#include "inifiles.h"

#include <iterator>
#include <utility>

#include "files.h"

namespace {
bool SameName(const std::string& a, const std::string& b) {
    return AnsiCompareText(a, b) == 0;
}
} // namespace

// --- TIniSections ------------------------------------------------------------

void TIniSections::Parse(const std::string& Text) {
    Preamble.clear();
    Sections.clear();
    TSection* current = nullptr;
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
            current = &Ensure(Trim(trimmed.substr(1, trimmed.size() - 2)));
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos || trimmed[0] == ';') {
            if (current)
                current->Lines.push_back({"", line, false});
            else
                Preamble.push_back(line);
            continue;
        }
        const std::string name = Trim(line.substr(0, eq));
        bool known = false;
        for (const TLine& l : current->Lines)
            if (l.IsEntry && SameName(l.Name, name)) known = true;
        // Of two equal names the first is the one read, so it is the one kept.
        if (!known) current->Lines.push_back({name, Trim(line.substr(eq + 1)), true});
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

// --- TIniFile -------------------------------------------------------------------

TIniFile::TIniFile(const std::string& FileName) {
    FInConfigFolder = FileName.empty() || FileName[0] != PathDelim;
    FFileName = FInConfigFolder ? GetConfigFolder() + FileName : FileName;
}

TIniSections TIniFile::Load() const {
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

void TIniFile::Save(const TIniSections& Data) {
    if (FInConfigFolder) ForceDirectories(ExtractFileDir(FFileName));
    try {
        WriteFileAtomic(FFileName, Data.Text());
    } catch (const EFCreateError&) {
        throw EIniFileException("Unable to write to " + FFileName);
    }
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Ident,
                                 const std::string& Default) const {
    const TIniSections data = Load();
    const std::string* value = data.Value(Section, Ident);
    return value ? *value : Default;
}

void TIniFile::WriteString(const std::string& Section, const std::string& Ident,
                           const std::string& Value) {
    TIniSections data = Load();
    // Line breaks would make the value spill into lines of its own.
    std::string clean = Value;
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    data.SetValue(Section, Ident, Trim(clean));
    Save(data);
}

int TIniFile::ReadInteger(const std::string& Section, const std::string& Ident, int Default) const {
    return StrToIntDef(ReadString(Section, Ident, ""), Default);
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Ident, int Value) {
    WriteString(Section, Ident, IntToStr(Value));
}

bool TIniFile::ReadBool(const std::string& Section, const std::string& Ident, bool Default) const {
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const std::string& Section, const std::string& Ident, bool Value) {
    WriteString(Section, Ident, Value ? "1" : "0");
}

double TIniFile::ReadFloat(const std::string& Section, const std::string& Ident,
                           double Default) const {
    return StrToFloatDef(ReadString(Section, Ident, ""), Default);
}

void TIniFile::WriteFloat(const std::string& Section, const std::string& Ident, double Value) {
    WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TIniFile::ReadDate(const std::string& Section, const std::string& Ident,
                             TDateTime Default) const {
    TDateTime value;
    return TryStrToDate(ReadString(Section, Ident, ""), value) ? value : Default;
}

void TIniFile::WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value) {
    WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TIniFile::ReadTime(const std::string& Section, const std::string& Ident,
                             TDateTime Default) const {
    TDateTime value;
    return TryStrToTime(ReadString(Section, Ident, ""), value) ? value : Default;
}

void TIniFile::WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value) {
    WriteString(Section, Ident, TimeToStr(Value));
}

void TIniFile::ReadSection(const std::string& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    const TIniSections data = Load();
    if (const TIniSections::TSection* section = data.Find(Section))
        for (const TIniSections::TLine& line : section->Lines)
            if (line.IsEntry) Strings->Add(line.Name);
    Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    for (const TIniSections::TSection& section : Load().Sections)
        Strings->Add(section.Name);
    Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const std::string& Section, TStrings* Strings) const {
    Strings->BeginUpdate();
    Strings->Clear();
    const TIniSections data = Load();
    if (const TIniSections::TSection* section = data.Find(Section))
        for (const TIniSections::TLine& line : section->Lines)
            if (line.IsEntry) Strings->Add(line.Name + "=" + line.Value);
    Strings->EndUpdate();
}

bool TIniFile::SectionExists(const std::string& Section) const {
    return Load().Find(Section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Ident) const {
    return Load().Value(Section, Ident) != nullptr;
}

void TIniFile::EraseSection(const std::string& Section) {
    TIniSections data = Load();
    if (data.Erase(Section)) Save(data);
}

void TIniFile::DeleteKey(const std::string& Section, const std::string& Ident) {
    TIniSections data = Load();
    if (data.DeleteValue(Section, Ident)) Save(data);
}

void TIniFile::UpdateFile() {
    if (!FileExists(FFileName)) Save(Load());
}
