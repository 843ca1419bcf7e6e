#pragma once

// Colour values as the settings file stores them and the drawing code uses them:
// 0x00BBGGRR for a plain colour (red in the low byte), or 0x80000000 plus the index of a
// system colour. A system colour is resolved to its current RGB value before any
// arithmetic on its components.

#include <cstdint>

namespace vesk {

using Color = std::uint32_t;

inline constexpr Color kSystemColorFlag = 0x80000000;

// System colours (0x80000000 plus the COLOR_* index of Win32).
inline constexpr Color kClScrollBar = kSystemColorFlag | 0;
inline constexpr Color kClWindow = kSystemColorFlag | 5;
inline constexpr Color kClWindowText = kSystemColorFlag | 8;
inline constexpr Color kClBtnFace = kSystemColorFlag | 15;
inline constexpr Color kClBtnShadow = kSystemColorFlag | 16;
inline constexpr Color kClBtnHighlight = kSystemColorFlag | 20;

// Plain colours.
inline constexpr Color kClBlack = 0x00000000;
inline constexpr Color kClMaroon = 0x00000080;
inline constexpr Color kClNavy = 0x00800000;
inline constexpr Color kClBlue = 0x00FF0000;
inline constexpr Color kClGray = 0x00808080;
inline constexpr Color kClSilver = 0x00C0C0C0;
inline constexpr Color kClWhite = 0x00FFFFFF;

constexpr bool IsSystemColor(Color color) {
    return (color & kSystemColorFlag) != 0;
}
constexpr int SystemColorIndex(Color color) {
    return static_cast<int>(color & 0xFF);
}

constexpr Color RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Color>(red) | static_cast<Color>(green) << 8 |
           static_cast<Color>(blue) << 16;
}
constexpr std::uint8_t RedOf(Color rgb) {
    return static_cast<std::uint8_t>(rgb & 0xFF);
}
constexpr std::uint8_t GreenOf(Color rgb) {
    return static_cast<std::uint8_t>(rgb >> 8 & 0xFF);
}
constexpr std::uint8_t BlueOf(Color rgb) {
    return static_cast<std::uint8_t>(rgb >> 16 & 0xFF);
}

}  // namespace vesk
