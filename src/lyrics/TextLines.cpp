#include "lyrics/TextLines.h"

#include <algorithm>

namespace vesk {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    // The next CR and the next LF, each searched for again only once passed: two quick
    // byte searches over the text rather than a test of every byte against both.
    std::size_t nextCr = text.find('\r');
    std::size_t nextLf = text.find('\n');
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (nextCr < pos) {
            nextCr = text.find('\r', pos);
        }
        if (nextLf < pos) {
            nextLf = text.find('\n', pos);
        }
        const std::size_t end = std::min(nextCr, nextLf);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + (end == nextCr && nextLf == end + 1 ? 2 : 1);
    }
    return lines;
}

bool LineRangeApplies(std::int32_t startLine, std::int32_t endLine, std::size_t lineCount) {
    return startLine >= 1 && endLine >= 1 && startLine <= endLine &&
           static_cast<std::size_t>(endLine) <= lineCount;
}

}  // namespace vesk
