#pragma once

// LRC lyrics files, as lyrics tools and players write them for timed lyrics: each line
// begins with one or more time tags "[mm:ss.xx]", and header lines carry tags such as
// "[ti:title]". The lyrics window shows the words alone.

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Whether a lyrics file is an LRC file: its name ends in ".lrc", in any letter case.
bool IsLrcFile(std::string_view path);

// A line of an LRC file as shown:
// - time tags are taken out wherever they stand: "[" minutes ":" seconds "]", the seconds
//   one or two digits, optionally followed by "." or ":" and a fraction ("[01:02.50]",
//   "[1:02]", "[01:02:500]"); word time tags "<01:02.50>" likewise;
// - the header tags "[ar:...]", "[ti:...]", "[al:...]", "[by:...]", "[offset:...]",
//   "[length:...]", "[re:...]" and "[ve:...]" (names in any letter case) are taken out where
//   they begin the line; a line left with nothing but blanks by them, and no time tag, is
//   not shown at all (nullopt).
// Anything else in brackets stays. Tags are found only where a character starts.
std::optional<std::string> LrcShownLine(std::string_view line);

}  // namespace vesk
