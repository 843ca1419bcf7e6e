#include "common/win32/ShellOpen.h"

#include <shellapi.h>

#include "common/AnsiText.h"
#include "common/FileSystem.h"

namespace vesk {

void OpenWithAssociatedProgram(HWND owner, const std::string& path) {
    if (path.empty() || CurrentFileSystem().KindOf(path) != FileSystem::Kind::File) {
        return;
    }
    const std::size_t nameStart = FileNameStart(path);
    const std::string folder = path.substr(0, nameStart);
    const std::string name = path.substr(nameStart);
    ShellExecuteA(owner, "Open", name.c_str(), nullptr, folder.c_str(), SW_SHOW);
}

}  // namespace vesk
