// The file system of the native build (Linux): paths are taken as bytes.

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "common/FileSystem.h"

namespace vesk {

namespace {

class PosixFileSystem final : public FileSystem {
public:
    Kind KindOf(const std::string& path) const override {
        struct stat info {};
        if (IsReservedDeviceName(path)) {
            return Kind::Other;
        }
        if (stat(path.c_str(), &info) != 0) {
            return Kind::Missing;
        }
        return S_ISREG(info.st_mode)   ? Kind::File
               : S_ISDIR(info.st_mode) ? Kind::Directory
                                       : Kind::Other;
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        struct stat info {};
        if (KindOf(path) != Kind::File || stat(path.c_str(), &info) != 0) {
            return std::nullopt;
        }
        return static_cast<std::uint64_t>(info.st_size);
    }

    std::optional<std::string> ReadFile(const std::string& path) const override {
        if (KindOf(path) != Kind::File) {
            return std::nullopt;
        }
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::ostringstream content;
        content << in.rdbuf();
        if (in.bad()) {
            return std::nullopt;
        }
        return std::move(content).str();
    }

    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        if (KindOf(path) == Kind::Directory || KindOf(path) == Kind::Other) {
            return false;
        }
        const std::string temporary = path + ".vesk-new";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            if (out.fail()) {
                std::remove(temporary.c_str());
                return false;
            }
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::remove(temporary.c_str());
            return false;
        }
        return true;
    }
};

}  // namespace

const FileSystem& SystemFileSystem() {
    static const PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace vesk
