#include "app/LyricsListFile.h"

#include <functional>
#include <utility>

#include "common/FileSystem.h"
#include "lyrics/TextDecoding.h"

namespace vesk {

namespace {

// The file as it is now.
struct FileNow {
    FileSystem::Kind kind = FileSystem::Kind::Missing;
    std::optional<std::string> bytes;  // nullopt: missing, or there but not readable now

    bool Held() const { return kind == FileSystem::Kind::File && !bytes; }
};

FileNow ReadNow(const std::string& path) {
    const FileSystem& files = CurrentFileSystem();
    FileNow now;
    now.kind = files.KindOf(path);
    if (now.kind == FileSystem::Kind::File) {
        now.bytes = files.ReadFile(path);
    }
    return now;
}

// Whether an empty list read from bytes may hide the user's entries: they hold more than
// blank lines and still gave no entry (saved in another encoding, or damaged).
bool HidesEntries(std::string bytes) {
    return DecodeText(std::move(bytes)).ansi.find_first_not_of(" \t\r\n") != std::string::npos;
}

void AssignEntry(TLyricsList& list, const LyricsEntryFields& entry) {
    const std::int32_t index = list.IndexOf(entry.title);
    if (index == -1) {
        list.Add(entry.title, entry.fileName, entry.startLine, entry.endLine);
    } else {
        list.Update(index, entry.title, entry.fileName, entry.startLine, entry.endLine);
    }
}

}  // namespace

ListFileStamp StampOf(std::optional<std::string_view> bytes) {
    if (!bytes) {
        return {};
    }
    return {true, bytes->size(), std::hash<std::string_view>{}(*bytes)};
}

// A list read from the file's bytes, and what the guards make of it.
struct TLyricsListFile::Reading {
    std::unique_ptr<TLyricsList> list = std::make_unique<TLyricsList>();
    ListFileStamp stamp;
    bool unread = false;
    bool keptAsRead = false;

    explicit Reading(const FileNow& now) {
        if (now.Held()) {
            unread = true;
            return;
        }
        stamp = StampOf(now.bytes);
        if (now.bytes) {
            list->LoadFromBytes(*now.bytes);
            // Only an empty result can hide entries the reader did not understand.
            unread = list->Count() == 0 && HidesEntries(*now.bytes);
            keptAsRead = !list->LoadedExactly();
        }
    }
};

void TLyricsListFile::Load(const std::string& path) {
    path_ = path;
    waiting_.clear();
    Adopt(Reading(ReadNow(path)));
}

void TLyricsListFile::Use(std::unique_ptr<TLyricsList> list) {
    list_ = std::move(list);
    path_.clear();
}

void TLyricsListFile::SetCaseSensitive(bool caseSensitive) {
    caseSensitive_ = caseSensitive;
    if (list_ != nullptr) {
        list_->SetCaseSensitive(caseSensitive);
    }
}

// The list becomes the one read, with the changes that wait assigned over it.
void TLyricsListFile::Adopt(Reading reading) {
    list_ = std::move(reading.list);
    list_->SetCaseSensitive(caseSensitive_);
    for (const LyricsEntryFields& entry : waiting_) {
        AssignEntry(*list_, entry);
    }
    stamp_ = reading.stamp;
    unread_ = reading.unread;
    keptAsRead_ = reading.keptAsRead;
}

TLyricsListFile::SaveResult TLyricsListFile::Assign(const LyricsEntryFields& entry) {
    if (list_ == nullptr) {
        return SaveResult::kNotSaved;
    }
    AssignEntry(*list_, entry);
    waiting_.push_back(entry);
    return Save(true);
}

TLyricsListFile::SaveResult TLyricsListFile::Replace(const ListViewRows& rows) {
    if (list_ == nullptr) {
        return SaveResult::kNotSaved;
    }
    list_->LoadFromListView(rows);
    list_->SetCaseSensitive(caseSensitive_);
    waiting_.clear();
    if (!unread_) {
        return Save(false);
    }
    // Nothing of the file was shown in the rows: they are assigned over it once it is read.
    for (std::int32_t i = 0; i < list_->Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        waiting_.push_back({list_->Titles()[at], list_->FileNames()[at], list_->StartLines()[at],
                            list_->EndLines()[at]});
    }
    return Save(true);
}

TLyricsListFile::SaveResult TLyricsListFile::SaveAtExit() {
    if (list_ == nullptr || keptAsRead_) {
        return SaveResult::kSaved;
    }
    return Save(true);
}

TLyricsListFile::SaveResult TLyricsListFile::Save(bool takeInOutsideChanges) {
    if (path_.empty()) {
        return SaveResult::kNoFile;
    }
    const FileNow now = ReadNow(path_);
    if (now.Held()) {
        // Another program has the file: nothing can be checked, nor written over.
        return unread_ ? SaveResult::kWaiting : SaveResult::kNotSaved;
    }
    if (now.kind == FileSystem::Kind::Missing) {
        unread_ = false;  // nothing there to lose
    }
    if (now.bytes && (unread_ || (takeInOutsideChanges && StampOf(now.bytes) != stamp_))) {
        Reading reading(now);
        if (reading.unread) {
            unread_ = true;
            return SaveResult::kWaiting;  // still nothing this program can read
        }
        Adopt(std::move(reading));
    }
    if (unread_) {
        return SaveResult::kWaiting;
    }
    // Written in the ANSI code page, the file would lose the characters that it lacks.
    if (keptAsRead_) {
        return SaveResult::kNotSaved;
    }
    const std::string bytes = list_->FileBytes();
    if (!CurrentFileSystem().ReplaceFile(path_, bytes)) {
        return SaveResult::kNotSaved;
    }
    stamp_ = StampOf(bytes);
    waiting_.clear();
    return SaveResult::kSaved;
}

TLyricsListFile::OutsideChange TLyricsListFile::TakeInOutsideChange() {
    if (path_.empty() || list_ == nullptr) {
        return OutsideChange::kNone;
    }
    // A file being replaced is missing for a moment: the next notification finds it whole.
    const FileNow now = ReadNow(path_);
    if (now.Held()) {
        return OutsideChange::kHeld;
    }
    if (!now.bytes || StampOf(now.bytes) == stamp_) {
        return OutsideChange::kNone;
    }
    Reading reading(now);
    if (reading.unread) {
        // Kept as shown; nothing is written over it until it reads again.
        unread_ = true;
        return OutsideChange::kNone;
    }
    Adopt(std::move(reading));
    return OutsideChange::kTaken;
}

bool TLyricsListFile::ChangedSince(const ListFileStamp& stamp) const {
    if (path_.empty()) {
        return false;
    }
    const FileNow now = ReadNow(path_);
    return now.bytes && StampOf(now.bytes) != stamp;
}

}  // namespace vesk
