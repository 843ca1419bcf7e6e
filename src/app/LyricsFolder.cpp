#include "app/LyricsFolder.h"

#include "common/FileSystem.h"
#include "editing/untPasteSave.h"
#include "settings/SettingRules.h"

namespace vesk {

namespace {

constexpr std::string_view kLyricsExtensions[] = {".txt", ".lrc"};

}  // namespace

std::string LyricsFolderFile(std::string_view folder, std::string_view title) {
    if (folder.empty() || title.empty()) {
        return {};
    }
    const std::string stem = PasteFolderOf(folder) + TPasteSave::SafeFileName(title);
    for (const std::string_view extension : kLyricsExtensions) {
        std::string path = stem + std::string(extension);
        if (CurrentFileSystem().KindOf(path) == FileSystem::Kind::File) {
            return path;
        }
    }
    return {};
}

}  // namespace vesk
