#include "grid/support/widecell.h"

#include "platform/rtl/sysutils.h"

bool IsWideCell(const std::string& S) {
    return S.size() >= 2 && S[0] == '|' && S[1] == '\\';
}

void EncodeWideCell(const std::u16string& W, std::string& S) {
    S.assign(WideCellPrefix);
    S.reserve(2 + 2 * W.size());
    for (const char16_t u : W) {
        S += static_cast<char>((u >> 8) & 0xFF);
        S += static_cast<char>(u & 0xFF);
    }
}

void DecodeWideCell(const std::string& S, std::u16string& W) {
    if (!IsWideCell(S)) {
        W = Cp1252ToUtf16(S);
        return;
    }
    W.clear();
    W.reserve((S.size() - 2) / 2);
    // An odd last byte belongs to no code unit and is dropped.
    for (size_t i = 2; i + 1 < S.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(S[i]);
        const auto lo = static_cast<unsigned char>(S[i + 1]);
        W += static_cast<char16_t>((hi << 8) | lo);
    }
}

std::string EncodeWideCell(const std::u16string& W) {
    std::string s;
    EncodeWideCell(W, s);
    return s;
}

std::u16string DecodeWideCell(const std::string& S) {
    std::u16string w;
    DecodeWideCell(S, w);
    return w;
}

std::string WideToCellText(const std::u16string& W) {
    std::string narrow = Utf16ToCp1252(W);
    if (!IsWideCell(narrow) && Cp1252ToUtf16(narrow) == W) return narrow;
    return EncodeWideCell(W);
}

int WidePos(const std::u16string& Sub, const std::u16string& S) {
    if (Sub.empty()) return 0;
    const size_t p = S.find(Sub);
    return p == std::u16string::npos ? 0 : static_cast<int>(p) + 1;
}
