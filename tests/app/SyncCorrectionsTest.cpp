#include "app/SyncCorrections.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "MemoryFileSystem.h"
#include "TestText.h"

namespace vesk {
namespace {

using test::Ansi;

constexpr const char* kPath = "C:\\Vesk\\VeskSync.csv";

TEST(SyncCorrections, RowsAreReadWhateverTheLineEnds) {
    struct Row {
        std::string file;
        std::vector<std::pair<std::string, std::int32_t>> expected;
    };
    const Row rows[] = {
        {"\"A\",500\r\n\"B\",-1500\r\n", {{"A", 500}, {"B", -1500}}},
        {"\"A\",500\n\"B\",-1500", {{"A", 500}, {"B", -1500}}},
        {"\"A\",500\r\"B\",-1500\r", {{"A", 500}, {"B", -1500}}},
        {"\"a,\"\"b\"\"\",250\r\n", {{"a,\"b\"", 250}}},
        {"\"A\", 500 \r\n", {{"A", 500}}},
        {"\"A\",500\r\n\"A\",900\r\n", {{"A", 500}}},  // the first row of a title counts
        {"\"A\",99999999\r\n\"B\",-99999999\r\n",
         {{"A", kMaxSyncCorrectionMs}, {"B", -kMaxSyncCorrectionMs}}},
        {"\"A\",x\r\n\"B\"500\r\n\"C\r\n", {{"A", 0}, {"B", 0}, {"C", 0}}},
        {"\"a\",500\r\n", {{"a", 500}, {"A", 0}, {"a ", 0}}},  // byte for byte
        // As a spreadsheet saves it: quotes only where needed, the title up to the last comma.
        {"A,500\r\nB,C,-1500\r\n\"D,\"\"E\"\"\",250\r\n",
         {{"A", 500}, {"B,C", -1500}, {"D,\"E\"", 250}}},
    };
    for (const Row& row : rows) {
        test::MemoryFileSystem files;
        ScopedFileSystem scope(files);
        files.files[kPath] = row.file;
        TSyncCorrections corrections(kPath);
        corrections.Load();
        for (const auto& [title, ms] : row.expected) {
            EXPECT_EQ(corrections.Correction(title), ms) << row.file << " / " << title;
        }
    }
}

TEST(SyncCorrections, SavedInOneStepSortedWithCrLf) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    TSyncCorrections corrections(SyncCorrectionsPathIn("C:\\Vesk\\"));
    corrections.Load();  // no file yet
    EXPECT_EQ(corrections.Adjust("B", kSyncCorrectionStepMs), 500);
    EXPECT_EQ(corrections.Adjust("B", kSyncCorrectionStepMs), 1000);
    EXPECT_EQ(corrections.Adjust("A", -kSyncCorrectionStepMs), -500);
    corrections.Set("Gone", 300);
    corrections.Set("Gone", 0);
    corrections.Set("Far", INT32_MAX);
    EXPECT_EQ(corrections.Adjust("Far", INT32_MAX), kMaxSyncCorrectionMs);
    ASSERT_TRUE(corrections.Save());
    EXPECT_EQ(files.writes, 1);
    EXPECT_EQ(files.files[kPath], "\"A\",-500\r\n\"B\",1000\r\n\"Far\",3600000\r\n");
}

TEST(SyncCorrections, TitlesRoundTrip) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    const std::string titles[] = {"a,b",      "say \"hi\"",   "\"",
                                  ",",        Ansi("ソ表\\"), Ansi("【退避してます】"),
                                  " padded ", "line\r\nbreak"};
    TSyncCorrections written(kPath);
    std::int32_t ms = 0;
    for (const std::string& title : titles) {
        written.Set(title, ms += 100);
    }
    ASSERT_TRUE(written.Save());
    TSyncCorrections read(kPath);
    read.Load();
    ms = 0;
    for (const std::string& title : titles) {
        EXPECT_EQ(read.Correction(title), ms += 100) << title;
    }
}

// A file held by another program is never replaced, nor is a change lost when a save fails.
TEST(SyncCorrections, AFailedSaveKeepsTheFileAndTheChanges) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    files.files[kPath] = "\"Other\",700\r\n\"Song\",500\r\n";
    files.unreadable.insert(kPath);
    TSyncCorrections corrections(kPath);
    corrections.Load();
    corrections.Set("Song", 0);
    corrections.Set("New", 100);
    EXPECT_FALSE(corrections.Save());
    EXPECT_EQ(files.writes, 0);

    files.unreadable.clear();
    files.failWrites = true;
    EXPECT_FALSE(corrections.Save());
    files.failWrites = false;
    ASSERT_TRUE(corrections.Save());
    EXPECT_EQ(files.files[kPath], "\"New\",100\r\n\"Other\",700\r\n");
    EXPECT_EQ(corrections.Correction("Other"), 700);
}

}  // namespace
}  // namespace vesk
