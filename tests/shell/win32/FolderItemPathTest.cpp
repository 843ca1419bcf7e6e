// The folder browser's choice read from real shell items: a name outside the code page
// reaches the rule (tested in full natively, SHBFFEXTest) as it is. Wine's shell makes no
// item of a path beyond MAX_PATH, so long paths are left to the native test.

#include "shell/win32/FolderItemPath.h"

#include <gtest/gtest.h>

#include <string>

#include "TestFolder.h"
#include "TestText.h"
#include "common/win32/ComApartment.h"
#include "common/win32/WideText.h"

namespace vesk {
namespace {

// A folder made with its UTF-16 name, then chosen as the browser gives it: as an item.
FolderChoice ChoiceOfNewFolder(const std::wstring& path) {
    EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << GetLastError();
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr))) {
        ADD_FAILURE() << "no item for " << Narrow(path, CP_UTF8);
        return {};
    }
    FolderChoice choice = FolderChoiceOfItem(item);
    CoTaskMemFree(item);
    return choice;
}

TEST(FolderItemPath, ANameOutsideTheCodePageIsTold) {
    ASSERT_TRUE(EnterComApartment());
    const test::TestFolder folder;
    const std::wstring root = Widen(folder.Path());
    EXPECT_EQ(ChoiceOfNewFolder(root + L"歌詞"),
              (FolderChoice{folder / test::Ansi("歌詞"), FolderRefusal::kNone}));
    EXPECT_EQ(ChoiceOfNewFolder(root + L"한😀"), (FolderChoice{"", FolderRefusal::kNotInCodePage}));
}

}  // namespace
}  // namespace vesk
