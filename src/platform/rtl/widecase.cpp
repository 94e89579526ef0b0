// Case-insensitive comparison of UTF-16 text for every script: the case key
// of a character is its upper case after case folding, from a table made
// with Qt's character data (scripts/gen-widecase.cpp prints it), and the
// user's locale as a Windows locale number.

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/rtl/sysutils.h"

namespace {

// Characters first..last (every step-th) whose key is the character + delta.
struct TCaseRun {
    char32_t First, Last;
    int Delta;
    unsigned Step;
};

constexpr TCaseRun CaseRuns[] = {
    {0x00061, 0x0007A, -32, 1},   {0x000B5, 0x000B5, 743, 1},    {0x000E0, 0x000F6, -32, 1},
    {0x000F8, 0x000FE, -32, 1},   {0x000FF, 0x000FF, 121, 1},    {0x00101, 0x0012F, -1, 2},
    {0x00131, 0x00131, -232, 1},  {0x00133, 0x00137, -1, 2},     {0x0013A, 0x00148, -1, 2},
    {0x0014B, 0x00177, -1, 2},    {0x0017A, 0x0017E, -1, 2},     {0x0017F, 0x0017F, -300, 1},
    {0x00180, 0x00180, 195, 1},   {0x00183, 0x00185, -1, 2},     {0x00188, 0x00188, -1, 1},
    {0x0018C, 0x0018C, -1, 1},    {0x00192, 0x00192, -1, 1},     {0x00195, 0x00195, 97, 1},
    {0x00199, 0x00199, -1, 1},    {0x0019A, 0x0019A, 163, 1},    {0x0019E, 0x0019E, 130, 1},
    {0x001A1, 0x001A5, -1, 2},    {0x001A8, 0x001A8, -1, 1},     {0x001AD, 0x001AD, -1, 1},
    {0x001B0, 0x001B0, -1, 1},    {0x001B4, 0x001B6, -1, 2},     {0x001B9, 0x001B9, -1, 1},
    {0x001BD, 0x001BD, -1, 1},    {0x001BF, 0x001BF, 56, 1},     {0x001C5, 0x001C5, -1, 1},
    {0x001C6, 0x001C6, -2, 1},    {0x001C8, 0x001C8, -1, 1},     {0x001C9, 0x001C9, -2, 1},
    {0x001CB, 0x001CB, -1, 1},    {0x001CC, 0x001CC, -2, 1},     {0x001CE, 0x001DC, -1, 2},
    {0x001DD, 0x001DD, -79, 1},   {0x001DF, 0x001EF, -1, 2},     {0x001F2, 0x001F2, -1, 1},
    {0x001F3, 0x001F3, -2, 1},    {0x001F5, 0x001F5, -1, 1},     {0x001F9, 0x0021F, -1, 2},
    {0x00223, 0x00233, -1, 2},    {0x0023C, 0x0023C, -1, 1},     {0x0023F, 0x00240, 10815, 1},
    {0x00242, 0x00242, -1, 1},    {0x00247, 0x0024F, -1, 2},     {0x00250, 0x00250, 10783, 1},
    {0x00251, 0x00251, 10780, 1}, {0x00252, 0x00252, 10782, 1},  {0x00253, 0x00253, -210, 1},
    {0x00254, 0x00254, -206, 1},  {0x00256, 0x00257, -205, 1},   {0x00259, 0x00259, -202, 1},
    {0x0025B, 0x0025B, -203, 1},  {0x0025C, 0x0025C, 42319, 1},  {0x00260, 0x00260, -205, 1},
    {0x00261, 0x00261, 42315, 1}, {0x00263, 0x00263, -207, 1},   {0x00265, 0x00265, 42280, 1},
    {0x00266, 0x00266, 42308, 1}, {0x00268, 0x00268, -209, 1},   {0x00269, 0x00269, -211, 1},
    {0x0026A, 0x0026A, 42308, 1}, {0x0026B, 0x0026B, 10743, 1},  {0x0026C, 0x0026C, 42305, 1},
    {0x0026F, 0x0026F, -211, 1},  {0x00271, 0x00271, 10749, 1},  {0x00272, 0x00272, -213, 1},
    {0x00275, 0x00275, -214, 1},  {0x0027D, 0x0027D, 10727, 1},  {0x00280, 0x00280, -218, 1},
    {0x00282, 0x00282, 42307, 1}, {0x00283, 0x00283, -218, 1},   {0x00287, 0x00287, 42282, 1},
    {0x00288, 0x00288, -218, 1},  {0x00289, 0x00289, -69, 1},    {0x0028A, 0x0028B, -217, 1},
    {0x0028C, 0x0028C, -71, 1},   {0x00292, 0x00292, -219, 1},   {0x0029D, 0x0029D, 42261, 1},
    {0x0029E, 0x0029E, 42258, 1}, {0x00345, 0x00345, 84, 1},     {0x00371, 0x00373, -1, 2},
    {0x00377, 0x00377, -1, 1},    {0x0037B, 0x0037D, 130, 1},    {0x003AC, 0x003AC, -38, 1},
    {0x003AD, 0x003AF, -37, 1},   {0x003B1, 0x003C1, -32, 1},    {0x003C2, 0x003C2, -31, 1},
    {0x003C3, 0x003CB, -32, 1},   {0x003CC, 0x003CC, -64, 1},    {0x003CD, 0x003CE, -63, 1},
    {0x003D0, 0x003D0, -62, 1},   {0x003D1, 0x003D1, -57, 1},    {0x003D5, 0x003D5, -47, 1},
    {0x003D6, 0x003D6, -54, 1},   {0x003D7, 0x003D7, -8, 1},     {0x003D9, 0x003EF, -1, 2},
    {0x003F0, 0x003F0, -86, 1},   {0x003F1, 0x003F1, -80, 1},    {0x003F2, 0x003F2, 7, 1},
    {0x003F3, 0x003F3, -116, 1},  {0x003F4, 0x003F4, -92, 1},    {0x003F5, 0x003F5, -96, 1},
    {0x003F8, 0x003F8, -1, 1},    {0x003FB, 0x003FB, -1, 1},     {0x00430, 0x0044F, -32, 1},
    {0x00450, 0x0045F, -80, 1},   {0x00461, 0x00481, -1, 2},     {0x0048B, 0x004BF, -1, 2},
    {0x004C2, 0x004CE, -1, 2},    {0x004CF, 0x004CF, -15, 1},    {0x004D1, 0x0052F, -1, 2},
    {0x00561, 0x00586, -48, 1},   {0x010D0, 0x010FA, 3008, 1},   {0x010FD, 0x010FF, 3008, 1},
    {0x013F8, 0x013FD, -8, 1},    {0x01C80, 0x01C80, -6254, 1},  {0x01C81, 0x01C81, -6253, 1},
    {0x01C82, 0x01C82, -6244, 1}, {0x01C83, 0x01C84, -6242, 1},  {0x01C85, 0x01C85, -6243, 1},
    {0x01C86, 0x01C86, -6236, 1}, {0x01C87, 0x01C87, -6181, 1},  {0x01C88, 0x01C88, 35266, 1},
    {0x01D79, 0x01D79, 35332, 1}, {0x01D7D, 0x01D7D, 3814, 1},   {0x01D8E, 0x01D8E, 35384, 1},
    {0x01E01, 0x01E95, -1, 2},    {0x01E9B, 0x01E9B, -59, 1},    {0x01E9E, 0x01E9E, -7615, 1},
    {0x01EA1, 0x01EFF, -1, 2},    {0x01F00, 0x01F07, 8, 1},      {0x01F10, 0x01F15, 8, 1},
    {0x01F20, 0x01F27, 8, 1},     {0x01F30, 0x01F37, 8, 1},      {0x01F40, 0x01F45, 8, 1},
    {0x01F51, 0x01F57, 8, 2},     {0x01F60, 0x01F67, 8, 1},      {0x01F70, 0x01F71, 74, 1},
    {0x01F72, 0x01F75, 86, 1},    {0x01F76, 0x01F77, 100, 1},    {0x01F78, 0x01F79, 128, 1},
    {0x01F7A, 0x01F7B, 112, 1},   {0x01F7C, 0x01F7D, 126, 1},    {0x01F88, 0x01F8F, -8, 1},
    {0x01F98, 0x01F9F, -8, 1},    {0x01FA8, 0x01FAF, -8, 1},     {0x01FB0, 0x01FB1, 8, 1},
    {0x01FBC, 0x01FBC, -9, 1},    {0x01FBE, 0x01FBE, -7205, 1},  {0x01FCC, 0x01FCC, -9, 1},
    {0x01FD0, 0x01FD1, 8, 1},     {0x01FE0, 0x01FE1, 8, 1},      {0x01FE5, 0x01FE5, 7, 1},
    {0x01FFC, 0x01FFC, -9, 1},    {0x02126, 0x02126, -7549, 1},  {0x0212A, 0x0212A, -8415, 1},
    {0x0212B, 0x0212B, -8294, 1}, {0x0214E, 0x0214E, -28, 1},    {0x02170, 0x0217F, -16, 1},
    {0x02184, 0x02184, -1, 1},    {0x024D0, 0x024E9, -26, 1},    {0x02C30, 0x02C5F, -48, 1},
    {0x02C61, 0x02C61, -1, 1},    {0x02C65, 0x02C65, -10795, 1}, {0x02C66, 0x02C66, -10792, 1},
    {0x02C68, 0x02C6C, -1, 2},    {0x02C73, 0x02C73, -1, 1},     {0x02C76, 0x02C76, -1, 1},
    {0x02C81, 0x02CE3, -1, 2},    {0x02CEC, 0x02CEE, -1, 2},     {0x02CF3, 0x02CF3, -1, 1},
    {0x02D00, 0x02D25, -7264, 1}, {0x02D27, 0x02D27, -7264, 1},  {0x02D2D, 0x02D2D, -7264, 1},
    {0x0A641, 0x0A66D, -1, 2},    {0x0A681, 0x0A69B, -1, 2},     {0x0A723, 0x0A72F, -1, 2},
    {0x0A733, 0x0A76F, -1, 2},    {0x0A77A, 0x0A77C, -1, 2},     {0x0A77F, 0x0A787, -1, 2},
    {0x0A78C, 0x0A78C, -1, 1},    {0x0A791, 0x0A793, -1, 2},     {0x0A794, 0x0A794, 48, 1},
    {0x0A797, 0x0A7A9, -1, 2},    {0x0A7B5, 0x0A7C3, -1, 2},     {0x0A7C8, 0x0A7CA, -1, 2},
    {0x0A7D1, 0x0A7D1, -1, 1},    {0x0A7D7, 0x0A7D9, -1, 2},     {0x0A7F6, 0x0A7F6, -1, 1},
    {0x0AB53, 0x0AB53, -928, 1},  {0x0AB70, 0x0ABBF, -38864, 1}, {0x0FF41, 0x0FF5A, -32, 1},
    {0x10428, 0x1044F, -40, 1},   {0x104D8, 0x104FB, -40, 1},    {0x10597, 0x105A1, -39, 1},
    {0x105A3, 0x105B1, -39, 1},   {0x105B3, 0x105B9, -39, 1},    {0x105BB, 0x105BC, -39, 1},
    {0x10CC0, 0x10CF2, -64, 1},   {0x118C0, 0x118DF, -32, 1},    {0x16E60, 0x16E7F, -32, 1},
    {0x1E922, 0x1E943, -34, 1},
};

// Turkish and Azerbaijani: dotted and dotless i are two letters.
bool IsTurkic(LCID Locale) {
    const unsigned language = Locale & 0x3FF;
    return language == 0x1F || language == 0x2C;
}

char32_t CaseKey(char32_t C, LCID Locale) {
    if (IsTurkic(Locale)) {
        if (C == u'i') return 0x130;
        if (C == 0x131) return u'I';
    }
    if (C < u'a') return C;
    // The last run that starts at or before C.
    const TCaseRun* lo = CaseRuns;
    const TCaseRun* hi = CaseRuns + std::size(CaseRuns);
    while (hi - lo > 1) {
        const TCaseRun* mid = lo + (hi - lo) / 2;
        (mid->First <= C ? lo : hi) = mid;
    }
    if (C < lo->First || C > lo->Last || (C - lo->First) % lo->Step != 0) return C;
    return static_cast<char32_t>(static_cast<int>(C) + lo->Delta);
}

char32_t NextCodePoint(const std::u16string& S, size_t& I) {
    const char32_t c = S[I++];
    if (c >= 0xD800 && c < 0xDC00 && I < S.size() && S[I] >= 0xDC00 && S[I] < 0xE000)
        return 0x10000 + ((c - 0xD800) << 10) + (S[I++] - 0xDC00);
    return c;
}

} // namespace

