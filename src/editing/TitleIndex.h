#pragma once

// Finds the first row whose title equals a title under the locale comparison, among many
// rows, without comparing every pair: the rows are grouped by the fingerprint of their
// titles (common/TextFingerprint.h), which equal titles always share, and the system's
// comparison is asked only about titles within one group, after identical bytes, which are
// equal without asking. Rows whose titles have no reliable fingerprint (a code cut in two,
// a unit of measure such as ㎜) are compared with every other; they are rare, as players
// and file names give no broken codes.
//
// Each row added stands for its class of equal titles unless an earlier row does already;
// as equality is an equivalence, the rows standing for a class are the first of each title.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/TextFingerprint.h"
#include "common/TextPlatform.h"
#include "lyrics/ListViewRows.h"

namespace vesk {

class TitleIndex {
public:
    // rows must outlive the index; rows may be appended to it meanwhile, not changed.
    TitleIndex(const std::vector<ListViewRow>& rows, bool ignoreCase, const TextPlatform& platform);

    // The first added row whose title equals title; nothing when none does.
    std::optional<std::size_t> Find(std::string_view title) const;
    // The first added row whose title equals the title of row; when there is none, row is
    // added and returned.
    std::size_t FindOrAdd(std::size_t row);

private:
    // The rows of one fingerprint, first to last, chained through next_. An open hash
    // table: no allocation per title.
    struct Group {
        std::uint32_t hash = 0;
        std::size_t first = kNone;
        std::size_t last = kNone;
    };
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::optional<std::size_t> Find(std::string_view title,
                                    const TextFingerprint& fingerprint) const;
    bool Same(std::string_view title, std::size_t row) const;
    const Group* GroupOf(std::uint32_t hash) const;
    // The group of hash, made empty when there is none.
    Group& GroupFor(std::uint32_t hash);
    void Add(std::size_t row, const TextFingerprint& fingerprint);
    void Link(Group& group, std::size_t row);

    const std::vector<ListViewRow>& rows_;
    bool ignoreCase_;
    const TextPlatform& platform_;
    std::vector<Group> groups_;  // a power of two, at most half used
    std::size_t used_ = 0;
    std::vector<std::size_t> next_;  // by row: the next row of its group
    // Every row that stands for a class, and those whose titles have no reliable
    // fingerprint, in row order.
    std::vector<std::size_t> all_;
    std::vector<std::size_t> unsure_;
};

}  // namespace vesk
