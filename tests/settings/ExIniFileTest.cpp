#include "settings/ExIniFile.h"

#include <gtest/gtest.h>

#include "MemoryFileSystem.h"
#include "TestText.h"

namespace vesk {
namespace {

class FakeFolders final : public ExIniFolders {
public:
    std::string windows = "C:\\WINDOWS";
    std::string appData = "C:\\Users\\u\\AppData\\Roaming\\";
    std::string program = "C:\\Tools\\Vesk.exe";

    std::string WindowsFolder() const override { return windows; }
    std::string AppDataFolder() const override { return appData; }
    std::string ProgramFile() const override { return program; }
};

#ifdef _WIN32
constexpr char kSep = '\\';
#else
constexpr char kSep = '/';
#endif

class ExIniFileTest : public testing::Test {
protected:
    FakeFolders folders_;
    test::MemoryFileSystem files_;
    ScopedFileSystem scope_{files_};
};

TEST_F(ExIniFileTest, ResolvesNamesAgainstTheBaseFolder) {
    TExIniFile ini(folders_);
    EXPECT_EQ(ini.BaseDir(), bdApplication);
    EXPECT_EQ(ini.FileName(), "");
    EXPECT_EQ(ini.IniFile().FileName(), "C:\\Tools\\");
    EXPECT_EQ(ini.Fence(), fcNone);
    EXPECT_FALSE(ini.CaseSensitive());
    EXPECT_TRUE(ini.AutoUpdate());

    struct Row {
        TBaseDir baseDir;
        std::string name;
        std::string path;
    };
    const std::vector<Row> rows = {
        {bdApplication, "a.ini", "C:\\Tools\\a.ini"},
        {bdWindows, "a.ini", std::string("C:\\WINDOWS") + kSep + "a.ini"},
        {bdAppData, "a.ini", "C:\\Users\\u\\AppData\\Roaming\\a.ini"},
        {bdNone, "a.ini", "a.ini"},
        {bdWindows, "D:\\x\\a.ini", "D:\\x\\a.ini"},
        {bdAppData, "sub/a.ini", "sub/a.ini"},
        {bdApplication, "D:a.ini", "D:a.ini"},
    };
    for (const Row& row : rows) {
        ini.SetBaseDir(row.baseDir);
        ini.SetFileName(row.name);
        EXPECT_EQ(ini.IniFile().FileName(), row.path) << row.name << " " << row.baseDir;
        EXPECT_EQ(ini.FileName(), row.name);
    }

    // A backslash that is the second byte of a character is no folder part.
    const std::string so = test::Ansi("ソ.ini");
    ASSERT_EQ(so[1], '\\');
    ini.SetBaseDir(bdApplication);
    ini.SetFileName(so);
    EXPECT_EQ(ini.IniFile().FileName(), "C:\\Tools\\" + so);
}

TEST_F(ExIniFileTest, LoadsTheWholeFileWhenThePathIsSet) {
    files_.files["C:\\Tools\\Vesk.ini"] = "[S]\r\nKey=1\r\n";
    TExIniFile ini(folders_);
    EXPECT_EQ(ini.IniFile().ReadText("S", "Key", "none"), "none");  // the folder is no file
    ini.Loaded();
    EXPECT_EQ(ini.FileName(), "Vesk.ini");
    EXPECT_EQ(ini.IniFile().ReadText("S", "Key", "none"), "1");

    // Held in memory: a later change of the file is not seen until the path is set again.
    files_.files["C:\\Tools\\Vesk.ini"] = "[S]\r\nKey=2\r\n";
    EXPECT_EQ(ini.IniFile().ReadText("S", "Key", "none"), "1");
    ini.SetCaseSensitive(true);
    EXPECT_EQ(ini.IniFile().ReadText("s", "key", "none"), "none");
    ini.SetBaseDir(bdApplication);
    EXPECT_EQ(ini.IniFile().ReadText("s", "key", "none"), "2");
    EXPECT_TRUE(files_.files.size() == 1 && files_.writes == 0);
}

TEST_F(ExIniFileTest, LoadedFillsOnlyAnEmptyNameOutsideTheDesigner) {
    folders_.program = "C:\\Tools\\my.player.exe";
    TExIniFile designed(folders_);
    designed.Loaded(true);
    EXPECT_EQ(designed.FileName(), "");

    TExIniFile named(folders_);
    named.SetFileName("other.ini");
    named.Loaded();
    EXPECT_EQ(named.FileName(), "other.ini");

    TExIniFile loaded(folders_);
    loaded.SetBaseDir(bdAppData);
    loaded.Loaded();
    EXPECT_EQ(loaded.FileName(), "my.player.ini");
    EXPECT_EQ(loaded.IniFile().FileName(), "C:\\Users\\u\\AppData\\Roaming\\my.player.ini");

    folders_.program = "C:\\Tools\\noext";
    TExIniFile noExtension(folders_);
    noExtension.Loaded();
    EXPECT_EQ(noExtension.FileName(), "noext.ini");
}

}  // namespace
}  // namespace vesk
