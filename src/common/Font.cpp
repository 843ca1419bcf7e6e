#include "common/Font.h"

#include "common/ProgramText.h"

namespace vesk {

namespace {
constexpr ProgramText kDefaultFace{"ＭＳ Ｐゴシック"};
}

Font NewFont() {
    Font font;
    font.name = kDefaultFace.Ansi();
    return font;
}

std::int32_t FontHeightOfSize(std::int32_t points, int dotsPerInch) {
    // Rounded as MulDiv rounds: 9 points at 96 dpi are -12 pixels.
    const std::int64_t scaled = static_cast<std::int64_t>(points) * dotsPerInch;
    return -static_cast<std::int32_t>((scaled + (scaled >= 0 ? 36 : -36)) / 72);
}

std::int32_t FontSizeOfHeight(std::int32_t height, int dotsPerInch) {
    const std::int64_t scaled = static_cast<std::int64_t>(-height) * 72;
    return static_cast<std::int32_t>((scaled + (scaled >= 0 ? dotsPerInch / 2 : -dotsPerInch / 2)) /
                                     dotsPerInch);
}

}  // namespace vesk
