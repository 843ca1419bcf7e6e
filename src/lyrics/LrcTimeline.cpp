#include "lyrics/LrcTimeline.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <string_view>
#include <tuple>
#include <utility>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "lyrics/LrcText.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {

namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kEmptyLineStandIn = " ";

// The bytes the display text trims from its ends.
bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), IsTrimmed);
}

void TrimFront(std::string& text) {
    text.erase(0, std::find_if_not(text.begin(), text.end(), IsTrimmed) - text.begin());
}

void TrimBack(std::string& text) {
    text.erase(std::find_if_not(text.rbegin(), text.rend(), IsTrimmed).base(), text.end());
}

}  // namespace

LrcTimeline::LrcTimeline(std::string content, bool lrc, std::int32_t startLine,
                         std::int32_t endLine) {
    const std::string text = DecodeText(std::move(content)).ansi;
    const std::vector<std::string_view> fileLines = SplitTextLines(text);
    std::size_t rangeFirst = 0;
    std::size_t rangeEnd = fileLines.size();
    if (LineRangeApplies(startLine, endLine, fileLines.size())) {
        rangeFirst = static_cast<std::size_t>(startLine) - 1;
        rangeEnd = static_cast<std::size_t>(endLine);
    }
    std::optional<std::int32_t> offset;
    for (std::size_t i = 0; i < fileLines.size(); ++i) {
        const bool inRange = i >= rangeFirst && i < rangeEnd;
        if (!lrc) {
            if (inRange) {
                lines_.push_back({i + 1, std::string(fileLines[i]), {}});
            }
            continue;
        }
        // The offset belongs to the whole file: its header usually stands before the range.
        if (!inRange && offset) {
            continue;
        }
        LrcLine line = ReadLrcLine(fileLines[i]);
        if (!offset) {
            offset = line.offsetMs;
        }
        if (inRange && line.shown) {
            lines_.push_back({i + 1, std::move(*line.shown), std::move(line.timesMs)});
        }
    }
    offsetMs_ = offset.value_or(0);

    // The display text is trimmed as a whole: blank lines at either end are not in it.
    std::size_t keptFirst = 0;
    std::size_t keptEnd = lines_.size();
    while (keptFirst < keptEnd && IsBlank(lines_[keptFirst].text)) {
        ++keptFirst;
    }
    while (keptEnd > keptFirst && IsBlank(lines_[keptEnd - 1].text)) {
        --keptEnd;
    }
    const std::size_t keptCount = keptEnd - keptFirst;

    struct Event {
        std::int64_t timeMs;
        bool blank;  // of a blank line left out: a line of the same time wins
        std::size_t line;
        State state;
    };
    std::vector<Event> events;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        for (const std::int64_t timeMs : lines_[i].timesMs) {
            hasTimeTags_ = true;
            if (i < keptFirst) {
                events.push_back({timeMs, true, i, State{std::nullopt, 0}});
            } else if (i >= keptEnd) {
                events.push_back({timeMs, true, i, State{std::nullopt, keptCount - 1}});
            } else {
                events.push_back({timeMs, false, i, State{i - keptFirst, i - keptFirst}});
            }
        }
    }
    std::sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return std::tie(a.timeMs, a.blank, a.line) < std::tie(b.timeMs, b.blank, b.line);
    });
    State current;
    for (std::size_t i = 0; i < events.size(); ++i) {
        // The first event of a time decides; the others of that time are passed over.
        if (i > 0 && events[i].timeMs == events[i - 1].timeMs) {
            continue;
        }
        if (events[i].state != current) {
            current = events[i].state;
            changes_.push_back({events[i].timeMs, current});
        }
    }

    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(keptEnd), lines_.end());
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(keptFirst));
    if (!lines_.empty()) {
        TrimFront(lines_.front().text);
        TrimBack(lines_.back().text);
    }
}

std::vector<LrcTimeline::Change>::const_iterator LrcTimeline::FirstChangeAfter(
    std::int64_t timeMs) const {
    return std::upper_bound(
        changes_.begin(), changes_.end(), timeMs,
        [](std::int64_t time, const Change& change) { return time < change.timeMs; });
}

LrcTimeline::State LrcTimeline::StateAt(std::int64_t timeMs) const {
    const auto after = FirstChangeAfter(timeMs);
    return after == changes_.begin() ? State{} : std::prev(after)->state;
}

std::optional<std::size_t> LrcTimeline::LitLine(std::int64_t timeMs) const {
    return StateAt(timeMs).lit;
}

std::optional<std::int64_t> LrcTimeline::NextChangeMs(std::int64_t timeMs) const {
    const auto after = FirstChangeAfter(timeMs);
    return after == changes_.end() ? std::nullopt : std::optional<std::int64_t>(after->timeMs);
}

SyncWindow LrcTimeline::Window(std::int64_t timeMs, int lineCount) const {
    const auto wanted =
        static_cast<std::size_t>(std::clamp(lineCount, kMinSyncLines, kMaxSyncLines));
    const State state = StateAt(timeMs);
    SyncWindow window;
    window.count = std::min(wanted, lines_.size());
    if (window.count < lines_.size()) {
        const std::size_t above = (window.count - 1) / 2;
        window.first = state.centre > above ? state.centre - above : 0;
        window.first = std::min(window.first, lines_.size() - window.count);
    }
    if (state.lit) {
        window.lit = *state.lit - window.first;
    }
    for (std::size_t i = 0; i < window.count; ++i) {
        if (i > 0) {
            window.text += kLineBreak;
        }
        const std::string& text = lines_[window.first + i].text;
        const bool lit = window.lit == i;
        if (lit) {
            window.litBegin = window.text.size();
        }
        window.text += text.empty() ? kEmptyLineStandIn : std::string_view(text);
        if (lit) {
            window.litEnd = window.text.size();
        }
    }
    return window;
}

std::optional<LrcTimeline> ReadLrcTimeline(const std::string& path, std::int32_t startLine,
                                           std::int32_t endLine) {
    if (!IsLrcFile(path)) {
        return std::nullopt;
    }
    try {
        // The checks of LyricsFileDisplayText, in its order: a file it shows a message for has
        // no timeline.
        const FileSystem& files = CurrentFileSystem();
        if (files.KindOf(path) != FileSystem::Kind::File) {
            return std::nullopt;
        }
        const std::optional<std::uint64_t> size = files.FileSize(path);
        if (size && *size > kLyricsFileMaxBytes) {
            return std::nullopt;
        }
        std::optional<std::string> content = files.ReadFile(path);
        if (!content || content->size() > kLyricsFileMaxBytes) {
            return std::nullopt;
        }
        return LrcTimeline(std::move(*content), true, startLine, endLine);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace vesk
