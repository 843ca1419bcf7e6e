// The Win32 file system: ANSI paths, and only regular disk files are ever opened.

#include <windows.h>

#include <string>

#include "common/AnsiText.h"
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

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& path) {
    const std::size_t nameStart = FileNameStart(path);
    return nameStart == 0 ? std::string(".") : path.substr(0, nameStart);
}

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
        char temporary[MAX_PATH + 1] = {};
        if (GetTempFileNameA(FolderOf(path).c_str(), "vsk", 0, temporary) == 0) {
            return false;
        }
        if (!WriteWhole(temporary, bytes) ||
            !MoveFileExA(temporary, path.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileA(temporary);
            return false;
        }
        return true;
    }

private:
    static bool WriteWhole(const char* path, std::string_view bytes) {
        FileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return false;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            DWORD written = 0;
            const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
            if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) ||
                written == 0) {
                return false;
            }
            done += written;
        }
        return FlushFileBuffers(file.Get()) != FALSE;
    }
};

}  // namespace

const FileSystem& SystemFileSystem() {
    static const Win32FileSystem fileSystem;
    return fileSystem;
}

}  // namespace vesk
