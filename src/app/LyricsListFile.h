#pragma once

// The program's lyrics list and its file (Vesk.csv), which is the user's file too: other
// programs edit it, sync it and fix it while the program runs. The list keeps what it last
// read or wrote of the file (ListFileStamp); a file that has changed since is read again
// before the program writes, and the program's own changes are applied over what the other
// program wrote, so that neither is lost. A file that is there but cannot be read, or reads
// as no entries while holding more than blank lines, is never written over: the program's
// changes wait until it can be read.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editing/FileSelectRules.h"
#include "lyrics/ListViewRows.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {

// What the program last read or wrote of the list file.
struct ListFileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::size_t hash = 0;

    bool operator==(const ListFileStamp&) const = default;
};

// The stamp of a file's bytes; nullopt: no file.
ListFileStamp StampOf(std::optional<std::string_view> bytes);

class TLyricsListFile {
public:
    enum class SaveResult {
        kSaved,     // the file holds the list
        kWaiting,   // the file cannot be read yet: nothing written, the changes wait
        kNotSaved,  // the file could not be written, or is kept as read
        kNoFile,    // the list has no file
    };

    // The list of the file at path (empty when there is none).
    void Load(const std::string& path);
    // A list of the caller's making, with no file.
    void Use(std::unique_ptr<TLyricsList> list);
    // Frees the list (the program's exit).
    void Free() { list_.reset(); }

    const TLyricsList* List() const { return list_.get(); }
    const std::string& Path() const { return path_; }
    // Title comparison of the list, kept when the file is read again.
    void SetCaseSensitive(bool caseSensitive);

    // Updates the first entry of entry.title or adds one, and saves.
    SaveResult Assign(const LyricsEntryFields& entry);
    // The list becomes the rows and is saved over the file as it is now, whatever another
    // program wrote (the caller asks the user first: ChangedSince). While the file is
    // unread, the rows wait as entries to assign over it.
    SaveResult Replace(const ListViewRows& rows);
    // The exit's save: as every save, behind the check for changes made outside. A list kept
    // as read is left as it is.
    SaveResult SaveAtExit();
    // Reads the file again when another program has changed it since the list last read or
    // wrote it, keeping the changes that wait. A file that is missing or cannot be read now
    // changes nothing; one held by its writer says so, to be tried again.
    enum class OutsideChange { kNone, kTaken, kHeld };
    OutsideChange TakeInOutsideChange();

    // What the list last read or wrote of its file.
    const ListFileStamp& Stamp() const { return stamp_; }
    // Whether the file now differs from stamp (false when it cannot be told: no file, or
    // one that cannot be read now).
    bool ChangedSince(const ListFileStamp& stamp) const;

    // Whether the file was there at start-up but has not been read yet: another program
    // held it, or it gave no entries while holding more than blank lines.
    bool Unread() const { return unread_; }
    // Whether the file, in UTF-8 or UTF-16, holds characters the ANSI code page lacks: it
    // is then kept as read and never written.
    bool KeptAsRead() const { return keptAsRead_; }
    // Whether changes of the program's wait to be written.
    bool ChangesWaiting() const { return !waiting_.empty(); }

private:
    struct Reading;
    SaveResult Save(bool takeInOutsideChanges);
    void Adopt(Reading reading);

    std::string path_;
    std::unique_ptr<TLyricsList> list_;
    bool caseSensitive_ = true;
    ListFileStamp stamp_;
    bool unread_ = false;
    bool keptAsRead_ = false;
    // The program's assignments not yet in the file, in the order they were made.
    std::vector<LyricsEntryFields> waiting_;
};

}  // namespace vesk
