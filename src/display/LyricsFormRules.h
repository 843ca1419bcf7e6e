#pragma once

// The lyrics window's rules that need no window system: the resize zones of its edges, the
// size limits and the fit to the text, the fade-out before a new text, the layered-window
// attributes, the z-order modes, the colour nudge and the mirrored highlight. The window
// itself (win32/untLyricsForm.h) applies them. Their pixel sizes are sizes at 96 DPI, which
// the window's DPI scales (scale; 96 DPI when not given).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Color.h"
#include "common/DpiScale.h"
#include "common/Font.h"
#include "display/Canvas.h"
#include "display/CustomLabel.h"
#include "display/ShadoLbl.h"
#include "settings/SettingRules.h"

namespace vesk {

// The window has no frame: these limit its outer and its client size alike.
inline constexpr int kLyricsFormMinWidth = 100;
inline constexpr int kLyricsFormMinHeight = 20;
// The label's distance to each edge of the window, which is also the depth of the zones
// that resize the window.
inline constexpr int kLyricsLabelMargin = 10;
// The top-left corner zone is narrower than the others.
inline constexpr int kTopLeftZoneWidth = 5;

// Hit-test results, with the values of the Win32 HT constants.
inline constexpr int kHtClient = 1;
inline constexpr int kHtLeft = 10;
inline constexpr int kHtRight = 11;
inline constexpr int kHtTop = 12;
inline constexpr int kHtTopLeft = 13;
inline constexpr int kHtTopRight = 14;
inline constexpr int kHtBottom = 15;
inline constexpr int kHtBottomLeft = 16;
inline constexpr int kHtBottomRight = 17;

// The hit-test result at (x, y) in client coordinates of a window width x height: the
// edge zones in their fixed order, else defaultResult.
int LyricsHitTest(int x, int y, int width, int height, int defaultResult,
                  const DpiScale& scale = DpiScale(kBaseDpi));

// Positions, sizes and offsets come from a settings file anyone can edit: kept within
// +-kCoordinateLimit, so that sums of a few of them cannot overflow.
inline constexpr std::int32_t kCoordinateLimit = 1 << 20;
std::int32_t ClampedCoordinate(std::int32_t value);

// bounds grown to the size limits (the left and top edges stay).
TRect ConstrainedBounds(const TRect& bounds, const DpiScale& scale = DpiScale(kBaseDpi));

// A colour equal to the background would vanish under the colour key: it is moved by one
// (white to 0x00FFFFFE, anything else plus one). Other colours stay.
Color NudgedColor(Color color, Color background);

// The label's alignment for the "Alignment" setting: 0 left, 1 centre, 2 right; other
// values leave the alignment as it is.
std::optional<TAlignment> AlignmentOfSetting(std::int32_t value);

// The look of the lyrics text as the settings give it, on a shadow label, for the lyrics
// window and the settings dialog's preview alike:
// - a font as stored (face, size, style, colour) becomes the label's font in the Shift_JIS
//   character set, which the text is in;
Font LabelFontOf(const Font& stored);
// - the shadow in color at the layers' offsets and the highlight as its mirror image (the
//   opposite offsets, the same colour), each shown as the layers say. The highlight's
//   offsets and colour are left alone while neither layer shows.
void ApplyShadowLayers(TShadowLabel& label, Color color, const ShadowLayers& layers);

// The lyrics window's shadow rule: offsets both 0 hide the shadow and the highlight;
// otherwise the shadow shows and the highlight when wanted. Offsets are clamped
// (ClampedCoordinate).
ShadowLayers LyricsShadowLayers(std::int32_t offsetLeft, std::int32_t offsetTop, bool highlight);
// The layers' offsets, sizes at 96 DPI, in the pixels of a window at scale.
ShadowLayers ScaledLayers(const ShadowLayers& layers, const DpiScale& scale);
// ApplyShadowLayers by the lyrics window's rule, the offsets scaled.
void ApplyShadowSettings(TShadowLabel& label, Color shadowColor, std::int32_t offsetLeft,
                         std::int32_t offsetTop, bool highlight,
                         const DpiScale& scale = DpiScale(kBaseDpi));

// SetLayeredWindowAttributes flags, with the Win32 values.
inline constexpr std::uint32_t kLwaColorKey = 1;
inline constexpr std::uint32_t kLwaAlpha = 2;

// Whether the window is layered, and the flags of its attributes.
struct LayeredRule {
    bool layered = false;
    std::uint32_t flags = 0;
    bool operator==(const LayeredRule&) const = default;
};
LayeredRule LayeredRuleOf(bool alphaBlend, bool colorKey);

// FormPos values; others are kept but change nothing.
inline constexpr std::int32_t kFormPosNormal = 0;
inline constexpr std::int32_t kFormPosTopMost = 1;
inline constexpr std::int32_t kFormPosBottom = 2;

// Where a z-order change puts the window.
enum class ZOrderPlace { kNone, kNoTopMost, kTopMost, kBottom };
// ApplyZOrder: normal mode leaves the top-most band (and then shows the window on top),
// the two fixed modes put it in their place, other values do nothing.
ZOrderPlace ApplyZOrderPlace(std::int32_t formPos);
// What every pending z-order change of the window is turned into (kNone: left as it is).
ZOrderPlace ForcedInsertAfter(std::int32_t formPos);
// The menu toggles: their own mode switches to normal, any other to their own.
std::int32_t ToggledTopMost(std::int32_t formPos);
std::int32_t ToggledBottom(std::int32_t formPos);

// Dragging the window by its client area (or a control on it): positions are those of the
// control that got the button press, which moves with the window, so the press position
// stays valid for the whole drag.
class TDragTracker {
public:
    // A left press starts a drag unless the position is fixed.
    void MouseDown(bool positionFixed, TMouseButton button, int x, int y);
    // How far the window moves for the pointer at (x, y); nothing when no drag runs.
    struct Offset {
        int dx = 0;
        int dy = 0;
    };
    std::optional<Offset> MouseMove(int x, int y) const;
    // Any release ends the drag.
    void MouseUp() { dragging_ = false; }
    bool Dragging() const { return dragging_; }

private:
    bool dragging_ = false;
    int x0_ = 0;
    int y0_ = 0;
};

// The window around the label, as fitting sees it: its bounds on the screen (its client
// area is the same size). SetBounds applies the size limits and lays out the label.
class LyricsFrame {
public:
    virtual ~LyricsFrame() = default;
    virtual TRect Bounds() const = 0;
    virtual void SetBounds(const TRect& bounds) = 0;
};

struct FitOptions {
    bool changeWidth = false;  // the width follows the longest line
    bool fitBottom = false;    // the bottom edge stays
    bool fitRight = false;     // the right edge stays
};

// Sizes the window to the label's text: the label measures its text (at its width, or on
// unbroken lines when the width changes), the window gets the label's size plus the
// margins, and the label is anchored to all sides again with its alignment back.
void FitLabelToText(TCustomLabel& label, LyricsFrame& frame, const FitOptions& options,
                    const DpiScale& scale = DpiScale(kBaseDpi));

// The fade-out before a new text: from this alpha value, 20 down each step, the last
// step 0 (255 gives 235, 215, ..., 15, 0).
inline constexpr int kFadeStep = 20;
inline constexpr int kFadeStepMilliseconds = 20;
std::vector<std::uint8_t> FadeOutAlphas(std::uint8_t start);

// What showing a text needs of the window.
class LyricsFadeTarget {
public:
    virtual ~LyricsFadeTarget() = default;
    virtual bool AlphaBlend() const = 0;
    virtual std::uint8_t AlphaBlendValue() const = 0;
    virtual void SetAlphaBlend(bool alphaBlend) = 0;
    virtual void SetAlphaBlendValue(std::uint8_t value) = 0;
    // The pause after each fade step.
    virtual void WaitFadeStep() = 0;
    // Puts the text in the label and fits the window to it.
    virtual void SetTextAndFit(const std::string& text) = 0;
};

// ShowLyrics: with fading on, fades the window out, changes the text, fits the window and
// puts its alpha blending back (it reappears at once, no fade-in). Only one fade runs: a
// text that comes while one runs (a message handled during a pause) is not faded again
// but shown by the running one instead of its own, or right after it.
class TLyricsFader {
public:
    void ShowLyrics(LyricsFadeTarget& target, bool fadeInOut, const std::string& text);
    bool Fading() const { return fading_; }

private:
    bool fading_ = false;
    std::optional<std::string> pending_;
};

}  // namespace vesk
