#include "zacrypt.h"

#include <sys/random.h>

#include <array>

#include "zaerrors.h"

namespace {

std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}

const std::array<uint32_t, 256> CrcTable = MakeTable();

inline uint32_t CrcByte(uint32_t r, uint8_t b) {
    return CrcTable[(r ^ b) & 0xFF] ^ (r >> 8);
}

} // namespace

uint32_t ZACrc32Update(uint32_t Register, const void* Data, size_t Count) {
    const auto* p = static_cast<const uint8_t*>(Data);
    for (size_t i = 0; i < Count; ++i)
        Register = CrcByte(Register, p[i]);
    return Register;
}

TZACrypt::TZACrypt(const std::string& Password) {
    for (char c : Password)
        UpdateKeys(static_cast<uint8_t>(c));
}

void TZACrypt::UpdateKeys(uint8_t Plain) {
    FKeys[0] = CrcByte(FKeys[0], Plain);
    FKeys[1] = (FKeys[1] + (FKeys[0] & 0xFF)) * 134775813u + 1;
    FKeys[2] = CrcByte(FKeys[2], static_cast<uint8_t>(FKeys[1] >> 24));
}

uint8_t TZACrypt::StreamByte() const {
    const uint32_t t = (FKeys[2] | 2) & 0xFFFF;
    return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
}

void TZACrypt::Decrypt(void* Data, size_t Count) {
    auto* p = static_cast<uint8_t*>(Data);
    for (size_t i = 0; i < Count; ++i) {
        p[i] ^= StreamByte();
        UpdateKeys(p[i]);
    }
}

void TZACrypt::Encrypt(void* Data, size_t Count) {
    auto* p = static_cast<uint8_t*>(Data);
    for (size_t i = 0; i < Count; ++i) {
        const uint8_t plain = p[i];
        p[i] = plain ^ StreamByte();
        UpdateKeys(plain);
    }
}

void TZACrypt::RandomHeader(uint8_t Header[12], uint32_t CheckValue) {
    size_t got = 0;
    while (got < 10) {
        const ssize_t n = ::getrandom(Header + got, 10 - got, 0);
        if (n <= 0)
            throw EZAException(zeVolumeWrite, nullptr); // no random source: refuse to write weakly
        got += static_cast<size_t>(n);
    }
    Header[10] = static_cast<uint8_t>(CheckValue >> 16);
    Header[11] = static_cast<uint8_t>(CheckValue >> 24);
}
