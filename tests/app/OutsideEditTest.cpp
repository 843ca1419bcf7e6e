// The list file edited by another program while the program runs: what each of the
// program's saves, the exit and a change notification make of it.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "MemoryFileSystem.h"
#include "app/LyricsListFile.h"
#include "editing/LyricsRows.h"

namespace vesk {
namespace {

using SaveResult = TLyricsListFile::SaveResult;

constexpr const char* kPath = "C:\\Vesk\\Vesk.csv";
constexpr const char* kRain = "\"Rain\",\"r.txt\",0,0\r\n";
constexpr const char* kSun = "\"Sun\",\"s.txt\",0,0\r\n";
constexpr const char* kMoon = "\"Moon\",\"m.txt\",0,0\r\n";
const LyricsEntryFields kMoonEntry{"Moon", "m.txt", 0, 0};

enum class Step { kAssignMoon, kExit, kNotice };

TEST(OutsideEdit, TheOtherProgramsEntriesAndTheProgramsChangeBothStay) {
    struct Row {
        const char* what;
        std::optional<std::string> outside;  // what the other program wrote; nullopt: deleted
        Step step;
        std::string file;                  // the file afterwards
        std::string listed;                // the titles the list holds afterwards
        std::optional<SaveResult> result;  // of the step, when it saves
    };
    const std::string utf16NoMark("\"\0R\0a\0i\0n\0\"\0,\0\"\0\r\0\n\0", 20);
    const Row rows[] = {
        {"no change", std::string(kRain), Step::kAssignMoon, std::string(kRain) + kMoon,
         "Rain Moon", SaveResult::kSaved},
        {"an entry added", std::string(kRain) + kSun, Step::kAssignMoon,
         std::string(kRain) + kSun + kMoon, "Rain Sun Moon", SaveResult::kSaved},
        {"an entry removed", "", Step::kAssignMoon, kMoon, "Moon", SaveResult::kSaved},
        {"the same title changed outside", "\"Moon\",\"old.txt\",1,2\r\n" + std::string(kSun),
         Step::kAssignMoon, std::string(kMoon) + kSun, "Moon Sun", SaveResult::kSaved},
        {"written in a form the program writes otherwise", "Sun,s.txt,0,0\n", Step::kExit, kSun, "",
         SaveResult::kSaved},
        {"unreadable now: the change waits", utf16NoMark, Step::kAssignMoon, utf16NoMark,
         "Rain Moon", SaveResult::kWaiting},
        {"deleted: written anew", std::nullopt, Step::kAssignMoon, std::string(kRain) + kMoon,
         "Rain Moon", SaveResult::kSaved},
        {"a notice reads it again", std::string(kRain) + kSun, Step::kNotice,
         std::string(kRain) + kSun, "Rain Sun", std::nullopt},
        {"a notice of a deletion keeps the list", std::nullopt, Step::kNotice, "", "Rain",
         std::nullopt},
        {"a notice of a file that reads as nothing keeps the list", utf16NoMark, Step::kNotice,
         utf16NoMark, "Rain", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        test::MemoryFileSystem files;
        const ScopedFileSystem scope(files);
        files.files[kPath] = kRain;
        TLyricsListFile list;
        list.Load(kPath);
        if (row.outside) {
            files.files[kPath] = *row.outside;
        } else {
            files.files.erase(kPath);
        }

        std::optional<SaveResult> result;
        switch (row.step) {
            case Step::kAssignMoon:
                result = list.Assign(kMoonEntry);
                break;
            case Step::kExit:
                result = list.SaveAtExit();
                break;
            case Step::kNotice:
                list.TakeInOutsideChange();
                break;
        }
        EXPECT_EQ(result, row.result);
        EXPECT_EQ(files.files.count(kPath) != 0 ? files.files[kPath] : "", row.file);
        std::string listed;
        if (row.step != Step::kExit) {
            for (const std::string& title : list.List()->Titles()) {
                listed += (listed.empty() ? "" : " ") + title;
            }
        }
        EXPECT_EQ(listed, row.listed);
    }
}

TEST(OutsideEdit, TheStampTellsAChangeAndOnlyAChange) {
    test::MemoryFileSystem files;
    const ScopedFileSystem scope(files);
    files.files[kPath] = kRain;
    TLyricsListFile list;
    list.Load(kPath);
    const ListFileStamp filled = list.Stamp();
    EXPECT_FALSE(list.ChangedSince(filled));
    using OutsideChange = TLyricsListFile::OutsideChange;
    EXPECT_EQ(list.TakeInOutsideChange(), OutsideChange::kNone) << "the same bytes are no change";

    files.files[kPath] = kSun;  // as long as before, other bytes
    EXPECT_TRUE(list.ChangedSince(filled));
    files.unreadable.insert(kPath);
    EXPECT_FALSE(list.ChangedSince(filled)) << "a file held by its writer tells nothing yet";
    EXPECT_EQ(list.TakeInOutsideChange(), OutsideChange::kHeld) << "to be looked at again";
    files.unreadable.clear();
    EXPECT_EQ(list.TakeInOutsideChange(), OutsideChange::kTaken);
    EXPECT_FALSE(list.ChangedSince(list.Stamp()));

    // The editor's OK over a file changed since it was filled (the user said to replace it)
    // writes the rows as they are.
    LyricsRows rows;
    rows.AppendRow({"Rain", "r.txt", "0", "0"});
    files.files[kPath] = std::string(kSun) + kMoon;
    EXPECT_EQ(list.Replace(rows), SaveResult::kSaved);
    EXPECT_EQ(files.files[kPath], kRain);
}

}  // namespace
}  // namespace vesk
