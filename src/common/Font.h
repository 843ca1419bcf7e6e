#pragma once

// A text font as the program keeps it: what the settings file stores (face, size, style,
// colour) and what it does not (character set, pitch).

#include <cstdint>
#include <string>

#include "common/Color.h"

namespace vesk {

// Style bits, as the settings file stores them.
enum FontStyle : std::uint8_t {
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrikeOut = 8,
};

enum class FontPitch { Default, Variable, Fixed };

inline constexpr std::uint8_t kDefaultCharset = 1;     // DEFAULT_CHARSET
inline constexpr std::uint8_t kShiftJisCharset = 128;  // SHIFTJIS_CHARSET

struct Font {
    std::string name;        // face name, ANSI
    std::int32_t size = 9;   // points
    std::uint8_t style = 0;  // FontStyle bits
    Color color = kClWindowText;
    std::uint8_t charset = kDefaultCharset;
    FontPitch pitch = FontPitch::Default;

    bool operator==(const Font&) const = default;
};

// A newly created font: the Japanese system's default face "ＭＳ Ｐゴシック" at 9 points, no
// style, the window-text colour, the default character set and pitch.
Font NewFont();

// Pixel height of a font size in points at the given dots per inch (negative: the
// character height, as CreateFont takes it), and back.
std::int32_t FontHeightOfSize(std::int32_t points, int dotsPerInch);
std::int32_t FontSizeOfHeight(std::int32_t height, int dotsPerInch);

}  // namespace vesk
