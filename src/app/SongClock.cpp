#include "app/SongClock.h"

#include <cmath>
#include <cstdlib>

namespace vesk {

namespace {

constexpr double kMillisecondsPerSecond = 1000;
// Positions closer than this are the same: the player has not moved.
constexpr std::int64_t kStillMs = 1;
// No song is longer; a position beyond is no position.
constexpr double kLongestSeconds = 24 * 60 * 60;

}  // namespace

void TSongClock::Start(std::int64_t nowMs) {
    songMs_ = 0;
    startMs_ = nowMs;
    running_ = true;
    lastPositionMs_.reset();
}

void TSongClock::TakePosition(double seconds, std::int64_t nowMs) {
    if (!std::isfinite(seconds) || std::abs(seconds) > kLongestSeconds) {
        return;
    }
    const auto positionMs = std::llround(seconds * kMillisecondsPerSecond);
    running_ = !lastPositionMs_ || std::llabs(positionMs - *lastPositionMs_) >= kStillMs;
    lastPositionMs_ = positionMs;
    songMs_ = positionMs;
    startMs_ = nowMs;
}

std::int64_t TSongClock::SongMs(std::int64_t nowMs) const {
    return running_ ? songMs_ + (nowMs - startMs_) : songMs_;
}

}  // namespace vesk
