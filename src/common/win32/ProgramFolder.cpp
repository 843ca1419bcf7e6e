#include "common/win32/ProgramFolder.h"

#include <windows.h>

#include "common/AnsiText.h"

namespace vesk {

std::string ProgramFile() {
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

std::string ProgramFolder() {
    const std::string path = ProgramFile();
    return path.substr(0, FileNameStart(path));
}

}  // namespace vesk
