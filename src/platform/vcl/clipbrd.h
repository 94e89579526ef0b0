#pragma once
// The clipboard. Text is Windows-1252 inside the program and converted at the
// edge (TAB and CR LF pass as given). Other formats are registered by name and
// carried as bytes: "Rich Text Format" as rich text that other programs read,
// every other name as the program's own type. Several formats set between Open
// and Close land together, as one clipboard content.

#include <map>
#include <memory>
#include <string>

constexpr unsigned CF_TEXT = 1;
constexpr unsigned CF_UNICODETEXT = 13;

// The number of a named format (the same name gives the same number).
unsigned RegisterClipboardFormat(const std::string& Name);
std::string ClipboardFormatName(unsigned Format);

class TClipboard {
public:
    // Sessions nest; the content is published when the outermost one closes.
    void Open();
    void Close();
    // Empties the clipboard (within a session: the content being built).
    void Clear();

    std::string AsText() const;
    void SetAsText(const std::string& Value);
    // Text beyond the code page (Cyrillic, Greek); it wins over the
    // single-byte text set in the same session.
    std::u16string AsWideText() const;
    void SetAsWideText(const std::u16string& Value);
    bool HasFormat(unsigned Format) const;
    // The bytes of a format ("" when absent) and setting them.
    std::string GetBuffer(unsigned Format) const;
    void SetBuffer(unsigned Format, const std::string& Data);

private:
    void Adding();
    int FOpenCount = 0;
    bool FEmptied = false;
    std::map<unsigned, std::string> FPending; // what the open session has set
};

// The one clipboard of the program.
TClipboard* Clipboard();
