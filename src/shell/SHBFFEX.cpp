#include "shell/SHBFFEX.h"

#include <iterator>

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

}  // namespace vesk
