#pragma once

// The user's lyrics list: for each song title, the lyrics file that holds the words and
// the range of its lines to show. Look-up finds the first entry of a title; nothing is
// ever sorted. No operation reports a failure: an unreadable list file loads as empty, an
// unwritable one is left as it was, and a lyrics file that cannot be shown yields a
// message as display text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lyrics/ListViewRows.h"

namespace vesk {

// Lyrics files larger than this are never read into the display text.
inline constexpr std::uint64_t kLyricsFileMaxBytes = 65535;

class TLyricsList {
public:
    // An empty list; title comparison is case-sensitive.
    TLyricsList() = default;
    // The list of a list file (LoadFromFile).
    explicit TLyricsList(const std::string& fileName);

    TLyricsList(const TLyricsList&) = delete;
    TLyricsList& operator=(const TLyricsList&) = delete;

    // The operations are virtual in this order, so that a derived list can change one
    // step: TitleOfLine and FileNameOfLine go through FirstField, DisplayText and
    // FileNameOf through IndexOf, and LoadFromFile of a derived list through the five field
    // readers (a plain list reads lines in the form SaveToFile writes in one pass, with
    // the same result). The constructor from a file runs this class's LoadFromFile.

    // Field readers of one list-file line.
    virtual std::string TitleOfLine(std::string_view line) const;
    virtual std::string FileNameOfLine(std::string_view line) const;
    virtual std::string FirstField(std::string_view text) const;
    virtual std::int32_t StartLineOfLine(std::string_view line) const;
    virtual std::int32_t EndLineOfLine(std::string_view line) const;

    // Appends an entry; an entry with the same title is not looked for.
    virtual void Add(const std::string& title, const std::string& fileName, std::int32_t startLine,
                     std::int32_t endLine);
    // Replaces the entry at index (one that IndexOf has just given); any other index
    // changes nothing.
    virtual void Update(std::int32_t index, const std::string& title, const std::string& fileName,
                        std::int32_t startLine, std::int32_t endLine);
    // The first entry whose title equals title under title comparison; -1 when none does.
    virtual std::int32_t IndexOf(const std::string& title) const;
    // The lyrics file of IndexOf(title); empty when there is none.
    virtual std::string FileNameOf(const std::string& title) const;
    // What the lyrics window shows for title: the chosen lines, or a message.
    virtual std::string DisplayText(const std::string& title) const;

    // Clear, then one entry per line of the file that holds a comma. A file in UTF-8 or
    // UTF-16 is read in the ANSI code page (DecodeText of TextDecoding.h).
    virtual void LoadFromFile(const std::string& fileName);
    // Writes the whole list in one step; on failure the old file stays as it was. Raises
    // nothing: whether the file was written is the result, for the caller to tell.
    virtual bool SaveToFile(const std::string& fileName) const;
    // LoadFromFile of bytes already read, and the bytes SaveToFile writes: the main form
    // keeps what it read and wrote of its list file to see changes made by other programs.
    void LoadFromBytes(std::string bytes);
    std::string FileBytes() const;

    // Appends one row per entry after the rows already in view.
    virtual void AddToListView(ListViewRows& view) const;
    // Clear, then one entry per row of view.
    virtual void LoadFromListView(const ListViewRows& view);

    // Removes every entry and makes title comparison case-sensitive again.
    virtual void Clear();
    virtual void SetCaseSensitive(bool caseSensitive);

    // Declared after the operations so that these keep the first slots.
    virtual ~TLyricsList() = default;

    // The four parallel sequences: position i of each belongs to entry i.
    std::int32_t Count() const { return static_cast<std::int32_t>(titles_.size()); }
    const std::vector<std::string>& Titles() const { return titles_; }
    const std::vector<std::string>& FileNames() const { return fileNames_; }
    const std::vector<std::int32_t>& StartLines() const { return startLines_; }
    const std::vector<std::int32_t>& EndLines() const { return endLines_; }
    bool CaseSensitive() const { return caseSensitive_; }
    // Whether the entries hold every character of the file the last LoadFromFile read as
    // it is: false when that file was in UTF-8 or UTF-16 and had characters the ANSI code
    // page lacks, so that writing the list back would lose them. True after Clear.
    bool LoadedExactly() const { return loadedExactly_; }

private:
    std::vector<std::string> titles_;
    bool caseSensitive_ = true;
    std::vector<std::string> fileNames_;
    std::vector<std::int32_t> startLines_;
    std::vector<std::int32_t> endLines_;
    bool loadedExactly_ = true;
};

// The display text of a lyrics file with a line range, as DisplayText gives it for an entry
// (the size limit, the messages of a file that cannot be shown, the line range rule, LRC
// files without their tags, the text trimmed).
std::string LyricsFileDisplayText(const std::string& path, std::int32_t startLine,
                                  std::int32_t endLine);

}  // namespace vesk
