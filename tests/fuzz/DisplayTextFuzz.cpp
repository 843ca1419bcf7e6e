// The lyrics window's text: any lyrics file, any line range a list file can hold and any
// title look-up give a text without a fault. A file that is shown gives only whole lines
// of it (in the code page), trimmed, with no NUL; a title that is not in the list gives the message
// that names it.
//
// Input: start line, end line (4 bytes each), flags (1 byte), title NUL looked-up title
// NUL lyrics file. Flags: 1 titles compare without case, 2 the size reads as too large,
// 4 the size cannot be read, 8 the file is a folder, 16 the file cannot be read.

#include <cstdint>
#include <set>
#include <string>

#include "FuzzInput.h"
#include "LyricsFileShape.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/SongTitle.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::int32_t startLine = input.Int32();
    const std::int32_t endLine = input.Int32();
    const std::uint8_t flags = input.Byte();
    const std::string title(input.Text());
    const std::string lookedUp(input.Text());
    const std::string content(input.Rest());

    const std::string path = "lyrics.txt";
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    fuzz::PlaceLyricsFile(files, path, content,
                          {.folder = (flags & 8) != 0,
                           .tooLarge = (flags & 2) != 0,
                           .sizeUnknown = (flags & 4) != 0,
                           .unreadable = (flags & 16) != 0});

    TLyricsList list;
    list.SetCaseSensitive((flags & 1) == 0);
    list.Add(title, path, startLine, endLine);
    const std::string text = list.DisplayText(lookedUp);

    const bool shown =
        lookedUp != kPlayerNotFound && list.IndexOf(lookedUp) == 0 && (flags & (2 | 8 | 16)) == 0;
    if (lookedUp != kPlayerNotFound && list.IndexOf(lookedUp) < 0) {
        FUZZ_CHECK(text.size() > lookedUp.size() &&
                   text.compare(text.size() - lookedUp.size(), lookedUp.size(), lookedUp) == 0);
    }
    if (shown) {
        FUZZ_CHECK(text.find('\0') == std::string::npos);
        FUZZ_CHECK(TrimBlanks(text) == text);
        const std::string decoded = DecodeText(content).ansi;
        const std::vector<std::string_view> fileLines = SplitTextLines(decoded);
        const std::set<std::string_view> known(fileLines.begin(), fileLines.end());
        const std::vector<std::string_view> shownLines = SplitTextLines(text);
        for (std::size_t i = 0; i < shownLines.size(); ++i) {
            // The first and last lines lost their blanks at the text's ends.
            if (i != 0 && i + 1 != shownLines.size()) {
                FUZZ_CHECK(known.count(shownLines[i]) != 0);
            }
        }
        if (LineRangeApplies(startLine, endLine, fileLines.size())) {
            FUZZ_CHECK(shownLines.size() <= static_cast<std::size_t>(endLine - startLine) + 1);
        }
    }
    return 0;
}
