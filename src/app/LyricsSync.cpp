#include "app/LyricsSync.h"

#include <algorithm>
#include <utility>

namespace vesk {

void TLyricsSync::Show(LrcTimeline timeline, std::int32_t correctionMs) {
    timeline_ = std::move(timeline);
    correctionMs_ = correctionMs;
}

std::int64_t TLyricsSync::TimelineMs(std::int64_t nowMs) const {
    const std::int32_t offsetMs = timeline_ ? timeline_->OffsetMs() : 0;
    return clock_.SongMs(nowMs) + offsetMs + correctionMs_;
}

SyncedView TLyricsSync::ViewAt(std::int64_t nowMs, int lineCount) const {
    if (!timeline_) {
        return {};
    }
    SyncWindow window = timeline_->Window(TimelineMs(nowMs), lineCount);
    return {std::move(window.text), window.litBegin, window.litEnd};
}

std::optional<std::int64_t> TLyricsSync::DelayToNextChange(std::int64_t nowMs) const {
    if (!timeline_ || !clock_.Running()) {
        return std::nullopt;
    }
    const std::int64_t timeMs = TimelineMs(nowMs);
    const std::optional<std::int64_t> next = timeline_->NextChangeMs(timeMs);
    if (!next) {
        return std::nullopt;
    }
    return std::max<std::int64_t>(*next - timeMs, 1);
}

}  // namespace vesk
