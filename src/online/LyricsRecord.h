#pragma once

// The choice of lyrics in the service's answer to a search: a JSON array of records, each
// with "trackName", "artistName", "instrumental", "plainLyrics" and "syncedLyrics" (other
// fields are not read). The answer is outside input: any part of it may be missing, null,
// of another type or not text at all.

#include <string>
#include <string_view>

namespace vesk {

class TextPlatform;

enum class LyricsKind {
    kNone,          // nothing usable: no record, no lyrics, or no JSON at all
    kSynced,        // LRC text with time tags
    kPlain,         // lines of words only
    kInstrumental,  // the record says the song has no words
};

struct ChosenLyrics {
    LyricsKind kind = LyricsKind::kNone;
    // kSynced and kPlain: the lyrics in UTF-8 as the record holds them, up to a NUL
    // character if one is in them; never blank. Empty for the other kinds.
    std::string text;
};

// Of the records, the first whose track name, or artist name + " - " + track name, equals
// the title, and that has lyrics or is marked instrumental; else the first that has lyrics
// (an instrumental record is taken only by its name). Synced lyrics are taken before plain
// ones; lyrics that hold only blanks count as none.
//
// The names are compared as the lyrics list compares titles without regard to case: in the
// ANSI code page, the names converted from UTF-8 by platform, with the platform's
// locale-aware case-insensitive equality (on Win32 CompareStringA with NORM_IGNORECASE in
// the user's locale). So a name matches the title the player shows for it: letters of the
// scripts that have case match in either case, and a character the code page lacks matches
// the "?" or best fit it became in the title.
//
// Records past the first hundred are not read. Never throws: a body that is not a JSON
// array (a broken text, bytes that are not UTF-8, the service's error object) gives kNone.
ChosenLyrics ChooseLyrics(std::string_view body, std::string_view title,
                          const TextPlatform& platform) noexcept;

}  // namespace vesk
