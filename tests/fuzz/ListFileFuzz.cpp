// The lyrics list file: any bytes load without a fault; each line the one-pass reader
// takes gives what the field readers give; a loaded list saved and loaded again is equal,
// and saving it again writes the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "MemoryFileSystem.h"
#include "common/FileSystem.h"
#include "lyrics/LyricsCsv.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

namespace vesk::fuzz {
namespace {

struct Entries {
    std::vector<std::string> titles;
    std::vector<std::string> fileNames;
    std::vector<std::int32_t> startLines;
    std::vector<std::int32_t> endLines;
    bool operator==(const Entries&) const = default;
};

Entries EntriesOf(const TLyricsList& list) {
    return {list.Titles(), list.FileNames(), list.StartLines(), list.EndLines()};
}

void CheckOnePassAgreesWithFieldReaders(const TLyricsList& list, std::string_view content) {
    for (const std::string_view line : SplitTextLines(content)) {
        const std::optional<CsvEntry> entry = ParseWrittenCsvLine(line);
        if (!entry) {
            continue;
        }
        FUZZ_CHECK(entry->title == list.TitleOfLine(line));
        FUZZ_CHECK(entry->fileName == list.FileNameOfLine(line));
        FUZZ_CHECK(entry->startLine == list.StartLineOfLine(line));
        FUZZ_CHECK(entry->endLine == list.EndLineOfLine(line));
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    const std::string content(reinterpret_cast<const char*>(data), size);
    files.files["list.csv"] = content;

    const TLyricsList loaded("list.csv");
    fuzz::CheckOnePassAgreesWithFieldReaders(loaded, content);

    FUZZ_CHECK(loaded.SaveToFile("saved.csv"));
    const std::string saved = files.files.at("saved.csv");
    // Saved in the code page, the list reads back as itself unless its text holds broken
    // double-byte characters and is valid UTF-8 all the same (no list of titles the system
    // gave): that one is read as UTF-8.
    if (DetectTextEncoding(saved) != TextEncoding::kAnsi) {
        return 0;
    }
    const TLyricsList reloaded("saved.csv");
    FUZZ_CHECK(fuzz::EntriesOf(reloaded) == fuzz::EntriesOf(loaded));
    FUZZ_CHECK(reloaded.SaveToFile("again.csv"));
    FUZZ_CHECK(files.files.at("again.csv") == saved);
    return 0;
}
