#include "editing/TitleIndex.h"

#include <algorithm>

#include "common/TextFingerprint.h"

namespace vesk {

TitleIndex::TitleIndex(const std::vector<ListViewRow>& rows, bool ignoreCase,
                       const TextPlatform& platform)
    : rows_(rows), ignoreCase_(ignoreCase), platform_(platform) {
    // Room for every row there is now, so that filling the index allocates little.
    std::size_t size = 64;
    while (size < 2 * rows.size()) {
        size *= 2;
    }
    groups_.resize(size);
    next_.assign(rows.size(), kNone);
    all_.reserve(rows.size());
}

bool TitleIndex::Same(std::string_view title, std::size_t row) const {
    const std::string& other = rows_[row].title;
    return other == title || platform_.Equal(other, title, ignoreCase_);
}

std::optional<std::size_t> TitleIndex::Find(std::string_view title) const {
    return Find(title, FingerprintOf(title));
}

const TitleIndex::Group* TitleIndex::GroupOf(std::uint32_t hash) const {
    if (groups_.empty()) {
        return nullptr;
    }
    const std::size_t mask = groups_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (groups_[i].first == kNone) {
            return nullptr;
        }
        if (groups_[i].hash == hash) {
            return &groups_[i];
        }
    }
}

TitleIndex::Group& TitleIndex::GroupFor(std::uint32_t hash) {
    constexpr std::size_t kFirstSize = 64;
    if (2 * (used_ + 1) > groups_.size()) {
        std::vector<Group> old(std::max(kFirstSize, 2 * groups_.size()));
        old.swap(groups_);
        used_ = 0;
        for (const Group& group : old) {
            if (group.first != kNone) {
                GroupFor(group.hash) = group;
            }
        }
    }
    const std::size_t mask = groups_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (groups_[i].first == kNone) {
            ++used_;
            groups_[i].hash = hash;
            return groups_[i];
        }
        if (groups_[i].hash == hash) {
            return groups_[i];
        }
    }
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
        // Equal titles share the fingerprint; the first of the group that is equal is the
        // first of its class.
        if (const Group* group = GroupOf(fingerprint.hash)) {
            for (std::size_t row = group->first; row != kNone && !found; row = next_[row]) {
                take(row);
            }
        }
    } else {
        for (std::size_t row : all_) {
            take(row);
        }
        return found;
    }
    for (std::size_t row : unsure_) {
        take(row);
    }
    return found;
}

void TitleIndex::Add(std::size_t row, const TextFingerprint& fingerprint) {
    all_.push_back(row);
    if (fingerprint.reliable) {
        Link(GroupFor(fingerprint.hash), row);
    } else {
        unsure_.push_back(row);
    }
}

void TitleIndex::Link(Group& group, std::size_t row) {
    if (next_.size() <= row) {
        next_.resize(std::max(row + 1, rows_.size()), kNone);
    }
    if (group.first == kNone) {
        group.first = row;
    } else {
        next_[group.last] = row;
    }
    group.last = row;
}

std::size_t TitleIndex::FindOrAdd(std::size_t row) {
    const std::string& title = rows_[row].title;
    const TextFingerprint fingerprint = FingerprintOf(title);
    if (!fingerprint.reliable || !unsure_.empty()) {
        const std::optional<std::size_t> found = Find(title, fingerprint);
        if (!found) {
            Add(row, fingerprint);
        }
        return found.value_or(row);
    }
    // One look-up finds the group or makes it: most titles are the first of theirs.
    Group& group = GroupFor(fingerprint.hash);
    for (std::size_t other = group.first; other != kNone; other = next_[other]) {
        if (Same(title, other)) {
            return other;
        }
    }
    all_.push_back(row);
    Link(group, row);
    return row;
}

}  // namespace vesk
