#pragma once
// Colour values as the grids keep them: 24-bit RGB with red in the low byte;
// 0x80000000 plus an index is a system colour; 0x1FFFFFFF means "not set".

#include <cstdint>

using TColor = std::int32_t;

inline constexpr TColor ColorNotSet = 0x1FFFFFFF;
inline constexpr TColor SystemColorBase = static_cast<TColor>(0x80000000u);

inline constexpr TColor RGBColor(int R, int G, int B) {
    return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
inline constexpr int RedOf(TColor C) {
    return C & 0xFF;
}
inline constexpr int GreenOf(TColor C) {
    return (C >> 8) & 0xFF;
}
inline constexpr int BlueOf(TColor C) {
    return (C >> 16) & 0xFF;
}
