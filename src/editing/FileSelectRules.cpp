#include "editing/FileSelectRules.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "lyrics/LrcText.h"
#include "lyrics/ShownLines.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {

namespace {

constexpr ProgramText kFileTooLarge{"ファイルサイズが大きすぎます"};
constexpr ProgramText kNotRead{"未読み込み"};
constexpr std::size_t kNumberWidth = 3;
constexpr std::string_view kNumberEnd = "|";
constexpr std::string_view kLineEnd = "\r\n";

void AppendNumbered(std::string& out, std::size_t number, std::string_view line) {
    const std::string digits = std::to_string(number);
    if (digits.size() < kNumberWidth) {
        out.append(kNumberWidth - digits.size(), ' ');
    }
    out.append(digits).append(kNumberEnd).append(line).append(kLineEnd);
}

}  // namespace

std::int32_t LineFieldPosition(std::int32_t line) {
    return std::clamp(line, kLineFieldMin, kLineFieldMax);
}

std::string PreviewText(const std::string& path, std::int32_t startLine, std::int32_t endLine) {
    try {
        const FileSystem& files = CurrentFileSystem();
        // Only disk files are opened: reading a device or a pipe can block for ever.
        if (files.KindOf(path) != FileSystem::Kind::File) {
            return kNotRead.Ansi();
        }
        // The size first, so that a large file is never read; one whose size cannot be
        // read is read and measured.
        const std::optional<std::uint64_t> size = files.FileSize(path);
        if (size && *size > kLyricsFileMaxBytes) {
            return kFileTooLarge.Ansi();
        }
        std::optional<std::string> content = files.ReadFile(path);
        if (!content) {
            return kNotRead.Ansi();
        }
        if (content->size() > kLyricsFileMaxBytes) {
            return kFileTooLarge.Ansi();
        }
        const std::size_t bytes = content->size();
        const std::vector<ShownLine> lines =
            ShownLyricsLines(std::move(*content), IsLrcFile(path), startLine, endLine);
        std::string text;
        text.reserve(bytes + lines.size() * (kNumberWidth + 3));
        for (const ShownLine& line : lines) {
            AppendNumbered(text, line.number, line.text);
        }
        return text;
    } catch (const std::exception&) {
        return kNotRead.Ansi();
    }
}

}  // namespace vesk
