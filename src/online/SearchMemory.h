#pragma once

// Which titles have been searched online in this run: each title is searched at most once,
// so a title the service does not know, or a search that failed, is not asked again while
// the program runs. A title found online need not be remembered as much (its file answers
// the next time), but a file that could not be written must not bring the search back.
// Used on one thread; titles are compared byte for byte, as the title check compares them.

#include <string>
#include <string_view>
#include <unordered_set>

namespace vesk {

// A title worth a search: not blank, and not the sentinel of a missing player. An empty
// title, which names no lyrics file, is never searched.
bool IsSearchableTitle(std::string_view title);

class SearchMemory {
public:
    // Whether title is to be searched now: searchable and not searched yet in this run. A
    // true answer remembers the title.
    bool TryBegin(std::string_view title);
    // Remembers a title searched without asking (the user's own request).
    void Remember(std::string_view title);
    // Lets a title be searched again (its search was dropped before it began).
    void Forget(std::string_view title);
    bool Searched(std::string_view title) const;

private:
    // Titles of one run: a few thousand at most, a few hundred kilobytes.
    std::unordered_set<std::string> titles_;
};

}  // namespace vesk