char16_t WideUpperChar(char16_t C) {
    const char32_t key = CaseKey(C, LOCALE_USER_DEFAULT);
    return key <= 0xFFFF ? static_cast<char16_t>(key) : C;
}

int CompareWideText(const std::u16string& A, const std::u16string& B, LCID Locale) {
    size_t i = 0, j = 0;
    while (i < A.size() && j < B.size()) {
        const char32_t a = CaseKey(NextCodePoint(A, i), Locale);
        const char32_t b = CaseKey(NextCodePoint(B, j), Locale);
        if (a != b) return a < b ? -1 : 1;
    }
    if (i == A.size() && j == B.size()) return 0;
    return i == A.size() ? -1 : 1;
}

int CompareWideText(const std::u16string& A, const std::u16string& B) {
    return CompareWideText(A, B, LOCALE_USER_DEFAULT);
}

LCID GetUserDefaultLCID() {
    // The locale of sorting, as the environment names it ("nl_NL.UTF-8").
    const char* name = nullptr;
    for (const char* var : {"LC_ALL", "LC_COLLATE", "LANG"})
        if (const char* v = std::getenv(var); v && *v) {
            name = v;
            break;
        }
    static constexpr struct {
        const char* Prefix;
        LCID Id;
    } Known[] = {{"nl_BE", 0x0813}, {"nl", 0x0413},    {"en_GB", 0x0809}, {"en", 0x0409},
                 {"de_AT", 0x0C07}, {"de_CH", 0x0807}, {"de", 0x0407},    {"fr_BE", 0x080C},
                 {"fr", 0x040C},    {"tr", 0x041F},    {"az", 0x042C},    {"el", 0x0408},
                 {"ru", 0x0419},    {"hy", 0x042B},    {"ja", 0x0411},    {"zh", 0x0804}};
    if (name)
        for (const auto& k : Known)
            if (std::strncmp(name, k.Prefix, std::strlen(k.Prefix)) == 0) return k.Id;
    return 0x0409; // the C locale and the unknown ones sort as US English
}
