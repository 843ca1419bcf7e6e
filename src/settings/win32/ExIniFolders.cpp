#include "settings/win32/ExIniFolders.h"

#include <shlobj.h>
#include <windows.h>

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
        CoTaskMemFree(list);
        return found ? std::string(path) : std::string();
    }

    std::string ProgramFile() const override {
        std::string path(MAX_PATH, '\0');
        for (;;) {
            const DWORD length =
                GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length < path.size()) {
                path.resize(length);
                return path;
            }
            path.resize(path.size() * 2);
        }
    }
};

}  // namespace

const ExIniFolders& SystemExIniFolders() {
    static const SystemFolders folders;
    return folders;
}

}  // namespace vesk
