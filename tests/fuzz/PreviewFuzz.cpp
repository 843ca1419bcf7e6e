// The assignment dialog's numbered preview of a lyrics file: any file and any line numbers
// give, for a file that is read, exactly the lines (in the code page) of the range (or of the whole
// file), each after its number, "|" and nothing trimmed, each ended by CR LF.
//
// Input: start line, end line (4 bytes each), flags (1 byte), lyrics file. Flags: 1 the size
// reads as too large, 2 the size cannot be read, 4 the file cannot be read, 8 the path is a
// folder.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "LyricsFileShape.h"
#include "common/FileSystem.h"
#include "editing/FileSelectRules.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

namespace vesk::fuzz {
namespace {

std::string Numbered(std::size_t number, std::string_view line) {
    char prefix[16];
    std::snprintf(prefix, sizeof(prefix), "%3zu|", number);
    return std::string(prefix).append(line).append("\r\n");
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::int32_t startLine = input.Int32();
    const std::int32_t endLine = input.Int32();
    const std::uint8_t flags = input.Byte();
    const std::string content(input.Rest());

    const std::string path = "lyrics.txt";
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    fuzz::PlaceLyricsFile(files, path, content,
                          {.folder = (flags & 8) != 0,
                           .tooLarge = (flags & 1) != 0,
                           .sizeUnknown = (flags & 2) != 0,
                           .unreadable = (flags & 4) != 0});

    const std::string preview = PreviewText(path, startLine, endLine);
    if ((flags & (1 | 4 | 8)) != 0) {
        return 0;  // a message
    }
    const std::string decoded = DecodeText(content).ansi;
    const std::vector<std::string_view> lines = SplitTextLines(decoded);
    std::size_t first = 1;
    std::size_t last = lines.size();
    if (LineRangeApplies(startLine, endLine, lines.size())) {
        first = static_cast<std::size_t>(startLine);
        last = static_cast<std::size_t>(endLine);
    }
    std::string expected;
    for (std::size_t number = first; number <= last; ++number) {
        expected += fuzz::Numbered(number, lines[number - 1]);
    }
    FUZZ_CHECK(preview == expected);
    return 0;
}
