#include "settings/win32/ExIniFolders.h"

#include <shlobj.h>
#include <windows.h>

#include "common/win32/LateBound.h"
#include "common/win32/ProgramFolder.h"

namespace vesk {

namespace {

class SystemFolders final : public ExIniFolders {
public:
    std::string WindowsFolder() const override {
        char path[MAX_PATH + 1] = {};
        const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
        return length > 0 && length <= MAX_PATH ? std::string(path, length) : std::string();
    }

    std::string AppDataFolder() const override {
        LPITEMIDLIST list = nullptr;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)) || list == nullptr) {
            return {};
        }
        char path[MAX_PATH + 1] = {};
        const bool found = SHGetPathFromIDListA(list, path) != FALSE;
        // The shell allocates the item list with COM's task allocator.
        static const auto coTaskMemFree =
            LateBound<decltype(CoTaskMemFree)>(kOle32, "CoTaskMemFree");
        if (coTaskMemFree != nullptr) {
            coTaskMemFree(list);
        }
        return found ? std::string(path) : std::string();
    }

    std::string ProgramFile() const override { return vesk::ProgramFile(); }
};

}  // namespace

const ExIniFolders& SystemExIniFolders() {
    static const SystemFolders folders;
    return folders;
}

}  // namespace vesk
