#pragma once
// Records of delimited text (CSV files, the clipboard's tab-separated cells)
// read back exactly as the grid and spreadsheet programs write them.
//
// A record ends at CR LF, LF or a lone CR; a text that ends with a line break
// has no empty record after it. A field that starts with a double quote runs
// to the next lone double quote, delimiters and line breaks included; a
// doubled quote inside it is one quote, and whatever stands between the
// closing quote and the next delimiter is dropped. A field runs over line
// breaks only when its closing quote is followed by a delimiter, a line break
// or the end. A quoted field whose closing quote never comes (or comes
// otherwise on a later line) keeps the rest of its own line, and reading goes
// on at the next line (such a text makes no multi-line fields after it).

#include <cstddef>
#include <string>
#include <vector>

class TDelimitedReader {
public:
    // Delimiter '\0': every record is one field.
    TDelimitedReader(const char* Data, size_t Size, char Delimiter);
    // The next record's fields, false at the end of the text. Quoted marks
    // the fields that were quoted (same length as Fields).
    bool Next(std::vector<std::string>& Fields, std::vector<bool>& Quoted);
    // Where the reader stands, for progress.
    size_t Position() const { return FPos; }

private:
    bool IsDelim(char C) const { return FDelim != '\0' && C == FDelim; }
    size_t LineEnd(size_t From) const;
    size_t SkipBreak(size_t At) const; // past the line break at At
    bool CrossesLine(size_t From, size_t To) const;
    const char* FData;
    size_t FSize;
    char FDelim;
    size_t FPos = 0;
    bool FMultiLine = true;
};

// The line count of a text as the reader sees lines (no multi-line fields).
size_t CountTextLines(const char* Data, size_t Size);

// The delimiter of a delimited text found from its first two lines: the first
// candidate (in table order) with the same number of unpaired occurrences on
// both, most first; then plain occurrences alike; then the most on either
// line. '\0' when no candidate occurs.
char DetectDelimiter(const std::string& Line1, const std::string& Line2);
// The same from a whole text's first two lines (the second empty when there
// is none).
char DetectTextDelimiter(const std::string& Data);

// A cell's text as a tab-separated copy carries it: quoted (quotes doubled)
// when it holds a tab or a line break or starts with a quote, else as it is.
std::string QuoteField(const std::string& Text);
std::u16string QuoteField(const std::u16string& Text);
