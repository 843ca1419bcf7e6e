#include "lyrics/untTLyricsList.h"

#include <exception>
#include <optional>
#include <string_view>
#include <typeinfo>
#include <utility>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/IntText.h"
#include "common/ProgramText.h"
#include "common/SongTitle.h"
#include "lyrics/LrcText.h"
#include "lyrics/LyricsCsv.h"
#include "lyrics/ShownLines.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"

namespace vesk {

namespace {

constexpr ProgramText kPlayerNotFoundText{"■Player Not Found"};
// A line of one full-width blank (U+3000) in Shift_JIS: 0x81 can start no UTF-8 character.
constexpr std::string_view kNotUtf8Line = "\x81\x40\r\n";
constexpr ProgramText kTitleNotFound{"■Title Not Found："};
constexpr ProgramText kFileTooLargeBefore{"■ファイルサイズが大きすぎます("};
constexpr ProgramText kFileTooLargeAfter{"bytes)："};
constexpr ProgramText kFileNotFound{"■File Not Found："};
constexpr ProgramText kUnknownError{"原因不明のエラーです"};

std::string FileTooLarge(std::uint64_t size, const std::string& path) {
    return kFileTooLargeBefore.Ansi() + IntToText(static_cast<std::int64_t>(size)) +
           kFileTooLargeAfter.Ansi() + path;
}

bool InRange(std::int32_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

}  // namespace

TLyricsList::TLyricsList(const std::string& fileName) {
    LoadFromFile(fileName);
}

std::string TLyricsList::TitleOfLine(std::string_view line) const {
    return UndoubleQuotes(FirstField(line));
}

std::string TLyricsList::FileNameOfLine(std::string_view line) const {
    const std::string rawTitle = FirstField(line);
    std::string storage;
    return UndoubleQuotes(FirstField(CsvTextAfterTitle(line, rawTitle, storage)));
}

std::string TLyricsList::FirstField(std::string_view text) const {
    return CsvFirstField(text);
}

std::int32_t TLyricsList::StartLineOfLine(std::string_view line) const {
    return CsvLineNumber(CsvSecondLastField(line));
}

std::int32_t TLyricsList::EndLineOfLine(std::string_view line) const {
    return CsvLineNumber(CsvLastField(line));
}

void TLyricsList::Add(const std::string& title, const std::string& fileName, std::int32_t startLine,
                      std::int32_t endLine) {
    titles_.push_back(title);
    fileNames_.push_back(fileName);
    startLines_.push_back(startLine);
    endLines_.push_back(endLine);
}

void TLyricsList::Update(std::int32_t index, const std::string& title, const std::string& fileName,
                         std::int32_t startLine, std::int32_t endLine) {
    if (!InRange(index, titles_.size())) {
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    titles_[i] = title;
    fileNames_[i] = fileName;
    startLines_[i] = startLine;
    endLines_[i] = endLine;
}

std::int32_t TLyricsList::IndexOf(const std::string& title) const {
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        if (TextEqual(titles_[i], title, !caseSensitive_)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

std::string TLyricsList::FileNameOf(const std::string& title) const {
    const std::int32_t index = IndexOf(title);
    return InRange(index, fileNames_.size()) ? fileNames_[static_cast<std::size_t>(index)]
                                             : std::string();
}

std::string TLyricsList::DisplayText(const std::string& title) const {
    // The sentinel of a missing player is compared byte for byte, whatever the list's flag.
    if (title == kPlayerNotFound) {
        return kPlayerNotFoundText.Ansi();
    }
    const std::int32_t index = IndexOf(title);
    if (!InRange(index, titles_.size())) {
        return kTitleNotFound.Ansi() + title;
    }
    const auto i = static_cast<std::size_t>(index);
    return LyricsFileDisplayText(fileNames_[i], startLines_[i], endLines_[i]);
}

void TLyricsList::LoadFromFile(const std::string& fileName) {
    Clear();
    std::optional<std::string> content;
    try {
        content = CurrentFileSystem().ReadFile(fileName);
    } catch (const std::exception&) {
    }
    if (content) {
        LoadFromBytes(std::move(*content));
    }
}

void TLyricsList::LoadFromBytes(std::string bytes) {
    Clear();
    try {
        const DecodedText text = DecodeText(std::move(bytes));
        loadedExactly_ = text.exact;
        const std::vector<std::string_view> lines = SplitTextLines(text.ansi);
        titles_.reserve(lines.size());
        fileNames_.reserve(lines.size());
        startLines_.reserve(lines.size());
        endLines_.reserve(lines.size());
        // Lines as SaveToFile writes them are read in one pass, which gives what the field
        // readers give; a derived list may have replaced those, so it always gets them.
        const bool onePass = typeid(*this) == typeid(TLyricsList);
        for (const std::string_view line : lines) {
            if (line.rfind(',') == std::string_view::npos) {
                continue;
            }
            if (std::optional<CsvEntry> entry; onePass && (entry = ParseWrittenCsvLine(line))) {
                titles_.push_back(std::move(entry->title));
                fileNames_.push_back(std::move(entry->fileName));
                startLines_.push_back(entry->startLine);
                endLines_.push_back(entry->endLine);
                continue;
            }
            titles_.push_back(TitleOfLine(line));
            fileNames_.push_back(FileNameOfLine(line));
            startLines_.push_back(StartLineOfLine(line));
            endLines_.push_back(EndLineOfLine(line));
        }
    } catch (const std::exception&) {
        // A list that cannot be read whole is empty, as one that cannot be read at all.
        Clear();
    }
}

bool TLyricsList::SaveToFile(const std::string& fileName) const {
    try {
        // The file system keeps the old file whole when this fails.
        return CurrentFileSystem().ReplaceFile(fileName, FileBytes());
    } catch (const std::exception&) {
        return false;
    }
}

std::string TLyricsList::FileBytes() const {
    std::string bytes;
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        AppendCsvLine(bytes, titles_[i], fileNames_[i], startLines_[i], endLines_[i]);
    }
    // A title or path cut in the middle of a character (a cut caption) can leave bytes that
    // are valid UTF-8 as a whole, which the next load would read as UTF-8. Such a list ends
    // with a line of one full-width blank: no entry (it has no comma), nothing to see in an
    // editor, and no UTF-8.
    if (DetectTextEncoding(bytes) != TextEncoding::kAnsi) {
        bytes += kNotUtf8Line;
    }
    return bytes;
}

void TLyricsList::AddToListView(ListViewRows& view) const {
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        view.AppendRow(
            {titles_[i], fileNames_[i], IntToText(startLines_[i]), IntToText(endLines_[i])});
    }
}

void TLyricsList::LoadFromListView(const ListViewRows& view) {
    Clear();
    const std::size_t count = view.RowCount();
    for (std::size_t i = 0; i < count; ++i) {
        const ListViewRow row = view.Row(i);
        // The editor writes decimal numbers; a cell that holds none counts as 0, as in the
        // list file, rather than stopping the load half-way.
        Add(row.title, row.fileName, ParseInt32(TrimBlanks(row.startLine)).value_or(0),
            ParseInt32(TrimBlanks(row.endLine)).value_or(0));
    }
}

void TLyricsList::Clear() {
    titles_.clear();
    fileNames_.clear();
    startLines_.clear();
    endLines_.clear();
    caseSensitive_ = true;
    loadedExactly_ = true;
}

void TLyricsList::SetCaseSensitive(bool caseSensitive) {
    caseSensitive_ = caseSensitive;
}

std::string LyricsFileDisplayText(const std::string& path, std::int32_t startLine,
                                  std::int32_t endLine) {
    try {
        const FileSystem& files = CurrentFileSystem();
        // Devices, pipes and folders are never opened: reading one can block for ever.
        if (files.KindOf(path) != FileSystem::Kind::File) {
            return kFileNotFound.Ansi() + path;
        }
        // The size comes first, so that a large file is never read at all. The limit is on
        // the file as it is, whatever its encoding.
        const std::optional<std::uint64_t> size = files.FileSize(path);
        if (size && *size > kLyricsFileMaxBytes) {
            return FileTooLarge(*size, path);
        }
        std::optional<std::string> content = files.ReadFile(path);
        if (!content) {
            return kFileNotFound.Ansi() + path;
        }
        // The size could not be read, or the file grew after it was read.
        if (content->size() > kLyricsFileMaxBytes) {
            return FileTooLarge(content->size(), path);
        }
        const std::vector<ShownLine> lines =
            ShownLyricsLines(std::move(*content), IsLrcFile(path), startLine, endLine);
        std::string text;
        for (const ShownLine& line : lines) {
            text.append(line.text).append("\r\n");
        }
        return std::string(TrimBlanks(text));
    } catch (const std::exception&) {
        return kUnknownError.Ansi();
    }
}

}  // namespace vesk
