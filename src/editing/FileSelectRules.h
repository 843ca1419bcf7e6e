#pragma once

// The lyrics file assignment dialog without its window: the one entry it edits, what it
// asks of its owner, how its callers reach it, and the text of its numbered preview.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// One lyrics entry as the dialog edits it.
struct LyricsEntryFields {
    std::string title;
    std::string fileName;
    std::int32_t startLine = 0;
    std::int32_t endLine = 0;

    bool operator==(const LyricsEntryFields&) const = default;
};

// The range of the two line number fields.
inline constexpr std::int32_t kLineFieldMin = 0;
inline constexpr std::int32_t kLineFieldMax = 3000;

// Where a line number field stands for a line number of the list: numbers outside the
// field's range are shown at its nearer end.
std::int32_t LineFieldPosition(std::int32_t line);

// The preview of a lyrics file: every line with its number before it ("%3d|": right-aligned
// in three places, wider numbers in as many as they need), lines start..end alone when the
// line range rule holds for them, each line followed by CR LF and nothing trimmed. The lines
// are those the lyrics window shows (ShownLyricsLines: a file in UTF-8 or UTF-16 in the ANSI
// code page, an LRC file without its tags and header lines), numbered as in the file.
// "ファイルサイズが大きすぎます" for a file larger than the lyrics window shows, "未読み込み"
// when the path names no file that can be read (an empty path included).
std::string PreviewText(const std::string& path, std::int32_t startLine, std::int32_t endLine);

// What the dialog reads from the program and asks of it, at the moment it needs it.
class FileSelectOwner {
public:
    virtual ~FileSelectOwner() = default;
    // Whether the lyrics search program is on (its button is shown).
    virtual bool LyricsMasterOn() const = 0;
    // The paste-assignment folder; empty: paste assignment is off.
    virtual std::string PasteSavePath() const = 0;
    // Runs the lyrics search program for a title.
    virtual void SearchLyricsMaster(std::string_view title) = 0;
};

// The dialog as its callers use it: the program makes one at start-up and reuses it.
class FileSelectDialog {
public:
    virtual ~FileSelectDialog() = default;
    // Whether the dialog is open now.
    virtual bool Showing() const = 0;
    // Fills the dialog in with an entry, shows it modally and gives the entry as the user
    // left it on OK; nothing on Cancel.
    virtual std::optional<LyricsEntryFields> Edit(const LyricsEntryFields& entry) = 0;
    // Ends an open dialog as cancelled; nothing when it is not open.
    virtual void Close() = 0;
};

}  // namespace vesk
