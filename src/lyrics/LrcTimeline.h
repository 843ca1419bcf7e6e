#pragma once

// The timeline of a lyrics file as the lyrics window shows it in sync with the song: its shown
// lines, the times at which each becomes the line being sung, and the window of lines around
// that line. Times are the tags' own, in milliseconds; the song's clock is turned into them by
// adding Offset() (and the user's correction), so that a positive offset shows lines earlier.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// How many lines the synced window may show.
inline constexpr int kMinSyncLines = 1;
inline constexpr int kMaxSyncLines = 15;

struct TimedLine {
    std::size_t number;  // the line's number in the file, from 1
    std::string text;
    // When it becomes the current line, in the order of its tags; empty: never.
    std::vector<std::int64_t> timesMs;
};

// The lines a synced window shows at one time.
struct SyncWindow {
    std::size_t first = 0;  // index of its first line in Lines()
    std::size_t count = 0;
    std::optional<std::size_t> lit;  // the lit line's place among the window's lines
    // The lines joined with CR LF, an empty line as one space: a label measures no line after
    // a last line break, and the window keeps one height as long as its lines fit one row.
    std::string text;
    // The lit line's bytes in text; both 0 when none is lit.
    std::size_t litBegin = 0;
    std::size_t litEnd = 0;
};

class LrcTimeline {
public:
    // A timeline with no lines and no tags.
    LrcTimeline() = default;

    // The timeline of a lyrics file's content (bytes as read, decoded as the display text
    // decodes them) for an entry's line range. Its lines are those the display text is made
    // of: ShownLyricsLines, without the blank lines at either end, the first line without its
    // leading and the last without its trailing blanks. A time tag of a blank line left out
    // at the start or end is a time at which no line is lit. Only an LRC file (lrc) has tags
    // and an offset: in any other file a tag is text.
    LrcTimeline(std::string content, bool lrc, std::int32_t startLine, std::int32_t endLine);

    const std::vector<TimedLine>& Lines() const { return lines_; }
    // Whether a line of the range has a time tag: synced display applies only then.
    bool HasTimeTags() const { return hasTimeTags_; }
    // The first "[offset:...]" of the whole file, the line range aside; 0 when none reads.
    std::int32_t OffsetMs() const { return offsetMs_; }

    // The line being sung at a time: the line of the latest tag at or before it. None before
    // the first tag, after a blank line's tag at the end, and in a file without tags. Of lines
    // tagged with the same time (a line and its translation, say) the first in the file is
    // lit; a line wins over a blank line's tag of the same time.
    std::optional<std::size_t> LitLine(std::int64_t timeMs) const;

    // The earliest time after timeMs at which the synced window changes (its lines or the lit
    // line); none when it never changes again.
    std::optional<std::int64_t> NextChangeMs(std::int64_t timeMs) const;

    // The window of lineCount lines (kMinSyncLines..kMaxSyncLines, a count outside is taken
    // as the nearest) at a time: the lit line in the middle (for an even count the upper of
    // the two middle lines), held within the lines so that the window is always full; the
    // first lines before the first tag, the last after a blank line's tag at the end. A file
    // with fewer lines shows them all.
    SyncWindow Window(std::int64_t timeMs, int lineCount) const;

private:
    // What the window shows from a time on: the lit line, if any, and the line it centres on.
    struct State {
        std::optional<std::size_t> lit;
        std::size_t centre = 0;
        bool operator==(const State&) const = default;
    };
    struct Change {
        std::int64_t timeMs;
        State state;
    };

    std::vector<Change>::const_iterator FirstChangeAfter(std::int64_t timeMs) const;
    State StateAt(std::int64_t timeMs) const;

    std::vector<TimedLine> lines_;
    std::int32_t offsetMs_ = 0;
    bool hasTimeTags_ = false;
    // Times at which the state changes, in time order; before the first, nothing is lit and
    // the window shows the first lines.
    std::vector<Change> changes_;
};

// The timeline of an LRC lyrics file with a line range, read as the display text reads it
// (LyricsFileDisplayText); nullopt when the path is not an LRC file or the file would not be
// shown (missing, not a file, larger than the limit, unreadable).
std::optional<LrcTimeline> ReadLrcTimeline(const std::string& path, std::int32_t startLine,
                                           std::int32_t endLine);

}  // namespace vesk
