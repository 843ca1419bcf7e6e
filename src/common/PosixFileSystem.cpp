// The file system of the native build (Linux): paths are taken as bytes.

#include <sys/stat.h>
#include <unistd.h>

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
        const std::string temporary = path + kTemporarySuffix;
        if (!WriteNew(temporary, bytes)) {
            return false;
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            std::remove(temporary.c_str());
            return false;
        }
        return true;
    }

    bool CreateNewFile(const std::string& path, std::string_view bytes) const override {
        if (KindOf(path) != Kind::Missing) {
            return false;
        }
        const std::string temporary = path + kTemporarySuffix;
        if (!WriteNew(temporary, bytes)) {
            return false;
        }
        // A link fails where a name is taken, which a rename would replace.
        const bool linked = link(temporary.c_str(), path.c_str()) == 0;
        std::remove(temporary.c_str());
        return linked;
    }

    bool CreateFolder(const std::string& path) const override {
        return mkdir(path.c_str(), kFolderMode) == 0 || KindOf(path) == Kind::Directory;
    }

private:
    static constexpr const char* kTemporarySuffix = ".vesk-new";
    static constexpr mode_t kFolderMode = 0777;  // less the process's umask

    static bool WriteNew(const std::string& path, std::string_view bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            std::remove(path.c_str());
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
