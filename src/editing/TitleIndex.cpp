#include "editing/TitleIndex.h"

#include <algorithm>

#include "common/TextFingerprint.h"

namespace vesk {

TitleIndex::TitleIndex(const std::vector<ListViewRow>& rows, bool ignoreCase,
                       const TextPlatform& platform)
    : rows_(rows), ignoreCase_(ignoreCase), platform_(platform) {}

bool TitleIndex::Same(std::string_view title, std::size_t row) const {
    const std::string& other = rows_[row].title;
    return other == title || platform_.Equal(other, title, ignoreCase_);
}

std::optional<std::size_t> TitleIndex::Find(std::string_view title) const {
    return Find(title, FingerprintOf(title));
}

std::optional<std::size_t> TitleIndex::Find(std::string_view title,
                                            const TextFingerprint& fingerprint) const {
    std::optional<std::size_t> found;
    auto take = [&](std::size_t row) {
        if ((!found || row < *found) && Same(title, row)) {
            found = row;
        }
    };
    if (fingerprint.reliable) {
        if (const auto group = classes_.find(fingerprint.hash); group != classes_.end()) {
            for (std::size_t row : group->second) {
                take(row);
                if (found) {
                    break;  // the rest of the group comes later
                }
            }
        }
    } else {
        for (const auto& group : classes_) {
            for (std::size_t row : group.second) {
                take(row);
            }
        }
    }
    for (std::size_t row : unsure_) {
        take(row);
    }
    return found;
}

std::size_t TitleIndex::FindOrAdd(std::size_t row) {
    const std::string& title = rows_[row].title;
    const TextFingerprint fingerprint = FingerprintOf(title);
    if (const std::optional<std::size_t> found = Find(title, fingerprint)) {
        return *found;
    }
    (fingerprint.reliable ? classes_[fingerprint.hash] : unsure_).push_back(row);
    return row;
}

}  // namespace vesk
