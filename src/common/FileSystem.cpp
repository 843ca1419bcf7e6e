#include "common/FileSystem.h"

#include <cctype>

#include "common/AnsiText.h"

namespace vesk {

namespace {
const FileSystem* g_current = nullptr;
}

const FileSystem& CurrentFileSystem() {
    return g_current != nullptr ? *g_current : SystemFileSystem();
}

bool ExistsButCannotBeRead(const std::string& path) {
    const FileSystem& files = CurrentFileSystem();
    return files.KindOf(path) == FileSystem::Kind::File && !files.ReadFile(path).has_value();
}

ScopedFileSystem::ScopedFileSystem(const FileSystem& fileSystem) : previous_(g_current) {
    g_current = &fileSystem;
}

ScopedFileSystem::~ScopedFileSystem() {
    g_current = previous_;
}

bool IsReservedDeviceName(std::string_view path) {
    std::string_view name = path.substr(FileNameStart(path));
    name = name.substr(0, name.find('.'));
    while (!name.empty() && (name.back() == ' ')) {
        name.remove_suffix(1);
    }
    std::string upper;
    for (char c : name) {
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") {
        return true;
    }
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace vesk
