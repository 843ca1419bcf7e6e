#include "editing/win32/Win32FolderLister.h"

#include <windows.h>

#include <string_view>

#include "common/win32/WinHandles.h"

namespace vesk {

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

std::string Win32FolderLister::Identity(const std::string& folder) const {
    // A folder opens only with backup semantics; reading its attributes needs no rights
    // to its content.
    const FileHandle handle(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &information)) {
        return {};
    }
    return std::to_string(information.dwVolumeSerialNumber) + ":" +
           std::to_string(information.nFileIndexHigh) + ":" +
           std::to_string(information.nFileIndexLow);
}

const FolderLister& SystemFolderLister() {
    static const Win32FolderLister lister;
    return lister;
}

}  // namespace vesk
