#include "editing/LyricsListRules.h"

#include <algorithm>

#include "common/AnsiText.h"

namespace vesk {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool NextSortDescending(SortFlags& flags, int column) {
    const bool descending = flags[static_cast<std::size_t>(column)];
    flags.fill(false);
    flags[static_cast<std::size_t>(column)] = !descending;
    return descending;
}

std::optional<std::size_t> SelectionAfterDelete(std::size_t current, std::size_t remaining) {
    if (remaining == 0) {
        return std::nullopt;
    }
    return std::min(current, remaining - 1);
}

// "." is never the second byte of a double-byte character, so a byte search finds it.
std::string_view ExtensionOf(std::string_view path) {
    const std::string_view name = path.substr(FileNameStart(path));
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

bool IsLyricsFileName(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    return std::ranges::any_of(kLyricsFileExtensions, [&](std::string_view lyrics) {
        return std::ranges::equal(extension, lyrics,
                                  [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    });
}

std::string TitleOfLyricsFile(std::string_view path) {
    std::string_view name = path.substr(FileNameStart(path));
    name.remove_suffix(ExtensionOf(name).size());
    return std::string(name);
}

}  // namespace vesk
