#pragma once

// LRC lyrics files, as lyrics tools and players write them for timed lyrics: each line
// begins with one or more time tags "[mm:ss.xx]", and header lines carry tags such as
// "[ti:title]". The lyrics window shows the words alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// A line of an LRC file read whole, by the rules of LrcShownLine.
struct LrcLine {
    std::optional<std::string> shown;  // LrcShownLine
    // The times of its line time tags ("[...]", not the word tags "<...>"), in milliseconds,
    // in the order they stand: the fraction is of a second (".5", ".50" and ".500" are all
    // 500 ms), its digits after the third dropped.
    std::vector<std::int64_t> timesMs;
    // The value of the first "[offset:...]" header tag of the line: blanks, an optional sign
    // and decimal digits that fit 32 bits; nullopt when there is none or it is not a number.
    std::optional<std::int32_t> offsetMs;
};
LrcLine ReadLrcLine(std::string_view line);

}  // namespace vesk
