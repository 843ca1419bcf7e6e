#pragma once

// The rules of the lyrics list editor that need no window: which way a column click sorts,
// which row is selected after a delete, and how a dropped lyrics file is named.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The list view's columns, left to right.
enum LyricsColumn : int {
    kTitleColumn = 0,
    kFileColumn = 1,
    kStartLineColumn = 2,
    kEndLineColumn = 3,
};
inline constexpr int kLyricsColumnCount = 4;

// One direction flag per column, all false when the window is made.
using SortFlags = std::array<bool, kLyricsColumnCount>;

// A click on column: its flag says the direction (false: ascending) and is turned over; the
// other flags are cleared, so that the first click on another column sorts ascending.
// Returns whether this click sorts descending.
bool NextSortDescending(SortFlags& flags, int column);

// After the selected rows are removed: the row now at the place of the current row (the
// topmost selected one), or the last row when fewer remain; none when no row remains.
std::optional<std::size_t> SelectionAfterDelete(std::size_t current, std::size_t remaining);

// The lyrics files that dropping takes, by their extensions as FindFiles is given them:
// plain text, and LRC files with time tags.
inline constexpr std::string_view kLyricsFileExtensions[] = {".txt", ".lrc"};

// The extension of the file name of path: its last "." and what follows; empty when the
// name has no ".".
std::string_view ExtensionOf(std::string_view path);
// Whether path names a lyrics file by its extension, in any letter case.
bool IsLyricsFileName(std::string_view path);
// The title a dropped lyrics file gets: its file name without the folder and without the
// extension (a file named ".txt" gives the empty title).
std::string TitleOfLyricsFile(std::string_view path);

}  // namespace vesk
