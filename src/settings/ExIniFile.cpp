#include "settings/ExIniFile.h"

#include <optional>

#include "common/AnsiText.h"
#include "common/FileSystem.h"

namespace vesk {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string WithSeparator(std::string folder) {
    const std::size_t start = FileNameStart(folder);
    if (folder.empty() || start != folder.size() || folder.back() == ':') {
        folder += kSeparator;
    }
    return folder;
}

std::string ChangeExtension(std::string_view name, std::string_view extension) {
    const std::size_t dot = name.rfind('.');  // '.' is never the second byte of a character
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot))
        .append(extension);
}

}  // namespace

MemIniFile::MemIniFile(std::string fileName) : fileName_(std::move(fileName)) {
    if (std::optional<std::string> content = CurrentFileSystem().ReadFile(fileName_)) {
        text_ = IniText(std::move(*content));
    }
}

std::string MemIniFile::ReadText(std::string_view section, std::string_view key,
                                 std::string_view defaultText) const {
    return text_.Read(section, key).value_or(std::string(defaultText));
}

TExIniFile::TExIniFile(const ExIniFolders& folders) : folders_(folders), ini_("") {
    SetBaseDir(bdApplication);
}

void TExIniFile::SetBaseDir(TBaseDir baseDir) {
    baseDir_ = baseDir;
    Resolve();
}

void TExIniFile::SetFileName(std::string fileName) {
    fileName_ = std::move(fileName);
    Resolve();
}

void TExIniFile::Resolve() {
    std::string path;
    if (FileNameStart(fileName_) > 0) {
        path = fileName_;
    } else {
        switch (baseDir_) {
            case bdWindows:
                path = WithSeparator(folders_.WindowsFolder()) + fileName_;
                break;
            case bdApplication: {
                const std::string program = folders_.ProgramFile();
                path = program.substr(0, FileNameStart(program)) + fileName_;
                break;
            }
            case bdAppData:
                path = WithSeparator(folders_.AppDataFolder()) + fileName_;
                break;
            case bdNone:
                path = fileName_;
                break;
        }
    }
    ini_ = MemIniFile(std::move(path));
}

void TExIniFile::Loaded(bool designing) {
    if (fileName_.empty() && !designing) {
        const std::string program = folders_.ProgramFile();
        SetFileName(
            ChangeExtension(std::string_view(program).substr(FileNameStart(program)), ".ini"));
    }
}

}  // namespace vesk
