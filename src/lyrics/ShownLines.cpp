#include "lyrics/ShownLines.h"

#include <optional>
#include <string_view>
#include <utility>

#include "lyrics/LrcText.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"

namespace vesk {

std::vector<ShownLine> ShownLyricsLines(std::string content, bool lrc, std::int32_t startLine,
                                        std::int32_t endLine) {
    const std::string text = DecodeText(std::move(content)).ansi;
    const std::vector<std::string_view> lines = SplitTextLines(text);
    std::size_t first = 0;
    std::size_t last = lines.size();
    if (LineRangeApplies(startLine, endLine, lines.size())) {
        first = static_cast<std::size_t>(startLine) - 1;
        last = static_cast<std::size_t>(endLine);
    }
    std::vector<ShownLine> shown;
    shown.reserve(last - first);
    for (std::size_t i = first; i < last; ++i) {
        if (!lrc) {
            shown.push_back({i + 1, std::string(lines[i])});
        } else if (std::optional<std::string> line = LrcShownLine(lines[i])) {
            shown.push_back({i + 1, std::move(*line)});
        }
    }
    return shown;
}

}  // namespace vesk
