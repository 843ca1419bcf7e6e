#include "online/SearchMemory.h"

#include "common/AnsiText.h"
#include "common/SongTitle.h"

namespace vesk {

bool IsSearchableTitle(std::string_view title) {
    return !TrimBlanks(title).empty() && title != kPlayerNotFound;
}

bool SearchMemory::TryBegin(std::string_view title) {
    return IsSearchableTitle(title) && titles_.emplace(title).second;
}

void SearchMemory::Remember(std::string_view title) {
    titles_.emplace(title);
}

void SearchMemory::Forget(std::string_view title) {
    titles_.erase(std::string(title));
}

bool SearchMemory::Searched(std::string_view title) const {
    return titles_.contains(std::string(title));
}

}  // namespace vesk
