#pragma once

// What the main form says of lyrics searched online: the note the lyrics window shows for a
// song without words, and the box that answers the tray's search (the user asked, so every
// end but lyrics saved is told, in words a user understands).

#include <string>
#include <string_view>

#include "online/SearchResult.h"

namespace vesk {

// The display text of a title that the service knows as a song without words.
std::string InstrumentalNote(std::string_view title);

// What became of lyrics that were found.
enum class OnlineSave {
    kSaved,
    kBesideEntry,  // saved, but the title's list entry is what shows
    kExists,       // the title has a file in the lyrics folder already: it is kept as it is
    kNotSaved,     // the folder or the file could not be made
};

struct SearchReport {
    std::string text;      // ANSI; empty: nothing to tell
    bool problem = false;  // a failure, not an answer
};

// The box for a search the user asked for. path: the file the lyrics were saved as, or
// the one that was there already, or the one that could not be written (kFound only).
SearchReport TraySearchReport(const SearchResult& result, OnlineSave save, std::string_view path);

}  // namespace vesk
