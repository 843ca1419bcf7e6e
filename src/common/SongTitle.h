#pragma once

// What the song title can stand for besides a song.

#include <string_view>

namespace vesk {

// The title of a check that found no player window, or one with an empty caption. The
// title reader makes it, the lyrics list shows its own message for it, and the assignment
// commands start the player instead of assigning lyrics to it.
inline constexpr std::string_view kPlayerNotFound = "PlayerNotFound";

}  // namespace vesk
