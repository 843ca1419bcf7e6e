#include "editing/win32/Win32FolderLister.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "common/win32/WideText.h"
#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// The path of an open folder with every link resolved, in UTF-8 so that no two names
// become the same text; empty when it cannot be read.
std::string FinalPath(HANDLE handle) {
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, path.data(), MAX_PATH, kFlags);
    if (length >= MAX_PATH) {
        // Too small: length is the size needed, its NUL counted.
        path.resize(length);
        length = GetFinalPathNameByHandleW(handle, path.data(), length, kFlags);
        if (length >= path.size()) {
            return {};
        }
    }
    path.resize(length);
    return Narrow(path, CP_UTF8);
}

}  // namespace

std::vector<FolderEntry> Win32FolderLister::Entries(const std::string& folder) const {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA data{};
    const FindHandle find(FindFirstFileA((folder + "*").c_str(), &data));
    if (!find) {
        return entries;
    }
    do {
        const std::string_view name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        entries.push_back({std::string(name),
                           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(find.Get(), &data));
    return entries;
}

FolderIdentity Win32FolderLister::Identity(const std::string& folder) const {
    // A folder opens only with backup semantics; reading its attributes needs no rights
    // to its content.
    const FileHandle handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    if (!handle) {
        return {};
    }
    FolderIdentity identity;
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(handle.Get(), &information)) {
        identity.volume = information.dwVolumeSerialNumber;
        identity.fileIndex = static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 |
                             information.nFileIndexLow;
    }
    if (identity.fileIndex == 0) {
        identity.path = FinalPath(handle.Get());
    }
    return identity;
}

const FolderLister& SystemFolderLister() {
    static const Win32FolderLister lister;
    return lister;
}

}  // namespace vesk
