// The built Vesk.exe carries its resources: the Japanese version block, the icon and the
// manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestArguments.h"

namespace vesk {
namespace {

std::string ProgramPath() {
    return test::Arguments().empty() ? std::string() : test::Arguments().front();
}

TEST(VersionResource, FileVersionIsInTheJapaneseBlock) {
    const std::string path = ProgramPath();
    ASSERT_FALSE(path.empty()) << "pass the path of Vesk.exe";
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << path;
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        VerQueryValueA(data.data(), "\\StringFileInfo\\041103A4\\FileVersion", &value, &length));
    EXPECT_STREQ(static_cast<const char*>(value), "1.3.1.0");
}

TEST(VersionResource, IconAndManifestAreEmbedded) {
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)),
              nullptr);  // RT_MANIFEST
    HICON icon = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
    FreeLibrary(module);
}

}  // namespace
}  // namespace vesk
