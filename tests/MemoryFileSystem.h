#pragma once

// A file system in memory for the portable tests: files are a map from path to bytes, with
// folders and devices beside them. A test can make it refuse writes (all, or from a given
// write on), fail reads of some files, report other sizes, or throw from a read, and can see
// which paths were read and how many writes were tried.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/FileSystem.h"

namespace vesk::test {

class MemoryFileSystem final : public FileSystem {
public:
    mutable std::map<std::string, std::string> files;
    mutable std::set<std::string> folders;
    std::set<std::string> devices;
    // Files that are there but cannot be read (another program holds them).
    std::set<std::string> unreadable;
    // Sizes that FileSize reports instead of the content's (nullopt: cannot be read).
    std::map<std::string, std::optional<std::uint64_t>> sizes;
    bool failWrites = false;
    // Writes that succeed before every further write is refused; -1: no limit.
    mutable int writesLeft = -1;
    bool throwOnRead = false;
    // Every path that ReadFile was asked for, in order.
    mutable std::vector<std::string> reads;
    mutable int writes = 0;  // writes tried

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
        if (KindOf(path) != Kind::File || unreadable.count(path) != 0) {
            return std::nullopt;
        }
        return files.at(path);
    }

    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        ++writes;
        if (failWrites || writesLeft == 0 || KindOf(path) == Kind::Directory ||
            KindOf(path) == Kind::Other) {
            return false;
        }
        if (writesLeft > 0) {
            --writesLeft;
        }
        files[path] = std::string(bytes);
        return true;
    }

    bool CreateNewFile(const std::string& path, std::string_view bytes) const override {
        return KindOf(path) == Kind::Missing && ReplaceFile(path, bytes);
    }

    bool CreateFolder(const std::string& path) const override {
        if (KindOf(path) == Kind::Missing && !failWrites) {
            folders.insert(path);
        }
        return KindOf(path) == Kind::Directory;
    }
};

}  // namespace vesk::test
