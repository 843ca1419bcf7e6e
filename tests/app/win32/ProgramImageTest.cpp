// The built Vesk.exe is what the systems it is made for need: a 32-bit x86 GUI program (the
// player's automation server is a 32-bit in-process DLL), whose manifest names no execution
// level (installs under "Program Files" keep their files through file virtualization) and
// that declares per-monitor DPI awareness, and which starts without the DLLs that only its
// dialogs and COM need.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestArguments.h"
#include "tools/ImageHeader.h"

namespace vesk {
namespace {

std::string ProgramPath() {
    return test::Arguments().empty() ? std::string() : test::Arguments().front();
}

TEST(ProgramImage, X86GuiProgram) {
    const std::optional<test::ImageHeader> header = test::ReadImageHeader(ProgramPath());
    ASSERT_TRUE(header.has_value()) << "not a Windows program: " << ProgramPath();
    EXPECT_EQ(header->machine, IMAGE_FILE_MACHINE_I386);
    EXPECT_EQ(header->optionalMagic, IMAGE_NT_OPTIONAL_HDR32_MAGIC);
    EXPECT_EQ(header->subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// The dialogs' controls, the file and colour dialogs, COM and automation load on first use: at
// start-up they would bring in the print spooler and a dozen libraries under Wine for the whole
// day. So does WinHTTP, which only the online lyrics search needs.
TEST(ProgramImage, DialogAndComLibrariesAreNotLoadedAtStart) {
    const std::optional<std::vector<std::string>> dlls = test::ReadImportedDlls(ProgramPath());
    ASSERT_TRUE(dlls.has_value()) << ProgramPath();
    const auto imports = [&dlls](const char* name) {
        for (const std::string& dll : *dlls) {
            if (lstrcmpiA(dll.c_str(), name) == 0) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(imports("shell32.dll"));  // the tray icon needs it at once
    for (const char* late :
         {"comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll", "winhttp.dll"}) {
        EXPECT_FALSE(imports(late)) << late;
    }
}

// The manifest's markup without its comments.
std::string WithoutComments(std::string xml) {
    for (std::size_t start = xml.find("<!--"); start != std::string::npos;
         start = xml.find("<!--", start)) {
        const std::size_t end = xml.find("-->", start);
        xml.erase(start, end == std::string::npos ? std::string::npos : end + 3 - start);
    }
    return xml;
}

TEST(ProgramImage, ManifestNamesNoExecutionLevel) {
    HMODULE module = LoadLibraryExA(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(text, nullptr);
    const std::string manifest = WithoutComments(std::string(text, SizeofResource(module, found)));
    FreeLibrary(module);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    EXPECT_EQ(manifest.find("requestedExecutionLevel"), std::string::npos);
    EXPECT_EQ(manifest.find("trustInfo"), std::string::npos);
}

}  // namespace
}  // namespace vesk
