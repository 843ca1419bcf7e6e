#include "shell/SHBFFEX.h"

#include <iterator>
#include <utility>

#include "common/Cp932Table.h"
#include "common/ProgramText.h"
#include "common/TextPlatform.h"

namespace vesk {

namespace {

// The flag of each option, in option order.
constexpr std::uint32_t kOptionFlags[] = {
    0x0002,  // BIF_DONTGOBELOWDOMAIN
    0x0008,  // BIF_RETURNFSANCESTORS
    0x0001,  // BIF_RETURNONLYFSDIRS
    0x0004,  // BIF_STATUSTEXT
    0x0004,  // BIF_STATUSTEXT
};

// MAX_PATH: the longest path the program's ANSI file functions take, its NUL counted.
constexpr std::size_t kMaxPathBytes = 260;

constexpr ProgramText kNotInCodePage{
    "選択したフォルダのパスにShift_JISで表せない文字が含まれているため、"
    "このフォルダは使えません。\n別のフォルダを選んでください。"};
constexpr ProgramText kTooLong{
    "選択したフォルダのパスが長すぎるため、このフォルダは使えません（259バイトまで）。\n"
    "もっと浅い場所のフォルダを選んでください。"};

}  // namespace

int SpecialFolderOf(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(kSpecialFolders))) {
        return kSpecialFolders[0];
    }
    return kSpecialFolders[position];
}

BrowseFlags BrowseFlagsOf(TSHBrowseOptions options) {
    BrowseFlags result;
    for (int i = 0; i < static_cast<int>(std::size(kOptionFlags)); ++i) {
        const auto option = static_cast<TSHBrowseOption>(i);
        if (!options.Has(option)) {
            continue;
        }
        result.flags |= kOptionFlags[i];
        if (option == sboStatusTextAndShowPath) {
            result.showPath = true;
            break;
        }
    }
    return result;
}

ScreenPoint CenterScreenPosition(int workAreaWidth, int workAreaHeight, int windowWidth,
                                 int windowHeight) {
    // C++ division truncates toward zero, also for a window larger than the work area.
    return {(workAreaWidth - windowWidth) / 2, (workAreaHeight - windowHeight) / 3};
}

FolderChoice FolderChoiceOf(std::u16string_view path) {
    const TextPlatform& platform = CurrentTextPlatform();
    std::string ansi = platform.FromUtf16(path);
    if (platform.ToUtf8(ansi) != cp932::Utf8OfUtf16(path)) {
        return {{}, FolderRefusal::kNotInCodePage};
    }
    if (ansi.size() >= kMaxPathBytes) {
        return {{}, FolderRefusal::kTooLong};
    }
    return {std::move(ansi), FolderRefusal::kNone};
}

const std::string& RefusalMessage(FolderRefusal refusal) {
    static const std::string none;
    switch (refusal) {
        case FolderRefusal::kNotInCodePage:
            return kNotInCodePage.Ansi();
        case FolderRefusal::kTooLong:
            return kTooLong.Ansi();
        case FolderRefusal::kNone:
            break;
    }
    return none;
}

}  // namespace vesk
