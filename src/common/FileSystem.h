#pragma once

// What the logic needs of the file system. Paths are ANSI byte strings. The program's own
// files (the lyrics list, the settings, paste-assignment files) are replaced in one step,
// so that a failure never leaves one truncated or half-written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class FileSystem {
public:
    enum class Kind {
        Missing,    // nothing there, or the path cannot be examined
        File,       // a regular disk file
        Directory,  // a folder
        Other,      // a device, pipe or anything else that is not a disk file
    };

    virtual ~FileSystem() = default;

    // What the path names. Device names (CON, NUL, COM1, \\.\pipe\...) are Other and are
    // never opened to find out.
    virtual Kind KindOf(const std::string& path) const = 0;

    // Size of a regular disk file; nullopt when the path is no such file or the size
    // cannot be read.
    virtual std::optional<std::uint64_t> FileSize(const std::string& path) const = 0;

    // The whole content of a regular disk file; nullopt when the path is no such file or
    // it cannot be opened or read.
    virtual std::optional<std::string> ReadFile(const std::string& path) const = 0;

    // Writes bytes to a new file in the same folder and puts it in place of path in one
    // step. false when anything fails; the file at path then stays as it was.
    virtual bool ReplaceFile(const std::string& path, std::string_view bytes) const = 0;

    // Writes bytes as a new file at path in one step (to a name of its own in the same
    // folder, then moved to path), unless something is at path by then: false when path
    // names anything already or anything fails. Whatever is at path is never touched.
    virtual bool CreateNewFile(const std::string& path, std::string_view bytes) const = 0;

    // Makes the folder at path (its parent must exist); whether a folder is there afterwards.
    virtual bool CreateFolder(const std::string& path) const = 0;
};

// The system's file system (Win32 in the Windows build, POSIX natively).
const FileSystem& SystemFileSystem();

// The file system the program uses: the system's, unless a test has put another in place.
const FileSystem& CurrentFileSystem();

class ScopedFileSystem {
public:
    explicit ScopedFileSystem(const FileSystem& fileSystem);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    const FileSystem* previous_;
};

// Whether a regular file is there that cannot be read now (another program holds it), as
// opposed to a missing one: what was read from it is not what it holds, so it must not be
// written over from that.
bool ExistsButCannotBeRead(const std::string& path);

// Whether the last component of a path is a reserved device name of Windows (CON, PRN,
// AUX, NUL, COM1-COM9, LPT1-LPT9), in any letter case, with or without an extension.
bool IsReservedDeviceName(std::string_view path);

}  // namespace vesk
