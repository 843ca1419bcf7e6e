#pragma once

// The line rule of the text files the program reads (lyrics files and list files).

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace vesk {

// Splits text into lines ending at CR LF, a lone CR or a lone LF; a line break at the very
// end does not begin a further line, and a NUL byte ends the text. The views point into
// text.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// Whether lines start..end (from 1, both included) are shown instead of the whole file.
bool LineRangeApplies(std::int32_t startLine, std::int32_t endLine, std::size_t lineCount);

}  // namespace vesk
