#pragma once

// Cuts the song title out of the player's window caption by the user's rules.

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// The title that stands for an empty caption or a missing player window.
inline constexpr std::string_view kPlayerNotFound = "PlayerNotFound";

// Holds no state: the program uses one instance, TitleGet(). The operations are virtual so
// that a derived class can change one step (a replaced FindDelimiter changes how
// GetSongTitle splits fields).
class TTitleGet {
public:
    virtual ~TTitleGet() = default;

    // 1-based byte position of the first delimiter byte that starts a character in text,
    // or 0 when there is none or it lies beyond byte 99.
    virtual int FindDelimiter(std::string_view delimiters, std::string_view text) const;

    // The song title: the caption with frontCut bytes cut from its front and backCut from
    // its back, split into fields at the delimiters, field titlePos (from 1) trimmed.
    // "PlayerNotFound" for an empty caption.
    virtual std::string GetSongTitle(std::string_view caption, std::string_view delimiters,
                                     std::int32_t titlePos, std::int32_t frontCut,
                                     std::int32_t backCut) const;
};

// The program-wide instance.
TTitleGet& TitleGet();

}  // namespace vesk
