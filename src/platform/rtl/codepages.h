#pragma once
// Text of the Windows code pages other programs write (rich text from a
// Cyrillic, Greek or Japanese system, old DOS files) read as UTF-16. The
// program's own text stays Windows-1252; this is for reading what comes in.

#include <array>
#include <string>

// Decodes the bytes of one code page, a character at a time: a byte, or in
// the double-byte code pages (932, 936, 949, 950, 1361) a lead byte and its
// trail byte. A code page the decoder does not know is read as Windows-1252.
class TCodePageDecoder {
public:
    explicit TCodePageDecoder(unsigned ACodePage);
    ~TCodePageDecoder();
    TCodePageDecoder(const TCodePageDecoder&) = delete;
    TCodePageDecoder& operator=(const TCodePageDecoder&) = delete;

    // The code page the bytes are read in (1252 for an unknown one).
    unsigned CodePage() const { return FCodePage; }
    // Whether B starts a character of two bytes.
    bool IsLeadByte(unsigned char B) const { return FLead[B]; }
    // The character of a single byte; '?' where the code page has none.
    std::u16string Decode(unsigned char B) const;
    // The character of a lead byte and its trail byte; '?' where there is none.
    std::u16string Decode(unsigned char Lead, unsigned char Trail);

private:
    unsigned FCodePage = 1252;
    void* FConv = nullptr; // the converter, kept for the pairs of double-byte pages
    std::array<char16_t, 256> FTable{};
    std::array<bool, 256> FLead{};
};

// Whether the decoder reads the code page as itself rather than as Windows-1252.
bool KnownCodePage(unsigned CodePage);

// The code page of a font's character set as rich text names it (\fcharset):
// 204 Cyrillic is 1251, 161 Greek 1253, 128 Shift-JIS 932, ...; 0 for the
// sets that name no code page of their own (1 default, 2 symbol, unknown).
unsigned CharsetCodePage(int Charset);
