#pragma once

// In-memory stand-ins for the file system and the editor's list view, so that the tests
// can see what the lyrics list asks of them (which paths it opens, what it writes) and
// make them fail; and the entries of a list as one comparable value.

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "lyrics/ListViewRows.h"
#include "lyrics/untTLyricsList.h"

namespace vesk::test {

class FakeFileSystem final : public FileSystem {
public:
    mutable std::map<std::string, std::string> files;
    std::set<std::string> folders;
    std::set<std::string> devices;
    // Sizes that FileSize reports instead of the content's (nullopt: cannot be read).
    std::map<std::string, std::optional<std::uint64_t>> sizes;
    bool failWrites = false;
    bool throwOnRead = false;
    // Every path that ReadFile was asked for, in order.
    mutable std::vector<std::string> reads;
    mutable int writes = 0;

    Kind KindOf(const std::string& path) const override {
        if (devices.count(path) != 0) {
            return Kind::Other;
        }
        if (folders.count(path) != 0) {
            return Kind::Directory;
        }
        return files.count(path) != 0 ? Kind::File : Kind::Missing;
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        if (KindOf(path) != Kind::File) {
            return std::nullopt;
        }
        const auto size = sizes.find(path);
        return size != sizes.end() ? size->second : files.at(path).size();
    }

    std::optional<std::string> ReadFile(const std::string& path) const override {
        reads.push_back(path);
        if (throwOnRead) {
            throw std::runtime_error("read failed");
        }
        if (KindOf(path) != Kind::File) {
            return std::nullopt;
        }
        return files.at(path);
    }

    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        ++writes;
        if (failWrites || KindOf(path) == Kind::Directory || KindOf(path) == Kind::Other) {
            return false;
        }
        files[path] = std::string(bytes);
        return true;
    }
};

class FakeRows final : public ListViewRows {
public:
    std::vector<ListViewRow> rows;

    std::size_t RowCount() const override { return rows.size(); }
    ListViewRow Row(std::size_t index) const override { return rows.at(index); }
    void AppendRow(const ListViewRow& row) override { rows.push_back(row); }
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

inline std::ostream& operator<<(std::ostream& out, const Entry& entry) {
    return out << "{\"" << entry.title << "\", \"" << entry.fileName << "\", " << entry.startLine
               << ", " << entry.endLine << "}";
}

}  // namespace vesk::test
