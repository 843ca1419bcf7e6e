#pragma once

// The song's clock for synced lyrics: the time since the title check found this song, or,
// for a player that tells its position (Windows Media Player), that position, read once per
// title check and carried forward between reads.

#include <cstdint>
#include <optional>

namespace vesk {

class TSongClock {
public:
    // The title changed to a song (a song played again too): it starts from 0 at nowMs.
    void Start(std::int64_t nowMs);
    // The player's position, read at nowMs. A position that has not moved since the read
    // before stops the clock there (the player is paused) until one moves again; a position
    // that is no number is passed over.
    void TakePosition(double seconds, std::int64_t nowMs);
    // The song's time at nowMs, in milliseconds.
    std::int64_t SongMs(std::int64_t nowMs) const;
    bool Running() const { return running_; }

private:
    std::int64_t songMs_ = 0;  // the song's time at startMs_
    std::int64_t startMs_ = 0;
    bool running_ = true;
    std::optional<std::int64_t> lastPositionMs_;
};

}  // namespace vesk
