#pragma once

// Finds the player's window, reads its caption (built through automation for Windows Media
// Player) and cuts the song title out of it by the user's rules.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/SongTitle.h"
#include "title/ClassNameMatch.h"
#include "title/WindowSystem.h"

namespace vesk {

// What one read of the player gives: its caption and, for Windows Media Player, its position
// in the current media in seconds (nullopt for other players, or when it cannot be read).
struct PlayerReading {
    std::string caption;
    std::optional<double> positionSeconds;
};

// The class of Windows Media Player's main window; its caption is built through automation.
inline constexpr std::string_view kWmpClassName = "WMPlayerApp";
// What its built caption has after the media name: a back cut of its length leaves the name.
inline constexpr std::string_view kWmpCaptionEnd = " - Windows Media Player";

// At most this many top-level windows are examined in one search.
inline constexpr std::size_t kMaxTopWindows = 500;

// Keeps only the answers of its class-name comparisons, so it belongs to one thread: the
// program uses one instance, TitleGet(), on its user-interface thread. The operations are
// virtual so that a derived class can change one step (a replaced FindDelimiter changes how
// GetSongTitle splits fields; a replaced GetWindowCaption changes how the player search
// reads every caption). Windows are reached through CurrentWindowSystem().
class TTitleGet {
public:
    // 1-based byte position of the first delimiter byte that starts a character in text,
    // or 0 when there is none or it lies beyond byte 99.
    virtual int FindDelimiter(std::string_view delimiters, std::string_view text) const;

    // The window's caption; empty when it has none.
    virtual std::string GetWindowCaption(WindowHandle window) const;

    // The song title: the caption with frontCut bytes cut from its front and backCut from
    // its back, split into fields at the delimiters, field titlePos (from 1) trimmed.
    // "PlayerNotFound" for an empty caption.
    virtual std::string GetSongTitle(std::string_view caption, std::string_view delimiters,
                                     std::int32_t titlePos, std::int32_t frontCut,
                                     std::int32_t backCut) const;

    // The caption of the player's window: the first top-level window, front to back, of
    // the class whose caption contains filter (at a character start; no filter takes the
    // first window of the class). For the class "WMPlayerApp" the caption built by
    // GetWmpCaption, whatever the filter. Empty when no window matches.
    virtual std::string GetPlayerCaption(std::string_view className, std::string_view filter) const;

    // The player's window found as by GetPlayerCaption (no automation step), or kNoWindow.
    virtual WindowHandle FindPlayerWindow(std::string_view className,
                                          std::string_view filter) const;

    // Last, so that the five operations keep the first slots.
    virtual ~TTitleGet() = default;

    // GetPlayerCaption, and for Windows Media Player its position too, read through the same
    // automation object as its caption (ReadWmp).
    virtual PlayerReading ReadPlayer(std::string_view className, std::string_view filter) const;

private:
    WindowHandle SearchPlayerWindow(std::string_view className, std::string_view filter) const;

    // Class names compare as the system's locale does, letter case counting; the answers
    // are kept, since the same names are compared every tick.
    mutable ClassNameMatch wmpClass_;
    mutable ClassNameMatch playerClass_;
};

// The top-level windows, front to back, visible or not, owned or not; at most
// kMaxTopWindows of them.
std::vector<WindowHandle> EnumTopWindows();

// The same windows handed to visit one by one as they are listed, until visit returns false.
void EnumTopWindows(const std::function<bool(WindowHandle)>& visit);

// Windows Media Player's caption as the extraction rules expect it: the current media's
// name followed by " - Windows Media Player"; "- Windows Media Player" when the player runs
// but its name cannot be read; empty when the player is not running.
std::string GetWmpCaption();
// GetWmpCaption with the player's "currentPosition" (Core, controls), read from the same
// automation object as the name; no position when the player is not running.
PlayerReading ReadWmp();

// The program-wide instance.
TTitleGet& TitleGet();

}  // namespace vesk
