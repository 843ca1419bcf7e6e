#include "editing/LyricsRows.h"

#include <algorithm>
#include <utility>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/IntText.h"
#include "common/TextPlatform.h"
#include "editing/LyricsListRules.h"

namespace vesk {

namespace {

std::int32_t LineOf(const std::string& cell) {
    return ParseInt32(TrimBlanks(cell)).value_or(0);
}

const std::string& TextOf(const ListViewRow& row, int column) {
    return column == kTitleColumn ? row.title : row.fileName;
}

}  // namespace

LyricsRows::LyricsRows() = default;

LyricsRows::~LyricsRows() = default;

void LyricsRows::Changed() {
    fileTitles_.reset();
}

void LyricsRows::AppendRow(ListViewRow row) {
    Changed();
    rows_.push_back(std::move(row));
}

LyricsEntryFields LyricsRows::EntryAt(std::size_t index) const {
    const ListViewRow& row = rows_[index];
    return {row.title, row.fileName, LineOf(row.startLine), LineOf(row.endLine)};
}

void LyricsRows::SetEntry(std::size_t index, const LyricsEntryFields& entry) {
    Changed();
    rows_[index] = {entry.title, entry.fileName, IntToText(entry.startLine),
                    IntToText(entry.endLine)};
}

void LyricsRows::AppendEntry(const LyricsEntryFields& entry) {
    Changed();
    rows_.push_back(
        {entry.title, entry.fileName, IntToText(entry.startLine), IntToText(entry.endLine)});
}

void LyricsRows::Clear() {
    Changed();
    rows_.clear();
}

void LyricsRows::Remove(const std::vector<std::size_t>& positions) {
    Changed();
    std::vector<bool> removed(rows_.size(), false);
    for (std::size_t position : positions) {
        if (position < rows_.size()) {
            removed[position] = true;
        }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (!removed[i]) {
            if (kept != i) {
                rows_[kept] = std::move(rows_[i]);
            }
            ++kept;
        }
    }
    rows_.resize(kept);
}

std::vector<std::size_t> LyricsRows::Sort(int column, bool descending) {
    Changed();
    std::vector<std::size_t> order(rows_.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    if (column == kTitleColumn || column == kFileColumn) {
        const TextPlatform& text = CurrentTextPlatform();
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const int c = text.Compare(TextOf(rows_[a], column), TextOf(rows_[b], column), true);
            return descending ? c > 0 : c < 0;
        });
    } else {
        // Each number read once, not at every comparison.
        std::vector<std::int32_t> lines(rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            lines[i] = LineOf(column == kStartLineColumn ? rows_[i].startLine : rows_[i].endLine);
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return descending ? lines[a] > lines[b] : lines[a] < lines[b];
        });
    }
    std::vector<ListViewRow> sorted;
    sorted.reserve(rows_.size());
    for (std::size_t old : order) {
        sorted.push_back(std::move(rows_[old]));
    }
    rows_ = std::move(sorted);
    return order;
}

std::vector<std::size_t> LyricsRows::RemoveRepeatedTitles() {
    std::vector<std::size_t> repeated;
    {
        TitleIndex titles(rows_, false, CurrentTextPlatform());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (titles.FindOrAdd(i) != i) {
                repeated.push_back(i);
            }
        }
    }
    if (!repeated.empty()) {
        Remove(repeated);
    }
    return repeated;
}

std::vector<std::size_t> LyricsRows::RemoveMissingFiles() {
    const FileSystem& files = CurrentFileSystem();
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (files.KindOf(rows_[i].fileName) != FileSystem::Kind::File) {
            missing.push_back(i);
        }
    }
    if (!missing.empty()) {
        Remove(missing);
    }
    return missing;
}

void LyricsRows::AddFile(const std::string& path) {
    if (fileTitles_ == nullptr) {
        fileTitles_ = std::make_unique<TitleIndex>(rows_, true, CurrentTextPlatform());
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            fileTitles_->FindOrAdd(i);
        }
    }
    std::string title = TitleOfLyricsFile(path);
    if (const std::optional<std::size_t> row = fileTitles_->Find(title)) {
        rows_[*row].fileName = path;
        rows_[*row].startLine = "0";
        rows_[*row].endLine = "0";
        return;
    }
    rows_.push_back({std::move(title), path, "0", "0"});
    fileTitles_->FindOrAdd(rows_.size() - 1);
}

void LyricsRows::AddFolder(const FolderLister& lister, const std::string& folder) {
    std::vector<std::string> paths;
    FindFiles(lister, folder, kLyricsFileExtensions, paths);
    for (const std::string& path : paths) {
        AddFile(path);
    }
}

}  // namespace vesk
