#pragma once

// Small pieces of the main form's start-up and commands that need no window system.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The process priority class (Win32 *_PRIORITY_CLASS value) for the "Priority" setting,
// taken from its low 8 bits: 0 idle, 1 normal, 2 high, 3 real-time; nullopt for other
// values, which leave the priority as it is.
std::optional<std::uint32_t> PriorityClassOf(std::int32_t priority);

// The command line that starts the player. A setting that is exactly the path of an existing
// program file with blanks in it is quoted, so that "C:\Program Files\Player\player.exe"
// never starts "C:\Program.exe"; anything else (a command line with arguments, a path in
// quotes) is used as it stands.
std::string PlayerCommandLine(const std::string& player);

// The tip of the notification-area icon: "Vesk " and the version without its last two
// characters ("1.3.1.0" gives "Vesk 1.3.1").
std::string TrayTipOf(std::string_view versionText);

// The store's page for CDs, with the store tag given (empty: no tag).
std::string StoreLink(std::string_view tag);

// The About box's text for the version.
std::string AboutText(std::string_view versionText);

}  // namespace vesk
