#pragma once
// Settings files in the platform's ini layout: "[Section]" lines, each followed
// by "Name=Value" lines. Values are Windows-1252 text as they stand; sections
// and names match case-insensitively and keep the spelling first written.

#include <functional>
#include <string>
#include <vector>

#include "dateutils.h"
#include "stringlist.h"

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// The parsed text of an ini file. Lines that are neither a section header nor
// "Name=Value" (comments, blank lines) are kept where they stand, so a file
// edited by hand survives being rewritten.
class TIniSections {
public:
    struct TLine {
        std::string Name;
        std::string Value;
        bool IsEntry = true; // false: Value holds the whole line as it stood
    };
    struct TSection {
        std::string Name;
        std::vector<TLine> Lines;
    };

    // Reads lines ending in CR LF or LF; names and values are trimmed.
    void Parse(const std::string& Text);
    // Always CR LF.
    std::string Text() const;

    const TSection* Find(const std::string& Section) const;
    TSection* Find(const std::string& Section);
    TSection& Ensure(const std::string& Section);
    bool Erase(const std::string& Section);
    // nullptr when the section or the name is missing.
    const std::string* Value(const std::string& Section, const std::string& Name) const;
    void SetValue(const std::string& Section, const std::string& Name, const std::string& Value);
    bool DeleteValue(const std::string& Section, const std::string& Name);

    std::vector<std::string> Preamble; // lines before the first section
    std::vector<TSection> Sections;
};

// The operations of an ini file; where the text lives (on disk at every call,
// or in memory until UpdateFile) is the descendant's.
class TCustomIniFile : public TObject {
public:
    // A relative name lies in the program's configuration folder
    // (GetConfigFolder), which is created on the first write.
    explicit TCustomIniFile(const std::string& FileName);
    std::string ClassName() const override { return "TCustomIniFile"; }

    // The full name of the file.
    const std::string& FileName() const { return FFileName; }

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const;
    void WriteString(const std::string& Section, const std::string& Ident,
                     const std::string& Value);
    // Decimal, or hexadecimal with "$" or "0x"; the default for anything else.
    int ReadInteger(const std::string& Section, const std::string& Ident, int Default) const;
    void WriteInteger(const std::string& Section, const std::string& Ident, int Value);
    // Written as "1" or "0"; read as an integer compared with 0.
    bool ReadBool(const std::string& Section, const std::string& Ident, bool Default) const;
    void WriteBool(const std::string& Section, const std::string& Ident, bool Value);
    // In the decimal separator of FormatSettings(), as the platform did.
    double ReadFloat(const std::string& Section, const std::string& Ident, double Default) const;
    void WriteFloat(const std::string& Section, const std::string& Ident, double Value);
    // In the short date and long time formats of FormatSettings().
    TDateTime ReadDate(const std::string& Section, const std::string& Ident,
                       TDateTime Default) const;
    void WriteDate(const std::string& Section, const std::string& Ident, TDateTime Value);
    TDateTime ReadTime(const std::string& Section, const std::string& Ident,
                       TDateTime Default) const;
    void WriteTime(const std::string& Section, const std::string& Ident, TDateTime Value);

    // Each of these first clears Strings.
    void ReadSection(const std::string& Section, TStrings* Strings) const; // names
    void ReadSections(TStrings* Strings) const;
    void ReadSectionValues(const std::string& Section, TStrings* Strings) const; // "Name=Value"

    bool SectionExists(const std::string& Section) const;
    bool ValueExists(const std::string& Section, const std::string& Ident) const;
    void EraseSection(const std::string& Section);
    void DeleteKey(const std::string& Section, const std::string& Ident);
    // Makes sure the file on disk holds what was written.
    virtual void UpdateFile() = 0;

protected:
    // Runs Look on the text as it stands.
    virtual void Inspect(const std::function<void(const TIniSections&)>& Look) const = 0;
    // Runs Edit on the text; Edit answers whether it changed anything.
    virtual void Change(const std::function<bool(TIniSections&)>& Edit) = 0;
    // The file as it is on disk: empty when it is missing or unreadable, so
    // that every value reads as its default.
    TIniSections Load() const;
    // Replaces the file whole (atomically); EIniFileException on failure.
    void Save(const TIniSections& Data);
    // As the constructor names the file.
    void SetFileName(const std::string& FileName);

private:
    std::string FFileName;
    bool FInConfigFolder = false;
};

// Every write goes to disk at once, as the platform's ini file did, through an
// atomic replace: the file is re-read, changed and written whole, so a crash
// leaves the old or the new file and changes made meanwhile by another program
// are kept. Reads also go to the file, so two objects on one file agree. For
// many values at once (a program's settings) TMemIniFile reads and writes the
// file once.
class TIniFile : public TCustomIniFile {
public:
    using TCustomIniFile::TCustomIniFile;
    std::string ClassName() const override { return "TIniFile"; }
    // Writes are never held back; this only makes sure the file is on disk.
    void UpdateFile() override;

protected:
    void Inspect(const std::function<void(const TIniSections&)>& Look) const override;
    void Change(const std::function<bool(TIniSections&)>& Edit) override;
};

// The file read once, when the object is made; reads and writes then work on
// that text in memory, and UpdateFile writes it back whole in one atomic
// replace, so the file on disk holds all of one save or all of the one before,
// never a mix. Nothing reaches the disk without UpdateFile.
class TMemIniFile : public TCustomIniFile {
public:
    explicit TMemIniFile(const std::string& FileName);
    std::string ClassName() const override { return "TMemIniFile"; }
    // Writes the text when anything changed since it was read or written, or
    // when the file does not exist yet.
    void UpdateFile() override;
    // Makes FileName the file: with Reload its text replaces the one in
    // memory; without, the text in memory is what UpdateFile writes there.
    void Rename(const std::string& FileName, bool Reload);

protected:
    void Inspect(const std::function<void(const TIniSections&)>& Look) const override;
    void Change(const std::function<bool(TIniSections&)>& Edit) override;

private:
    TIniSections FData;
    bool FChanged = false;
};
