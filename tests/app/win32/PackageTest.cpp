// The zip that users download, as a user meets it: unpacked into an empty folder (by the
// ctest fixture of tests/app/UnpackPackage.cmake) and started there.
// Argument: Vesk.exe of the unpacked package.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestText.h"
#include "app/win32/VeskDriver.h"

namespace vesk {
namespace {

using Names = std::vector<std::string>;

// A first start: the settings dialog opens; at the exit Vesk leaves its settings and its
// list beside itself, and nothing else.
TEST(Package, StartsInTheFolderItIsUnpackedInto) {
    const std::string program = test::VeskProgram();
    const std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    ASSERT_EQ(test::FilesIn(folder), (Names{"Vesk.exe", "readme.txt"})) << folder;

    test::VeskProcess vesk(program);
    ASSERT_TRUE(vesk.WaitReady());
    const HWND setting = vesk.Window("#32770");
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(test::CaptionOf(setting), test::Ansi("Veskの設定"));
    EXPECT_TRUE(IsWindowVisible(setting));
    EXPECT_EQ(vesk.Exit(), std::optional<DWORD>(0));

    EXPECT_EQ(test::FilesIn(folder), (Names{"Vesk.csv", "Vesk.exe", "Vesk.ini", "readme.txt"}));
}

}  // namespace
}  // namespace vesk
