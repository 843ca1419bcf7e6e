#pragma once

// The settings dialog's rules that need no window system: the ranges of its number fields,
// the style and radio-group mappings, the preview's shadow, the font list, the folder of
// paste-assignment files and the Windows Media Player preset. The dialog itself
// (win32/untSettingForm.h) moves values between its controls and the settings groups.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// A number field: its range and the step of one arrow press.
struct NumberRange {
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t step = 1;
};
inline constexpr NumberRange kTextSizeRange{1, 1000};
inline constexpr NumberRange kShadowOffsetRange{-10, 10};
inline constexpr NumberRange kTitlePosRange{1, 50};
inline constexpr NumberRange kCutRange{0, 100};
inline constexpr NumberRange kCheckTimeRange{100, 30000, 100};
// The lines that synced lyrics show.
inline constexpr NumberRange kSyncLinesRange{1, 15};
// The opacity slider: its range, and a tick mark and a page step every 16.
inline constexpr NumberRange kAlphaBlendRange{0, 255, 16};

// The items of the style combo box, in order: "標準", "斜体", "太字", "太字　斜体".
inline constexpr int kStyleItemCount = 4;
// The item that shows a stored style: bold and italic 3, else bold 2, else italic 1, else 0;
// underline and strike-out are not shown.
int StyleItemOf(std::uint8_t fontStyle);
// The style stored for an item: 0, italic, bold, bold and italic; no style for no item (-1).
std::uint8_t FontStyleOfItem(int item);

// A radio group shows a stored item index: one above the last item selects the last, one
// below 0 selects nothing (-1).
int RadioItemOf(std::int32_t stored, int itemCount);
inline constexpr int kAlignmentItemCount = 3;  // "Alignment": left, centre, right
inline constexpr int kPriorityItemCount = 4;   // "Priority": idle, normal, high, real-time

// The preview's two shadow layers: the shadow at (left, top), the highlight at the
// opposite offsets, both in the shadow colour.
struct ShadowLayers {
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool shadowVisible = false;
    bool highlightVisible = false;
    bool operator==(const ShadowLayers&) const = default;
};
// UpdatePreviewShadow: the shadow shows when either offset is not 0; the highlight exactly
// when "逆方向にも影(&H)" is ticked.
ShadowLayers PreviewShadowLayers(std::int32_t right, std::int32_t down, bool highlight);

// The font combo box's list: "Default" and every font family once, sorted without regard
// to the case of ASCII letters. Vertical faces ("@" before the name) are left out: they
// would turn the lyrics on their side.
std::vector<std::string> FontListOf(std::vector<std::string> families);
inline constexpr std::string_view kDefaultFontEntry = "Default";

// The paste-assignment folder for a folder chosen in the folder dialog: its path with a
// "\" after it unless its last character is one already (a drive root). A "\" that is the
// second byte of a double-byte character is no separator. An empty path stays empty.
std::string PasteFolderOf(std::string_view chosenFolder);

// The "&WMP" button's values, set in this order: the class of Windows Media Player, no
// caption filter, no front cut, a back cut of the 23 bytes of " - Windows Media Player",
// and title position 0 (which the field's range makes 1).
struct WmpPreset {
    std::string_view getClassName;
    std::string_view getTitle;
    std::int32_t topCut;
    std::int32_t bottomCut;
    std::int32_t titlePos;
};
WmpPreset WmpPresetValues();

}  // namespace vesk
