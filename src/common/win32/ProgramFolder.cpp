#include "common/win32/ProgramFolder.h"

#include <windows.h>

#include "common/AnsiText.h"

namespace vesk {

std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < path.size(); pos += CharSize(path, pos)) {
        if (path[pos] == '\\' || path[pos] == '/' || path[pos] == ':') {
            end = pos + 1;
        }
    }
    return path.substr(0, end);
}

}  // namespace vesk
