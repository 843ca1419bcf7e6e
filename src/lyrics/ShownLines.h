#pragma once

// The lines of a lyrics file as the lyrics window and the assignment dialog's preview show
// them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vesk {

struct ShownLine {
    std::size_t number;  // the line's number in the file, from 1
    std::string text;
};

// The shown lines of a lyrics file's content for a line range: the content in the ANSI
// code page (DecodeText), split by the line rule (SplitTextLines); lines start..end alone
// when the line range rule holds for them, counted in the file's lines; and in an LRC file
// (lrc) each line as LrcShownLine gives it, header lines left out.
std::vector<ShownLine> ShownLyricsLines(std::string content, bool lrc, std::int32_t startLine,
                                        std::int32_t endLine);

}  // namespace vesk
