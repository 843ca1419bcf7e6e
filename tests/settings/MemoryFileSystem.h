#pragma once

// A file system in memory for the settings tests: files are a map from path to bytes, and
// a test can make it refuse writes (from a given write on) or reads of a file.

#include <map>
#include <set>
#include <string>

#include "common/FileSystem.h"

namespace vesk::test {

class MemoryFileSystem final : public FileSystem {
public:
    mutable std::map<std::string, std::string> files;
    std::set<std::string> unreadable;
    // Writes that succeed before every further write is refused; -1: no limit.
    mutable int writesLeft = -1;
    mutable int writes = 0;  // successful writes
    mutable int reads = 0;   // ReadFile calls

    Kind KindOf(const std::string& path) const override {
        return files.count(path) != 0 ? Kind::File : Kind::Missing;
    }
    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        const auto it = files.find(path);
        if (it == files.end()) {
            return std::nullopt;
        }
        return it->second.size();
    }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        ++reads;
        const auto it = files.find(path);
        if (it == files.end() || unreadable.count(path) != 0) {
            return std::nullopt;
        }
        return it->second;
    }
    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        if (writesLeft == 0) {
            return false;
        }
        if (writesLeft > 0) {
            --writesLeft;
        }
        ++writes;
        files[path] = std::string(bytes);
        return true;
    }
};

}  // namespace vesk::test
