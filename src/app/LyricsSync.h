#pragma once

// Synced lyrics as the main form shows them: the timeline of the song shown, the song's
// clock and the user's correction for its title. The timeline's time is the song's time plus
// the file's offset plus the correction, so that both show lines earlier when positive.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/SongClock.h"
#include "lyrics/LrcTimeline.h"

namespace vesk {

// What the lyrics window shows of a synced song at one time: the window of lines and the lit
// line's bytes in it (both 0 when none is lit).
struct SyncedView {
    std::string text;
    std::size_t litBegin = 0;
    std::size_t litEnd = 0;

    // The line being sung alone; empty when none is lit.
    std::string_view LitLine() const {
        return std::string_view(text).substr(litBegin, litEnd - litBegin);
    }
    bool operator==(const SyncedView&) const = default;
};

class TLyricsSync {
public:
    // The clock runs from song to song, whether a synced song is shown or not.
    TSongClock& Clock() { return clock_; }
    const TSongClock& Clock() const { return clock_; }

    // The song shown becomes timeline, with the user's correction for its title.
    void Show(LrcTimeline timeline, std::int32_t correctionMs);
    // No synced song is shown any more.
    void Stop() { timeline_.reset(); }
    bool Showing() const { return timeline_.has_value(); }
    void SetCorrection(std::int32_t correctionMs) { correctionMs_ = correctionMs; }

    // The timeline's time at nowMs.
    std::int64_t TimelineMs(std::int64_t nowMs) const;
    // What the window of lineCount lines shows at nowMs; nothing while no song is shown.
    SyncedView ViewAt(std::int64_t nowMs, int lineCount) const;
    // Milliseconds from nowMs until what is shown changes next, at least 1; none when it never
    // changes again, the clock stands still or no song is shown.
    std::optional<std::int64_t> DelayToNextChange(std::int64_t nowMs) const;

private:
    TSongClock clock_;
    std::optional<LrcTimeline> timeline_;
    std::int32_t correctionMs_ = 0;
};

}  // namespace vesk
