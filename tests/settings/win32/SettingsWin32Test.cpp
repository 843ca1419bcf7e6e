#include <windows.h>

#include <gtest/gtest.h>

#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "common/win32/ProgramFolder.h"
#include "settings/KelpIniFile.h"
#include "settings/VeskSettings.h"
#include "settings/win32/ExIniFolders.h"
#include "settings/win32/SettingsPath.h"
#include "settings/win32/WindowPlacementIni.h"

namespace vesk {
namespace {

using test::Ansi;

TEST(SettingsWin32, ARefusedWriteToAReadOnlyFileKeepsTheFile) {
    test::TestFolder folder;
    const std::string path = folder / "Vesk.ini";
    const std::string before = "[MainForm]\r\nLyricShow=1\r\n";
    ASSERT_TRUE(SystemFileSystem().ReplaceFile(path, before));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));

    try {
        WriteLyricShow(path, false);
        ADD_FAILURE() << "the write to a read-only file was not refused";
    } catch (const IniWriteError& error) {
        EXPECT_EQ(std::string(error.Message()), path + Ansi(" に書き込めません"));
    }
    EXPECT_EQ(SystemFileSystem().ReadFile(path), before);
    // Writing what the file already holds changes nothing and is no error.
    EXPECT_NO_THROW(WriteLyricShow(path, true));
    EXPECT_TRUE(ReadStartupSettings(path).lyricShow);

    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder.Path() + "*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int files = 0;
    do {
        files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(files, 1) << "a temporary file was left behind";
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsWin32, TheSettingsFileIsInTheProgramFolder) {
    char program[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string expected(program, length);
    expected = expected.substr(0, expected.rfind('\\') + 1) + "Vesk.ini";
    EXPECT_EQ(SettingsFilePath(), expected);
    EXPECT_EQ(SettingsFilePath(), ProgramFolder() + "Vesk.ini");
}

TEST(SettingsWin32, ExIniFileFindsTheSystemFolders) {
    const ExIniFolders& folders = SystemExIniFolders();
    EXPECT_EQ(SystemFileSystem().KindOf(folders.WindowsFolder()), FileSystem::Kind::Directory);
    EXPECT_EQ(SystemFileSystem().KindOf(folders.AppDataFolder()), FileSystem::Kind::Directory);
    EXPECT_NE(folders.AppDataFolder(), folders.WindowsFolder());
    const std::string program = folders.ProgramFile();
    EXPECT_EQ(SystemFileSystem().KindOf(program), FileSystem::Kind::File);

    // The default file name is the program's, with ".ini", in the program's folder.
    const std::string iniPath = program.substr(0, program.rfind('.')) + ".ini";
    ASSERT_TRUE(SystemFileSystem().ReplaceFile(iniPath, "[S]\r\nKey=loaded\r\n"));
    TExIniFile ini(folders);
    ini.Loaded();
    EXPECT_EQ(ini.IniFile().FileName(), iniPath);
    EXPECT_EQ(ini.IniFile().ReadText("s", "key", ""), "loaded");
    DeleteFileA(iniPath.c_str());

    ini.SetBaseDir(bdWindows);
    const std::string windows = folders.WindowsFolder();
    EXPECT_EQ(ini.IniFile().FileName(),
              windows + (windows.back() == '\\' ? "" : "\\") + ini.FileName());
    ini.SetBaseDir(bdAppData);
    EXPECT_EQ(ini.IniFile().FileName().find(folders.AppDataFolder()), 0u);
}

class PlacementWindow {
public:
    PlacementWindow() {
        hwnd_ = CreateWindowExA(0, "STATIC", "placement", WS_OVERLAPPEDWINDOW, 100, 120, 300, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~PlacementWindow() { DestroyWindow(hwnd_); }
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

TEST(SettingsWin32, PlacementsOfARealWindow) {
    test::TestFolder folder;
    const std::string path = folder / "Vesk.ini";
    PlacementWindow window;
    ASSERT_NE(window.Get(), nullptr);

    TKelpIniFile ini(path);
    WritePlacement(ini, "Win", "Place", window.Get());
    const WindowPlacement written = PlacementOf(window.Get());
    EXPECT_EQ(written.left, 100);
    EXPECT_EQ(written.top, 120);
    EXPECT_EQ(written.right, 400);
    EXPECT_EQ(written.bottom, 320);
    const std::string file = SystemFileSystem().ReadFile(path).value_or("");
    EXPECT_NE(file.find("Place.X=100\r\nPlace.Y=120\r\nPlace.XSize=400\r\nPlace.YSize=320\r\n"),
              std::string::npos)
        << file;

    // Moved and resized, the window goes back where the file says.
    SetWindowPos(window.Get(), nullptr, 10, 20, 50, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    ReadPlacement(ini, "Win", "Place", window.Get());
    RECT rect{};
    GetWindowRect(window.Get(), &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right, 400);
    EXPECT_EQ(rect.bottom, 320);

    // Missing keys keep what the window has; the stored edges are edges, not sizes.
    ASSERT_TRUE(
        SystemFileSystem().ReplaceFile(path, "[Win]\r\nPlace.X=150\r\nPlace.YSize=500\r\n"));
    ReadPlacement(ini, "Win", "Place", window.Get());
    GetWindowRect(window.Get(), &rect);
    EXPECT_EQ(rect.left, 150);
    EXPECT_EQ(rect.top, 120);
    EXPECT_EQ(rect.right, 400);
    EXPECT_EQ(rect.bottom, 500);
}

}  // namespace
}  // namespace vesk
