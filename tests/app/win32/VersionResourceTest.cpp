// The built Vesk.exe carries its resources: the Japanese version block, the icon and the
// manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestArguments.h"
#include "app/Version.h"

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
    EXPECT_STREQ(static_cast<const char*>(value), VESK_VERSION_TEXT);

    // The binary form says the same.
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const WORD parts[] = {VESK_VERSION_BINARY};
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(parts[1], parts[0])));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(parts[3], parts[2])));
}

TEST(VersionResource, IconAndManifestAreEmbedded) {
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14)), nullptr);  // RT_GROUP_ICON
    const HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);  // RT_MANIFEST
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("name=\"Vesk\" version=\"" VESK_VERSION_TEXT "\""), std::string::npos);
    HICON icon = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(icon, nullptr);
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
    FreeLibrary(module);
}

// An image of its own for each size Windows asks for at 100-200 % scaling (the tray's 16-32
// pixels, Explorer's 32-256), so that no size is the small one stretched.
TEST(VersionResource, IconHasAnImageOfEachSizeTheShellAsksFor) {
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    const HRSRC group = FindResourceA(module, "MAINICON", MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(module, group)));
    for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        const HRSRC image = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
        ASSERT_NE(image, nullptr);  // RT_ICON
        // Made at the image's own size (no size asked for).
        HICON icon = CreateIconFromResourceEx(
            static_cast<BYTE*>(LockResource(LoadResource(module, image))),
            SizeofResource(module, image), TRUE, 0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        EXPECT_EQ(bitmap.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(module);
}

}  // namespace
}  // namespace vesk
