#pragma once

// In-memory stand-ins for the file system (MemoryFileSystem.h) and the editor's list view,
// so that the tests can see what the lyrics list asks of them (which paths it opens, what
// it writes) and make them fail; and the entries of a list as one comparable value.

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "MemoryFileSystem.h"
#include "lyrics/ListViewRows.h"
#include "lyrics/untTLyricsList.h"

namespace vesk::test {

using FakeFileSystem = MemoryFileSystem;

class FakeRows final : public ListViewRows {
public:
    std::vector<ListViewRow> rows;

    std::size_t RowCount() const override { return rows.size(); }
    ListViewRow Row(std::size_t index) const override { return rows.at(index); }
    void AppendRow(ListViewRow row) override { rows.push_back(std::move(row)); }
};

struct Entry {
    std::string title;
    std::string fileName;
    std::int32_t startLine;
    std::int32_t endLine;
    bool operator==(const Entry&) const = default;
};

inline std::vector<Entry> EntriesOf(const TLyricsList& list) {
    std::vector<Entry> entries;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        entries.push_back(
            {list.Titles()[at], list.FileNames()[at], list.StartLines()[at], list.EndLines()[at]});
    }
    return entries;
}

// The bytes of a UTF-16 file with its byte-order mark.
inline std::string Utf16File(std::u16string_view text, bool bigEndian = false) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

inline std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << "{\"" << entry.title << "\", \"" << entry.fileName << "\", " << entry.startLine
               << ", " << entry.endLine << "}";
}

}  // namespace vesk::test
