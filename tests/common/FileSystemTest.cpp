#include "common/FileSystem.h"

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // the system's macro for ReplaceFileA, not the member
#endif

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "TestText.h"

namespace vesk {
namespace {

using Kind = FileSystem::Kind;
const FileSystem& Files() {
    return SystemFileSystem();
}

TEST(FileSystem, ReplaceCreatesAndReplacesWholeFiles) {
    test::TestFolder folder;
    const std::string path = folder / test::Ansi("夏の雨.txt");
    EXPECT_EQ(Files().KindOf(path), Kind::Missing);
    EXPECT_EQ(Files().ReadFile(path), std::nullopt);

    ASSERT_TRUE(Files().ReplaceFile(path, "first\r\nversion\r\n"));
    EXPECT_EQ(Files().KindOf(path), Kind::File);
    EXPECT_EQ(Files().ReadFile(path), "first\r\nversion\r\n");
    EXPECT_EQ(Files().FileSize(path), 16u);

    ASSERT_TRUE(Files().ReplaceFile(path, "2"));
    EXPECT_EQ(Files().ReadFile(path), "2");

    ASSERT_TRUE(Files().ReplaceFile(path, ""));
    EXPECT_EQ(Files().ReadFile(path), "");
    EXPECT_EQ(Files().FileSize(path), 0u);

    const std::string binary("a\0b\x81\x5C", 5);
    ASSERT_TRUE(Files().ReplaceFile(path, binary));
    EXPECT_EQ(Files().ReadFile(path), binary);
}

TEST(FileSystem, FailedReplaceLeavesNothingBehind) {
    test::TestFolder folder;
    EXPECT_FALSE(Files().ReplaceFile(folder / "missing-folder/list.csv", "x"));
    EXPECT_EQ(Files().KindOf(folder / "missing-folder"), Kind::Missing);

    // A folder is never replaced by a file.
    ASSERT_TRUE(Files().ReplaceFile(folder / "keep.txt", "kept"));
    EXPECT_FALSE(Files().ReplaceFile(folder.Path().substr(0, folder.Path().size() - 1), "x"));
    EXPECT_EQ(Files().ReadFile(folder / "keep.txt"), "kept");
}

TEST(FileSystem, CreateNewFileNeverTouchesWhatIsThere) {
    test::TestFolder folder;
    const std::string path = folder / test::Ansi("風の道.lrc");
    ASSERT_TRUE(Files().CreateNewFile(path, "new\r\n"));
    EXPECT_EQ(Files().ReadFile(path), "new\r\n");
    EXPECT_FALSE(Files().CreateNewFile(path, "other"));
    EXPECT_EQ(Files().ReadFile(path), "new\r\n");
    // Nothing is left beside it either way.
    EXPECT_EQ(Files().KindOf(path + ".vesk-new"), Kind::Missing);

    const std::string sub = folder / "Lyrics";
    EXPECT_FALSE(Files().CreateNewFile(sub + "/a.lrc", "x")) << "no folder yet";
    EXPECT_FALSE(Files().CreateNewFile(folder.Path().substr(0, folder.Path().size() - 1), "x"));
    ASSERT_TRUE(Files().CreateFolder(sub));
    EXPECT_TRUE(Files().CreateFolder(sub)) << "there already";
    EXPECT_EQ(Files().KindOf(sub), Kind::Directory);
    EXPECT_TRUE(Files().CreateNewFile(sub + "/a.lrc", "x"));
    EXPECT_FALSE(Files().CreateFolder(path)) << "a file is no folder";
    EXPECT_FALSE(Files().CreateFolder(folder / "missing/deeper"));
}

#ifdef _WIN32
TEST(FileSystem, ReplaceKeepsTheFilesAttributesAndWritesInPlaceWhereNoFileCanBeAdded) {
    test::TestFolder folder;
    const std::string hidden = folder / "Vesk.ini";
    ASSERT_TRUE(Files().ReplaceFile(hidden, "old"));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(Files().ReplaceFile(hidden, "new"));
    EXPECT_EQ(Files().ReadFile(hidden), "new");
    EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    // Where nothing can be added beside it (here its temporary name is taken by a folder),
    // the file is written in place.
    ASSERT_TRUE(CreateDirectoryA((hidden + ".vesk-new").c_str(), nullptr));
    ASSERT_TRUE(Files().ReplaceFile(hidden, "in place"));
    EXPECT_EQ(Files().ReadFile(hidden), "in place");
    EXPECT_NE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}
#endif

TEST(FileSystem, FoldersAreNotFiles) {
    test::TestFolder folder;
    const std::string path = folder.Path().substr(0, folder.Path().size() - 1);
    EXPECT_EQ(Files().KindOf(path), Kind::Directory);
    EXPECT_EQ(Files().ReadFile(path), std::nullopt);
    EXPECT_EQ(Files().FileSize(path), std::nullopt);
}

TEST(FileSystem, DeviceNamesAreNeverOpened) {
    test::TestFolder folder;
    const std::string devices[] = {"CON",      "nul", "NUL.txt",      "COM1",
                                   "lpt9.csv", "AUX", folder / "con", folder / "PRN.txt"};
    for (const std::string& device : devices) {
        EXPECT_EQ(Files().KindOf(device), Kind::Other) << device;
        EXPECT_EQ(Files().ReadFile(device), std::nullopt) << device;
        EXPECT_FALSE(Files().ReplaceFile(device, "x")) << device;
    }
#ifdef _WIN32
    EXPECT_EQ(Files().KindOf("\\\\.\\pipe\\vesk"), Kind::Other);
    EXPECT_EQ(Files().ReadFile("\\\\.\\pipe\\vesk"), std::nullopt);
#endif
}

TEST(FileSystem, ReservedDeviceNamesAreRecognised) {
    struct Row {
        std::string path;
        bool reserved;
    };
    const Row rows[] = {
        {"CON", true},
        {"con", true},
        {"Con.txt", true},
        {"C:\\lyrics\\NUL", true},
        {"a/b/aux.csv", true},
        {"COM1", true},
        {"com9.txt", true},
        {"LPT1", true},
        {"COM0", false},
        {"COM10", false},
        {"CONSOLE", false},
        {"icon", false},
        {"CON\\song.txt", false},
        {"", false},
        {"lyrics.txt", false},
        {test::Ansi("表\\CON"), true},  // the backslash inside 表 is no separator...
        {test::Ansi("表CON"), false},   // ...so this is one name
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsReservedDeviceName(row.path), row.reserved) << row.path;
    }
}

}  // namespace
}  // namespace vesk
