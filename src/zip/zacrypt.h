#pragma once
// CRC-32 of the zip format and the traditional (PKWARE) encryption.

#include <cstddef>
#include <cstdint>
#include <string>

uint32_t ZACrc32Update(uint32_t Register, const void* Data, size_t Count); // register form
inline uint32_t ZACrc32(const void* Data, size_t Count) {
    return ~ZACrc32Update(0xFFFFFFFFu, Data, Count);
}

class TZACrypt {
public:
    explicit TZACrypt(const std::string& Password);
    void Decrypt(void* Data, size_t Count);
    void Encrypt(void* Data, size_t Count);
    // The 12-byte encryption header: random bytes from the system's random
    // source, the last two the check bytes (high bytes of CheckValue).
    static void RandomHeader(uint8_t Header[12], uint32_t CheckValue);

private:
    uint8_t StreamByte() const;
    void UpdateKeys(uint8_t Plain);
    uint32_t FKeys[3] = {0x12345678u, 0x23456789u, 0x34567890u};
};
