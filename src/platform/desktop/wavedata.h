#pragma once
// Wave (RIFF/WAVE) sound data: the format and the sample bytes it holds.

#include <cstdint>
#include <string>

struct TWaveData {
    enum TSampleKind { skInteger, skFloat };
    TSampleKind Kind = skInteger;
    unsigned Channels = 0;
    unsigned SampleRate = 0;
    unsigned BitsPerSample = 0;
    unsigned BlockAlign = 0; // bytes per frame
    std::string Samples;     // the data chunk, whole frames only
};

// Reads a wave file image; false (and Error set) for anything that is not
// playable PCM: other chunks than "fmt " and "data" are skipped, sizes that
// run past the end are cut to what is there.
bool ParseWave(const std::string& Bytes, TWaveData& Wave, std::string& Error);
// The whole length of a RIFF image that starts at Data (its header says it);
// 0 when Data does not start like one.
std::size_t RiffImageSize(const void* Data);
// A wave image of integer PCM samples (as ParseWave reads them back).
std::string MakeWaveImage(const std::string& Samples, unsigned Channels, unsigned SampleRate,
                          unsigned BitsPerSample);
