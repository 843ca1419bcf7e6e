#pragma once

// The user's corrections of synced lyrics, per song title, kept in "VeskSync.csv" beside the
// settings so that they hold the next time the song plays. A correction is added to the song's
// clock as the file's offset is: positive shows the lines earlier.
//
// The file: one row per title, "title",milliseconds (the title quoted as the lyrics list
// quotes its fields), Shift_JIS, CR LF; rows of any other form are left out.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace vesk {

// One step of the tray items and the arrow keys.
inline constexpr std::int32_t kSyncCorrectionStepMs = 500;
// Corrections are held within this, either way: no song is longer.
inline constexpr std::int32_t kMaxSyncCorrectionMs = 60 * 60 * 1000;

class TSyncCorrections {
public:
    explicit TSyncCorrections(std::string path) : path_(std::move(path)) {}

    // Replaces what is held with the file's rows; a missing or unreadable file holds none.
    // Of rows with the same title the first counts.
    void Load();

    // The correction of a title (compared byte for byte); 0 when it has none.
    std::int32_t Correction(const std::string& title) const;
    // Sets a title's correction, held within kMaxSyncCorrectionMs; 0 removes its row.
    void Set(const std::string& title, std::int32_t ms);
    // Adds deltaMs to a title's correction; the correction it now has.
    std::int32_t Adjust(const std::string& title, std::int32_t deltaMs);

    // Writes the file in one step: the rows it holds now, each title changed here since the
    // last load or save as it was set here. Nothing is written over a file that is there but
    // cannot be read (another program holds it). Whether it was written; on failure the
    // changes stay to be saved again.
    bool Save();

private:
    std::string path_;
    std::map<std::string, std::int32_t> corrections_;
    // Titles set since the last load or save, with what they were set to (0: removed).
    std::map<std::string, std::int32_t> changes_;
};

// The corrections file in the program's folder (with its trailing separator).
std::string SyncCorrectionsPathIn(std::string_view programFolder);

}  // namespace vesk
