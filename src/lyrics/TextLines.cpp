#include "lyrics/TextLines.h"

namespace vesk {

std::vector<std::string_view> SplitTextLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool LineRangeApplies(std::int32_t startLine, std::int32_t endLine, std::size_t lineCount) {
    return startLine >= 1 && endLine >= 1 && startLine <= endLine &&
           static_cast<std::size_t>(endLine) <= lineCount;
}

}  // namespace vesk
