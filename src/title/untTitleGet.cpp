#include "title/untTitleGet.h"

#include <algorithm>

#include "common/AnsiText.h"

namespace vesk {

namespace {

// A delimiter further in than this does not count (the caption was once read into a
// buffer of this size).
constexpr std::size_t kLastDelimiterPosition = 99;

}  // namespace

int TTitleGet::FindDelimiter(std::string_view delimiters, std::string_view text) const {
    if (delimiters.empty()) {
        return 0;
    }
    const std::size_t found = FindAnyByte(text, delimiters);
    if (found == std::string_view::npos || found + 1 > kLastDelimiterPosition) {
        return 0;
    }
    return static_cast<int>(found + 1);
}

std::string TTitleGet::GetSongTitle(std::string_view caption, std::string_view delimiters,
                                    std::int32_t titlePos, std::int32_t frontCut,
                                    std::int32_t backCut) const {
    if (caption.empty()) {
        return std::string(kPlayerNotFound);
    }
    const auto length = static_cast<std::int64_t>(caption.size());
    const std::int64_t first = std::clamp<std::int64_t>(frontCut, 0, length);
    const std::int64_t end = std::max<std::int64_t>(first, length - std::max(backCut, 0));
    std::string_view text =
        caption.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));

    std::string_view result;
    for (std::int32_t field = 0; field < titlePos; ++field) {
        const int k = FindDelimiter(delimiters, text);
        if (k > 0) {
            result = TrimBlanks(text.substr(0, static_cast<std::size_t>(k - 1)));
            text.remove_prefix(static_cast<std::size_t>(k));
        } else {
            // No delimiter left: every further field is the rest of the text.
            result = TrimBlanks(text);
            break;
        }
    }
    return std::string(result);
}

TTitleGet& TitleGet() {
    static TTitleGet instance;
    return instance;
}

}  // namespace vesk
