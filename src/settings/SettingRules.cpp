#include "settings/SettingRules.h"

#include <algorithm>

#include "common/AnsiText.h"
#include "common/Font.h"
#include "title/untTitleGet.h"

namespace vesk {

namespace {

// The style of each item of the combo box, in item order.
constexpr std::uint8_t kItemStyles[kStyleItemCount] = {0, kFontItalic, kFontBold,
                                                       kFontBold | kFontItalic};

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
    });
}

}  // namespace

int StyleItemOf(std::uint8_t fontStyle) {
    const bool bold = (fontStyle & kFontBold) != 0;
    const bool italic = (fontStyle & kFontItalic) != 0;
    if (bold && italic) {
        return 3;
    }
    return bold ? 2 : italic ? 1 : 0;
}

std::uint8_t FontStyleOfItem(int item) {
    return item >= 0 && item < kStyleItemCount ? kItemStyles[item] : 0;
}

int RadioItemOf(std::int32_t stored, int itemCount) {
    if (stored < 0) {
        return -1;
    }
    return stored >= itemCount ? itemCount - 1 : static_cast<int>(stored);
}

ShadowLayers PreviewShadowLayers(std::int32_t right, std::int32_t down, bool highlight) {
    return {right, down, right != 0 || down != 0, highlight};
}

std::vector<std::string> FontListOf(std::vector<std::string> families) {
    std::erase_if(families, [](const std::string& name) { return name.empty() || name[0] == '@'; });
    families.emplace_back(kDefaultFontEntry);
    std::sort(families.begin(), families.end(), LessIgnoringAsciiCase);
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

std::string PasteFolderOf(std::string_view chosenFolder) {
    std::string folder(chosenFolder);
    if (folder.empty()) {
        return folder;
    }
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < folder.size(); pos += CharSize(folder, pos)) {
        last = pos;
    }
    if (folder.compare(last, std::string::npos, "\\") != 0) {
        folder += '\\';
    }
    return folder;
}

WmpPreset WmpPresetValues() {
    return {kWmpClassName, "", 0, static_cast<std::int32_t>(kWmpCaptionEnd.size()), 0};
}

}  // namespace vesk
