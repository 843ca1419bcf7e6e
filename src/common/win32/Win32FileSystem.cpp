// The Win32 file system: ANSI paths, and only regular disk files are ever opened.

#include <windows.h>

#include <string>

#include "common/FileSystem.h"
#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// "\\.\" names the device namespace (pipes, ports, volumes), never a disk file to read.
bool IsDeviceNamespace(std::string_view path) {
    return path.size() >= 4 && (path[0] == '\\' || path[0] == '/') &&
           (path[1] == '\\' || path[1] == '/') && path[2] == '.' &&
           (path[3] == '\\' || path[3] == '/');
}

// What the name of a file being replaced gets for its new content until it takes the place.
constexpr char kTemporarySuffix[] = ".vesk-new";

class Win32FileSystem final : public FileSystem {
public:
    Kind KindOf(const std::string& path) const override {
        if (path.empty()) {
            return Kind::Missing;
        }
        if (IsReservedDeviceName(path) || IsDeviceNamespace(path)) {
            return Kind::Other;
        }
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return Kind::Missing;
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return Kind::Directory;
        }
        return (attributes & FILE_ATTRIBUTE_DEVICE) ? Kind::Other : Kind::File;
    }

    std::optional<std::uint64_t> FileSize(const std::string& path) const override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (KindOf(path) != Kind::File ||
            !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
            return std::nullopt;
        }
        return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }

    std::optional<std::string> ReadFile(const std::string& path) const override {
        if (KindOf(path) != Kind::File) {
            return std::nullopt;
        }
        FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || GetFileType(file.Get()) != FILE_TYPE_DISK) {
            return std::nullopt;
        }
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
            return std::nullopt;
        }
        std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
        std::size_t done = 0;
        while (done < content.size()) {
            DWORD read = 0;
            const DWORD chunk = static_cast<DWORD>(content.size() - done);
            if (!::ReadFile(file.Get(), content.data() + done, chunk, &read, nullptr)) {
                return std::nullopt;
            }
            if (read == 0) {
                content.resize(done);  // the file shrank while it was read
                break;
            }
            done += read;
        }
        return content;
    }

    bool ReplaceFile(const std::string& path, std::string_view bytes) const override {
        const Kind kind = KindOf(path);
        if (kind == Kind::Directory || kind == Kind::Other) {
            return false;
        }
        // Windows refuses to move over a read-only file, Wine does not: refuse it here so
        // that a file the user protected is never replaced.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (kind == Kind::File && (attributes & FILE_ATTRIBUTE_READONLY)) {
            return false;
        }
        // Written beside the file under a name of its own (left over from a crash, it is
        // simply written again), then put in its place.
        const std::string temporary = path + kTemporarySuffix;
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            // No new file can be made beside it (the folder lets the file be written but
            // nothing be added): write the file in place, as the system's profile functions
            // do.
            return WriteInPlace(path, bytes);
        }
        const bool written = WriteAll(file.Get(), bytes);
        file.Reset();
        if (!written || !PutInPlace(temporary, path, kind)) {
            DeleteFileA(temporary.c_str());
            return false;
        }
        return true;
    }

    bool CreateNewFile(const std::string& path, std::string_view bytes) const override {
        if (KindOf(path) != Kind::Missing) {
            return false;
        }
        const std::string temporary = path + kTemporarySuffix;
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return false;
        }
        const bool written = WriteAll(file.Get(), bytes);
        file.Reset();
        // Without MOVEFILE_REPLACE_EXISTING the move fails where the name is taken.
        if (!written || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
            DeleteFileA(temporary.c_str());
            return false;
        }
        return true;
    }

    bool CreateFolder(const std::string& path) const override {
        return CreateDirectoryA(path.c_str(), nullptr) != FALSE || KindOf(path) == Kind::Directory;
    }

private:
    // The written file takes the place of path in one step. An existing file is replaced
    // by the system's replace operation, which keeps its attributes (hidden, archive) and
    // its security; a new one is moved there.
    static bool PutInPlace(const std::string& written, const std::string& path, Kind kind) {
        if (kind == Kind::File) {
            // A file another program holds cannot be replaced: found out before the system's
            // replace is tried, which under Wine leaves a file of its own behind when it fails.
            if (!FileHandle(CreateFileA(path.c_str(), DELETE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
                return false;
            }
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (!::ReplaceFileA(path.c_str(), written.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
                return false;
            }
            // Wine's replace takes the new file's attributes: give the old ones back.
            SetFileAttributesA(path.c_str(), attributes);
            return true;
        }
        return MoveFileExA(written.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    static bool WriteInPlace(const std::string& path, std::string_view bytes) {
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        return file && WriteAll(file.Get(), bytes) && SetEndOfFile(file.Get()) != FALSE;
    }

    static bool WriteAll(HANDLE file, std::string_view bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
            if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
                return false;
            }
            done += written;
        }
        return FlushFileBuffers(file) != FALSE;
    }
};

}  // namespace

const FileSystem& SystemFileSystem() {
    static const Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace vesk
