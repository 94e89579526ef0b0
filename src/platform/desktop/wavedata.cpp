#include "wavedata.h"

#include <cstring>

namespace {

uint32_t Le32(const std::string& B, std::size_t At) {
    return static_cast<uint32_t>(static_cast<unsigned char>(B[At])) |
           static_cast<uint32_t>(static_cast<unsigned char>(B[At + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(B[At + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(B[At + 3])) << 24;
}

uint16_t Le16(const std::string& B, std::size_t At) {
    return static_cast<uint16_t>(static_cast<unsigned char>(B[At]) |
                                 static_cast<unsigned char>(B[At + 1]) << 8);
}

constexpr uint16_t FormatPcm = 1, FormatFloat = 3, FormatExtensible = 0xFFFE;

} // namespace

std::size_t RiffImageSize(const void* Data) {
    if (!Data) return 0;
    const auto* P = static_cast<const unsigned char*>(Data);
    if (std::memcmp(P, "RIFF", 4) != 0 || std::memcmp(P + 8, "WAVE", 4) != 0) return 0;
    const uint32_t Size = P[4] | P[5] << 8 | P[6] << 16 | static_cast<uint32_t>(P[7]) << 24;
    return static_cast<std::size_t>(Size) + 8;
}

bool ParseWave(const std::string& Bytes, TWaveData& Wave, std::string& Error) {
    Wave = TWaveData{};
    if (Bytes.size() < 12 || Bytes.compare(0, 4, "RIFF") != 0 || Bytes.compare(8, 4, "WAVE") != 0) {
        Error = "not a wave file";
        return false;
    }
    bool HaveFormat = false, HaveData = false;
    std::size_t At = 12;
    while (At + 8 <= Bytes.size()) {
        const std::string Id = Bytes.substr(At, 4);
        const std::size_t Size = Le32(Bytes, At + 4);
        const std::size_t Body = At + 8;
        const std::size_t Avail = std::min(Size, Bytes.size() - Body);
        if (Id == "fmt ") {
            if (Avail < 16) {
                Error = "format chunk too short";
                return false;
            }
            uint16_t Tag = Le16(Bytes, Body);
            Wave.Channels = Le16(Bytes, Body + 2);
            Wave.SampleRate = Le32(Bytes, Body + 4);
            Wave.BlockAlign = Le16(Bytes, Body + 12);
            Wave.BitsPerSample = Le16(Bytes, Body + 14);
            if (Tag == FormatExtensible && Avail >= 26) Tag = Le16(Bytes, Body + 24);
            if (Tag == FormatPcm)
                Wave.Kind = TWaveData::skInteger;
            else if (Tag == FormatFloat)
                Wave.Kind = TWaveData::skFloat;
            else {
                Error = "compressed wave data";
                return false;
            }
            HaveFormat = true;
        } else if (Id == "data") {
            Wave.Samples = Bytes.substr(Body, Avail);
            HaveData = true;
        }
        At = Body + Size + (Size & 1);
    }
    if (!HaveFormat || !HaveData) {
        Error = "no format or no data";
        return false;
    }
    const unsigned Bits = Wave.BitsPerSample;
    const bool KnownBits = Wave.Kind == TWaveData::skFloat
                               ? Bits == 32
                               : (Bits == 8 || Bits == 16 || Bits == 24 || Bits == 32);
    if (!KnownBits || Wave.Channels == 0 || Wave.SampleRate == 0 ||
        Wave.BlockAlign != Wave.Channels * (Bits / 8)) {
        Error = "unsupported sample format";
        return false;
    }
    Wave.Samples.resize(Wave.Samples.size() - Wave.Samples.size() % Wave.BlockAlign);
    return true;
}

std::string MakeWaveImage(const std::string& Samples, unsigned Channels, unsigned SampleRate,
                          unsigned BitsPerSample) {
    auto Le = [](uint32_t V, int Bytes) {
        std::string S;
        for (int i = 0; i < Bytes; ++i)
            S += static_cast<char>((V >> (8 * i)) & 0xFF);
        return S;
    };
    const unsigned Align = Channels * BitsPerSample / 8;
    const std::string Format = Le(FormatPcm, 2) + Le(Channels, 2) + Le(SampleRate, 4) +
                               Le(SampleRate * Align, 4) + Le(Align, 2) + Le(BitsPerSample, 2);
    std::string Body = "WAVEfmt " + Le(16, 4) + Format + "data" +
                       Le(static_cast<uint32_t>(Samples.size()), 4) + Samples;
    if (Samples.size() & 1) Body += '\0'; // chunks keep an even length
    return "RIFF" + Le(static_cast<uint32_t>(Body.size()), 4) + Body;
}
