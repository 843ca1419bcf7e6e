// The lyrics list file: any bytes load without a fault; each line the one-pass reader
// takes gives what the field readers give; a loaded list whose texts the system can give
// (Shift_JIS, a caption perhaps cut after a lead byte) saved and loaded again is equal,
// and saving it again writes the same bytes; so is the list read back from any saved list.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "MemoryFileSystem.h"
#include "common/Cp932Table.h"
#include "common/FileSystem.h"
#include "lyrics/LyricsCsv.h"
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

// Text the system can give as a title or path: characters of code page 932 by their form
// (ASCII, half-width katakana, or a lead and a trail byte), the last perhaps cut after its
// lead byte, as a caption cut short.
bool IsSystemText(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (cp932::IsLeadByte(byte)) {
            if (++pos == text.size()) {
                return true;
            }
            const auto trail = static_cast<unsigned char>(text[pos]);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                return false;
            }
        } else if (byte >= 0x80 && (byte < 0xA1 || byte > 0xDF)) {
            return false;
        }
    }
    return true;
}

bool HoldsSystemText(const TLyricsList& list) {
    const auto isSystemText = [](const std::string& text) { return IsSystemText(text); };
    return std::ranges::all_of(list.Titles(), isSystemText) &&
           std::ranges::all_of(list.FileNames(), isSystemText);
}

// Saves list as name and loads it back. Texts the system can give read back as themselves,
// and are written again byte for byte. Other bytes can make the very file of a list in
// UTF-8 ("歌 🎵" loaded from a file that a line without a comma makes no UTF-8), which then
// reads as that list.
void CheckReadsBack(test::MemoryFileSystem& files, const TLyricsList& list,
                    const std::string& name) {
    FUZZ_CHECK(list.SaveToFile(name));
    const std::string saved = files.files.at(name);
    const TLyricsList reloaded(name);
    if (HoldsSystemText(list)) {
        FUZZ_CHECK(EntriesOf(reloaded) == EntriesOf(list));
        FUZZ_CHECK(reloaded.SaveToFile("again.csv"));
        FUZZ_CHECK(files.files.at("again.csv") == saved);
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

    fuzz::CheckReadsBack(files, loaded, "saved.csv");
    // The list read back is in the code page, whatever the saved file was read as.
    fuzz::CheckReadsBack(files, TLyricsList("saved.csv"), "resaved.csv");
    return 0;
}
