#include "grid/delimitedtext.h"

#include <algorithm>
#include <cstring>

#include "grid/support/gridtext.h"

namespace {

// The first two lines of a text (the second empty when there is none).
void FirstTwoLines(const std::string& Data, std::string& Line1, std::string& Line2) {
    const size_t e1 = Data.find_first_of("\r\n");
    Line1 = Data.substr(0, e1);
    Line2.clear();
    if (e1 == std::string::npos) return;
    const size_t s2 =
        e1 + ((Data[e1] == '\r' && e1 + 1 < Data.size() && Data[e1 + 1] == '\n') ? 2 : 1);
    const size_t e2 = Data.find_first_of("\r\n", s2);
    Line2 = Data.substr(s2, e2 == std::string::npos ? std::string::npos : e2 - s2);
}

} // namespace

TDelimitedReader::TDelimitedReader(const char* Data, size_t Size, char Delimiter)
    : FData(Data), FSize(Size), FDelim(Delimiter) {}

size_t TDelimitedReader::LineEnd(size_t From) const {
    for (size_t i = From; i < FSize; ++i)
        if (FData[i] == '\n' || FData[i] == '\r') return i;
    return FSize;
}

bool TDelimitedReader::CrossesLine(size_t From, size_t To) const {
    return LineEnd(From) < To;
}

size_t TDelimitedReader::SkipBreak(size_t At) const {
    if (At >= FSize) return FSize;
    if (FData[At] == '\r' && At + 1 < FSize && FData[At + 1] == '\n') return At + 2;
    return At + 1;
}

bool TDelimitedReader::Next(std::vector<std::string>& Fields, std::vector<bool>& Quoted) {
    Fields.clear();
    Quoted.clear();
    if (FPos >= FSize) return false;
    size_t p = FPos;
    for (;;) {
        std::string field;
        bool quoted = false;
        if (p < FSize && FData[p] == '"') {
            // Quoted: up to the first quote that is not doubled.
            size_t q = p + 1;
            bool closed = false;
            const size_t lineEnd = FMultiLine ? FSize : LineEnd(q);
            while (q < lineEnd) {
                const char* hit =
                    static_cast<const char*>(std::memchr(FData + q, '"', lineEnd - q));
                if (!hit) break;
                const size_t h = static_cast<size_t>(hit - FData);
                field.append(FData + q, h - q);
                if (h + 1 < FSize && FData[h + 1] == '"') {
                    field += '"';
                    q = h + 2;
                    continue;
                }
                q = h + 1;
                // A field that spans lines is taken only when it ends the way a
                // spreadsheet writes it; a stray quote would swallow the lines
                // after it.
                closed = !CrossesLine(p + 1, h) || q >= FSize || IsDelim(FData[q]) ||
                         FData[q] == '\r' || FData[q] == '\n';
                break;
            }
            if (!closed) {
                // No closing quote: the field keeps the rest of its line only.
                FMultiLine = false;
                const size_t end = LineEnd(p + 1);
                field = CollapseDoubledChar(std::string(FData + p + 1, end - p - 1), '"');
                Fields.push_back(std::move(field));
                Quoted.push_back(true);
                FPos = SkipBreak(end);
                return true;
            }
            quoted = true;
            // What follows the closing quote up to the delimiter is dropped.
            while (q < FSize && !IsDelim(FData[q]) && FData[q] != '\r' && FData[q] != '\n')
                ++q;
            p = q;
        } else {
            size_t q = p;
            while (q < FSize && !IsDelim(FData[q]) && FData[q] != '\r' && FData[q] != '\n')
                ++q;
            field.assign(FData + p, q - p);
            p = q;
        }
        Fields.push_back(std::move(field));
        Quoted.push_back(quoted);
        if (p < FSize && IsDelim(FData[p])) {
            ++p;
            if (p >= FSize) {
                Fields.emplace_back();
                Quoted.push_back(false);
                break;
            }
            continue;
        }
        break;
    }
    FPos = SkipBreak(p);
    return true;
}

size_t CountTextLines(const char* Data, size_t Size) {
    size_t lines = 0;
    for (size_t i = 0; i < Size; ++i) {
        if (Data[i] == '\r') {
            ++lines;
            if (i + 1 < Size && Data[i + 1] == '\n') ++i;
        } else if (Data[i] == '\n')
            ++lines;
    }
    if (Size > 0 && Data[Size - 1] != '\n' && Data[Size - 1] != '\r') ++lines;
    return lines;
}

char DetectDelimiter(const std::string& Line1, const std::string& Line2) {
    static constexpr char Candidates[10] = {',', ';', '#', '\t', '|', '@', '*', '-', '+', '&'};
    char delim = '\0';
    int best = 0;
    for (const char c : Candidates) {
        const int n1 = CountUnpairedChars(Line1, c), n2 = CountUnpairedChars(Line2, c);
        if (n1 == n2 && n1 > best) delim = c, best = n1;
    }
    if (best == 0)
        for (const char c : Candidates) {
            const int n1 = CountChar(Line1, c), n2 = CountChar(Line2, c);
            if (n1 == n2 && n1 > best) delim = c, best = n1;
        }
    if (best == 0)
        for (const char c : Candidates) {
            const int n1 = CountChar(Line1, c), n2 = CountChar(Line2, c);
            if (n1 > best || n2 > best) delim = c, best = std::max(n1, n2);
        }
    return delim;
}

namespace {

template <class S> S QuoteFieldOf(const S& Text) {
    using C = typename S::value_type;
    const bool plain = std::none_of(
        Text.begin(), Text.end(), [](C c) { return c == C('\r') || c == C('\n') || c == C('\t'); });
    if (plain && (Text.empty() || Text[0] != C('"'))) return Text;
    S q(1, C('"'));
    for (const C c : Text) {
        if (c == C('"')) q += C('"');
        q += c;
    }
    return q + C('"');
}

} // namespace

std::string QuoteField(const std::string& Text) {
    return QuoteFieldOf(Text);
}

std::u16string QuoteField(const std::u16string& Text) {
    return QuoteFieldOf(Text);
}

char DetectTextDelimiter(const std::string& Data) {
    std::string l1, l2;
    FirstTwoLines(Data, l1, l2);
    return DetectDelimiter(l1, l2);
}
