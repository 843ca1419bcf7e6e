#include "app/MainCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestFolder.h"
#include "app/Version.h"
#include "common/FileSystem.h"

namespace vesk {
namespace {

TEST(MainCommands, PriorityComesFromTheLowEightBits) {
    struct Row {
        std::int32_t setting;
        std::optional<std::uint32_t> priorityClass;
    };
    const Row rows[] = {
        {0, 0x40},          {1, 0x20},   {2, 0x80},   {3, 0x100},    {4, std::nullopt},
        {-1, std::nullopt}, {256, 0x40}, {257, 0x20}, {0x102, 0x80}, {255, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PriorityClassOf(row.setting), row.priorityClass) << row.setting;
    }
}

TEST(MainCommands, PlayerPathsWithBlanksAreQuotedOnlyWhenTheyNameAFile) {
    test::TestFolder folder;
    const std::string program = folder / "Media Player/player.exe";
    std::filesystem::create_directories(folder.Path() + "Media Player");
    ASSERT_TRUE(CurrentFileSystem().ReplaceFile(program, "MZ"));

    EXPECT_EQ(PlayerCommandLine(program), "\"" + program + "\"");
    // Already quoted, with arguments, or no such file: as it stands.
    EXPECT_EQ(PlayerCommandLine("\"" + program + "\""), "\"" + program + "\"");
    EXPECT_EQ(PlayerCommandLine("\"" + program + "\" /play"), "\"" + program + "\" /play");
    EXPECT_EQ(PlayerCommandLine(program + " /play"), program + " /play");
    EXPECT_EQ(PlayerCommandLine("player.exe /min"), "player.exe /min");
    EXPECT_EQ(PlayerCommandLine(""), "");
}

TEST(MainCommands, TipStoreLinkAndAbout) {
    EXPECT_EQ(TrayTipOf("1.3.1.0"), "Vesk 1.3.1");
    EXPECT_EQ(TrayTipOf("1"), "Vesk ");
    // The short form that readme.txt and the tests take from the build.
    EXPECT_EQ(TrayTipOf(VESK_VERSION_TEXT), "Vesk " VESK_VERSION_SHORT);
    EXPECT_EQ(StoreLink(""),
              "https://www.amazon.co.jp/exec/obidos/redirect?link_code=ur2&tag=&camp=247"
              "&creative=1211&path=tg%2Fbrowse%2F-%2F561956");
    EXPECT_NE(StoreLink("vesk-22").find("&tag=vesk-22&camp=247"), std::string::npos);
    const std::string about = AboutText("1.3.1.0");
    EXPECT_NE(about.find("1.3.1.0"), std::string::npos);
    EXPECT_NE(about.find("Copyright (C) 2026 Vesk Project"), std::string::npos);
}

}  // namespace
}  // namespace vesk
