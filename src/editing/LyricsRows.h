#pragma once

// The rows of the lyrics list editor: its own copy of the lyrics list, four texts a row as
// the list view shows them (title, lyrics file, start line and end line in decimal), and
// every change the editor makes to them. The window shows the rows without copying them.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "editing/FileSelectRules.h"
#include "editing/FolderSearch.h"
#include "editing/TitleIndex.h"
#include "lyrics/ListViewRows.h"

namespace vesk {

class LyricsRows final : public ListViewRows {
public:
    LyricsRows();
    ~LyricsRows() override;
    LyricsRows(const LyricsRows&) = delete;
    LyricsRows& operator=(const LyricsRows&) = delete;

    // ListViewRows: what the lyrics list fills and reads.
    std::size_t RowCount() const override { return rows_.size(); }
    ListViewRow Row(std::size_t index) const override { return rows_[index]; }
    void AppendRow(ListViewRow row) override;

    const ListViewRow& operator[](std::size_t index) const { return rows_[index]; }

    // A row as the assignment dialog edits it, and back; the line cells in decimal.
    LyricsEntryFields EntryAt(std::size_t index) const;
    void SetEntry(std::size_t index, const LyricsEntryFields& entry);
    void AppendEntry(const LyricsEntryFields& entry);

    void Clear();
    // Removes the rows at the given positions (ascending, each once).
    void Remove(const std::vector<std::size_t>& positions);

    // Sorts by a column: the title and lyrics file by the locale comparison without regard
    // to case, the line columns by their numbers; rows that compare equal keep their
    // order, in both directions. Returns, for each new position, the row's old position.
    std::vector<std::size_t> Sort(int column, bool descending);

    // Removes every row whose title equals, by the case-sensitive locale comparison, the
    // title of a row above it: the first row of each title stays, and the order is kept.
    // (The same rows as comparing every row with every row below it.)
    // Both return the old positions of the rows removed, ascending.
    std::vector<std::size_t> RemoveRepeatedTitles();
    // Removes every row whose lyrics file is not a file (a folder does not count).
    std::vector<std::size_t> RemoveMissingFiles();

    // A dropped lyrics file: the first row whose title equals the file's title without
    // regard to case gets the file and lines 0 to 0; with no such row, a new row is added.
    void AddFile(const std::string& path);
    // Every lyrics file of a dropped folder tree, in the order FindFiles gives them.
    void AddFolder(const FolderLister& lister, const std::string& folder);

private:
    void Changed();

    std::vector<ListViewRow> rows_;
    // The rows by title without regard to case, kept while only files are added, so that a
    // drop of many files onto many rows compares each title with few others.
    std::unique_ptr<TitleIndex> fileTitles_;
};

}  // namespace vesk
