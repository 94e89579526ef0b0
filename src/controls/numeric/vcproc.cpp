#include "controls/numeric/vcproc.h"

#include <algorithm>

std::string IntToBin(int32_t Value, int Digits) {
    const uint32_t bits = static_cast<uint32_t>(Value);
    const int last = Digits > 0 ? std::min(Digits, 31) : -1;
    std::string out;
    for (int bit = 0; bit < 32; ++bit) {
        out.insert(out.begin(), (bits >> bit) & 1u ? '1' : '0');
        if (last >= 0) {
            if (bit == last) break;
        } else if (bit == 31 || (bits >> (bit + 1)) == 0) {
            // The digits written so far make up the whole value.
            break;
        }
    }
    return out;
}

uint32_t BinToLongWord(const std::string& S) {
    uint32_t v = 0;
    const size_t n = S.size();
    for (size_t dist = 0; dist < n && dist < 32; ++dist)
        if (S[n - 1 - dist] == '1') v |= 1u << dist;
    return v;
}

int32_t BinToInt(const std::string& S) {
    return static_cast<int32_t>(BinToLongWord(S));
}

std::string StripChar(const std::string& S, char C) {
    std::string out;
    out.reserve(S.size());
    std::copy_if(S.begin(), S.end(), std::back_inserter(out), [C](char ch) { return ch != C; });
    return out;
}
