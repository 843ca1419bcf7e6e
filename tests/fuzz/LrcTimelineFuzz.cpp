// The synced lyrics timeline of any lyrics file and line range, at any time: its lines are the
// display text's; the lit line is a tagged line with a tag at or before the time; the next
// change is later and nothing changes before it; the window holds min(count, lines) lines and
// the lit line, and its text has those lines with the lit line's bytes marked.
//
// Input: start line, end line (4 bytes each), window lines (1 byte), flags (1 byte: 1 not an
// LRC file), time in milliseconds (4 bytes), lyrics file.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "MemoryFileSystem.h"
#include "common/FileSystem.h"
#include "lyrics/LrcTimeline.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

namespace {

using vesk::LrcTimeline;
using vesk::SyncWindow;

void CheckWindow(const LrcTimeline& timeline, std::int64_t time, int lineCount) {
    const std::vector<vesk::TimedLine>& lines = timeline.Lines();
    const SyncWindow window = timeline.Window(time, lineCount);
    const auto wanted =
        static_cast<std::size_t>(std::clamp(lineCount, vesk::kMinSyncLines, vesk::kMaxSyncLines));
    FUZZ_CHECK(window.count == std::min(wanted, lines.size()));
    FUZZ_CHECK(window.first + window.count <= lines.size());
    const std::optional<std::size_t> lit = timeline.LitLine(time);
    FUZZ_CHECK(window.lit.has_value() == lit.has_value());
    if (lit) {
        FUZZ_CHECK(*window.lit < window.count && window.first + *window.lit == *lit);
        const std::string& text = lines[*lit].text;
        const std::string_view marked(window.text.data() + window.litBegin,
                                      window.litEnd - window.litBegin);
        FUZZ_CHECK(marked == (text.empty() ? " " : text));
    } else {
        FUZZ_CHECK(window.litBegin == 0 && window.litEnd == 0);
    }
    // Every line of the window takes a row of its own.
    FUZZ_CHECK(vesk::SplitTextLines(window.text).size() == window.count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::int32_t startLine = input.Int32();
    const std::int32_t endLine = input.Int32();
    const int lineCount = input.Byte() % (kMaxSyncLines + 2);  // 0 and 16 are out of range
    const bool lrc = (input.Byte() & 1) == 0;
    const std::int64_t time = input.Int32();
    const std::string content(input.Rest());

    const LrcTimeline timeline(content, lrc, startLine, endLine);
    const std::vector<TimedLine>& lines = timeline.Lines();

    // The same lines as the display text, numbered in the file's order.
    if (content.size() <= kLyricsFileMaxBytes) {
        const std::string path = lrc ? "lyrics.lrc" : "lyrics.txt";
        test::MemoryFileSystem files;
        ScopedFileSystem scope(files);
        files.files[path] = content;
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            joined += (i == 0 ? "" : "\r\n") + lines[i].text;
            FUZZ_CHECK(i == 0 || lines[i - 1].number < lines[i].number);
        }
        FUZZ_CHECK(joined == LyricsFileDisplayText(path, startLine, endLine));
    }
    if (!lrc) {
        FUZZ_CHECK(!timeline.HasTimeTags() && timeline.OffsetMs() == 0);
    }

    if (const std::optional<std::size_t> lit = timeline.LitLine(time)) {
        FUZZ_CHECK(*lit < lines.size());
        const std::vector<std::int64_t>& times = lines[*lit].timesMs;
        FUZZ_CHECK(
            std::any_of(times.begin(), times.end(), [&](std::int64_t t) { return t <= time; }));
    }
    CheckWindow(timeline, time, lineCount);

    // From before every tag to the end, each change is later than the last, the window stays
    // as it is until it, and it changes the lit line or the lines shown, unless all are shown.
    std::int64_t at = INT64_MIN;
    std::size_t changes = 0;
    while (const std::optional<std::int64_t> next = timeline.NextChangeMs(at)) {
        FUZZ_CHECK(*next > at);
        const SyncWindow since = timeline.Window(at, lineCount);
        const SyncWindow before = timeline.Window(*next - 1, lineCount);
        const SyncWindow after = timeline.Window(*next, lineCount);
        FUZZ_CHECK(before.first == since.first && before.lit == since.lit);
        FUZZ_CHECK(before.first != after.first || before.lit != after.lit ||
                   after.count == lines.size());
        ++changes;
        at = *next;
    }
    FUZZ_CHECK(timeline.HasTimeTags() || changes == 0);
    return 0;
}
