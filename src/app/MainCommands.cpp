#include "app/MainCommands.h"

#include "common/FileSystem.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

constexpr std::uint32_t kIdlePriorityClass = 0x40;
constexpr std::uint32_t kNormalPriorityClass = 0x20;
constexpr std::uint32_t kHighPriorityClass = 0x80;
constexpr std::uint32_t kRealtimePriorityClass = 0x100;

constexpr ProgramText kAboutVersion{"Vesk 歌詞表示 バージョン "};
constexpr ProgramText kAboutCopyright{"Copyright (C) 2026 Vesk Project"};
constexpr ProgramText kAboutRights{"歌詞ファイルの著作権はそれぞれの権利者に帰属します。"};

}  // namespace

std::optional<std::uint32_t> PriorityClassOf(std::int32_t priority) {
    switch (priority & 0xFF) {
        case 0:
            return kIdlePriorityClass;
        case 1:
            return kNormalPriorityClass;
        case 2:
            return kHighPriorityClass;
        case 3:
            return kRealtimePriorityClass;
        default:
            return std::nullopt;
    }
}

std::string PlayerCommandLine(const std::string& player) {
    const bool quoted = !player.empty() && player.front() == '"';
    if (!quoted && player.find(' ') != std::string::npos &&
        CurrentFileSystem().KindOf(player) == FileSystem::Kind::File) {
        return "\"" + player + "\"";
    }
    return player;
}

std::string TrayTipOf(std::string_view versionText) {
    const std::size_t keep = versionText.size() >= 2 ? versionText.size() - 2 : 0;
    return "Vesk " + std::string(versionText.substr(0, keep));
}

std::string StoreLink(std::string_view tag) {
    return "https://www.amazon.co.jp/exec/obidos/redirect?link_code=ur2&tag=" + std::string(tag) +
           "&camp=247&creative=1211&path=tg%2Fbrowse%2F-%2F561956";
}

std::string AboutText(std::string_view versionText) {
    return kAboutVersion.Ansi() + std::string(versionText) + "\r\n\r\n" + kAboutCopyright.Ansi() +
           "\r\n" + kAboutRights.Ansi();
}

}  // namespace vesk
