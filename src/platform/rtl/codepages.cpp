#include "platform/rtl/codepages.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <string_view>
#include <utility>

#include "platform/rtl/sysutils.h"

namespace {

struct TPageName {
    unsigned CodePage;
    const char* Name;
};

// The converter's name of each code page read here; 1252 and the unknown
// pages are read with the program's own table.
constexpr TPageName Converters[] = {
    {437, "CP437"},   {850, "CP850"},   {852, "CP852"},   {866, "CP866"},      {874, "CP874"},
    {932, "CP932"},   {936, "CP936"},   {949, "CP949"},   {950, "CP950"},      {1250, "CP1250"},
    {1251, "CP1251"}, {1253, "CP1253"}, {1254, "CP1254"}, {1255, "CP1255"},    {1256, "CP1256"},
    {1257, "CP1257"}, {1258, "CP1258"}, {1361, "JOHAB"},  {10000, "MACINTOSH"}};

const char* ConverterName(unsigned CodePage) {
    for (const TPageName& c : Converters)
        if (c.CodePage == CodePage) return c.Name;
    return nullptr;
}

iconv_t Conv(void* P) {
    return static_cast<iconv_t>(P);
}

enum TConvResult { crChar, crIncomplete, crInvalid };

// Converts one whole character's bytes; the converter is left in its start
// state. The Hebrew and Vietnamese pages hold a letter back for a combining
// mark that may follow: the flush lets it out.
TConvResult ConvertOne(void* P, std::string_view Bytes, std::u16string& Out) {
    char in[2];
    Bytes.copy(in, sizeof in);
    char* inp = in;
    size_t inLeft = Bytes.size();
    char16_t buf[8];
    char* outp = reinterpret_cast<char*>(buf);
    size_t outLeft = sizeof buf;
    const size_t n = iconv(Conv(P), &inp, &inLeft, &outp, &outLeft);
    const int err = n == static_cast<size_t>(-1) ? errno : 0;
    if (err == 0) iconv(Conv(P), nullptr, nullptr, &outp, &outLeft);
    iconv(Conv(P), nullptr, nullptr, nullptr, nullptr);
    if (err == EINVAL) return crIncomplete;
    const size_t got = (sizeof buf - outLeft) / sizeof(char16_t);
    if (err != 0 || got == 0) return crInvalid;
    Out.assign(buf, got);
    return crChar;
}

} // namespace

TCodePageDecoder::TCodePageDecoder(unsigned ACodePage) {
    for (unsigned b = 0; b < 256; ++b)
        FTable[b] = Cp1252ToUtf16(std::string(1, static_cast<char>(b)))[0];
    const char* name = ConverterName(ACodePage);
    if (!name) return;
    // UTF-16 in the machine's order: the bytes land in char16_t as they are.
    const char* to = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
    const iconv_t cd = iconv_open(to, name);
    if (cd == reinterpret_cast<iconv_t>(-1)) return; // no converter here: Windows-1252
    FConv = cd;
    FCodePage = ACodePage;
    for (unsigned b = 0; b < 256; ++b) {
        std::u16string ch;
        const char byte = static_cast<char>(b);
        switch (ConvertOne(FConv, std::string_view(&byte, 1), ch)) {
        case crChar:
            FTable[b] = ch.size() == 1 ? ch[0] : u'?';
            break;
        case crIncomplete:
            FLead[b] = true, FTable[b] = u'?';
            break;
        case crInvalid:
            FTable[b] = u'?';
            break;
        }
    }
}

bool KnownCodePage(unsigned CodePage) {
    return CodePage == 1252 || ConverterName(CodePage) != nullptr;
}

TCodePageDecoder::~TCodePageDecoder() {
    if (FConv) iconv_close(Conv(FConv));
}

std::u16string TCodePageDecoder::Decode(unsigned char B) const {
    return std::u16string(1, FTable[B]);
}

std::u16string TCodePageDecoder::Decode(unsigned char Lead, unsigned char Trail) {
    if (!FConv || !FLead[Lead]) return Decode(Lead) + Decode(Trail);
    const char pair[2] = {static_cast<char>(Lead), static_cast<char>(Trail)};
    std::u16string ch;
    if (ConvertOne(FConv, std::string_view(pair, 2), ch) != crChar) return u"?";
    return ch;
}

unsigned CharsetCodePage(int Charset) {
    // Character set and code page: ANSI, Macintosh, Shift-JIS, Hangul, Johab,
    // GB 2312, Big5, Greek, Turkish, Vietnamese, Hebrew, Arabic, Baltic,
    // Cyrillic, Thai, Central European, OEM.
    static constexpr std::pair<int, unsigned> Sets[] = {
        {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {255, 437}};
    for (const auto& [set, page] : Sets)
        if (set == Charset) return page;
    return 0; // default, symbol and the unknown sets
}
