#include "display/LyricsFormRules.h"

#include <algorithm>
#include <utility>

namespace vesk {

int LyricsHitTest(int x, int y, int width, int height, int defaultResult, const DpiScale& scale) {
    const int margin = scale(kLyricsLabelMargin);
    const int right = width - margin;
    const int bottom = height - margin;
    if (x < scale(kTopLeftZoneWidth) && y < margin) {
        return kHtTopLeft;
    }
    if (x > right && y < margin) {
        return kHtTopRight;
    }
    if (x < margin && y > bottom) {
        return kHtBottomLeft;
    }
    if (x > right && y > bottom) {
        return kHtBottomRight;
    }
    if (x < margin) {
        return kHtLeft;
    }
    if (y < margin) {
        return kHtTop;
    }
    if (x > right) {
        return kHtRight;
    }
    if (y > bottom) {
        return kHtBottom;
    }
    return defaultResult;
}

std::int32_t ClampedCoordinate(std::int32_t value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

TRect ConstrainedBounds(const TRect& bounds, const DpiScale& scale) {
    return {bounds.left, bounds.top,
            bounds.left + std::max(bounds.Width(), scale(kLyricsFormMinWidth)),
            bounds.top + std::max(bounds.Height(), scale(kLyricsFormMinHeight))};
}

Color NudgedColor(Color color, Color background) {
    if (color != background) {
        return color;
    }
    return color == kClWhite ? kClWhite - 1 : color + 1;
}

std::optional<TAlignment> AlignmentOfSetting(std::int32_t value) {
    switch (value) {
        case 0:
            return TAlignment::taLeftJustify;
        case 1:
            return TAlignment::taCenter;
        case 2:
            return TAlignment::taRightJustify;
        default:
            return std::nullopt;
    }
}

Font LabelFontOf(const Font& stored) {
    Font font = stored;
    font.charset = kShiftJisCharset;
    font.pitch = FontPitch::Default;
    return font;
}

void ApplyShadowLayers(TShadowLabel& label, Color color, const ShadowLayers& layers) {
    TShadow& shadow = label.Shadow();
    TShadow& highlight = label.Highlight();
    shadow.SetColor(color);
    shadow.SetOffsetLeft(layers.left);
    shadow.SetOffsetTop(layers.top);
    shadow.SetVisible(layers.shadowVisible);
    highlight.SetVisible(layers.highlightVisible);
    if (layers.shadowVisible || layers.highlightVisible) {
        highlight.SetOffsetLeft(-layers.left);
        highlight.SetOffsetTop(-layers.top);
        highlight.SetColor(color);
    }
}

ShadowLayers LyricsShadowLayers(std::int32_t offsetLeft, std::int32_t offsetTop, bool highlight) {
    offsetLeft = ClampedCoordinate(offsetLeft);
    offsetTop = ClampedCoordinate(offsetTop);
    const bool shown = offsetLeft != 0 || offsetTop != 0;
    return {offsetLeft, offsetTop, shown, shown && highlight};
}

ShadowLayers ScaledLayers(const ShadowLayers& layers, const DpiScale& scale) {
    ShadowLayers scaled = layers;
    scaled.left = scale(layers.left);
    scaled.top = scale(layers.top);
    return scaled;
}

void ApplyShadowSettings(TShadowLabel& label, Color shadowColor, std::int32_t offsetLeft,
                         std::int32_t offsetTop, bool highlight, const DpiScale& scale) {
    ApplyShadowLayers(label, shadowColor,
                      ScaledLayers(LyricsShadowLayers(offsetLeft, offsetTop, highlight), scale));
}

LayeredRule LayeredRuleOf(bool alphaBlend, bool colorKey) {
    LayeredRule rule;
    rule.layered = alphaBlend || colorKey;
    rule.flags = (alphaBlend ? kLwaAlpha : 0) | (colorKey ? kLwaColorKey : 0);
    return rule;
}

ZOrderPlace ApplyZOrderPlace(std::int32_t formPos) {
    switch (formPos) {
        case kFormPosNormal:
            return ZOrderPlace::kNoTopMost;
        case kFormPosTopMost:
            return ZOrderPlace::kTopMost;
        case kFormPosBottom:
            return ZOrderPlace::kBottom;
        default:
            return ZOrderPlace::kNone;
    }
}

ZOrderPlace ForcedInsertAfter(std::int32_t formPos) {
    // Normal mode leaves the top-most band once; it holds no place afterwards.
    const ZOrderPlace place = ApplyZOrderPlace(formPos);
    return place == ZOrderPlace::kNoTopMost ? ZOrderPlace::kNone : place;
}

std::int32_t ToggledTopMost(std::int32_t formPos) {
    return formPos == kFormPosTopMost ? kFormPosNormal : kFormPosTopMost;
}

std::int32_t ToggledBottom(std::int32_t formPos) {
    return formPos == kFormPosBottom ? kFormPosNormal : kFormPosBottom;
}

void TDragTracker::MouseDown(bool positionFixed, TMouseButton button, int x, int y) {
    if (positionFixed || button != TMouseButton::mbLeft) {
        return;
    }
    x0_ = x;
    y0_ = y;
    dragging_ = true;
}

std::optional<TDragTracker::Offset> TDragTracker::MouseMove(int x, int y) const {
    if (!dragging_) {
        return std::nullopt;
    }
    return Offset{x - x0_, y - y0_};
}

void FitLabelToText(TCustomLabel& label, LyricsFrame& frame, const FitOptions& options,
                    const DpiScale& scale) {
    const int margin = scale(kLyricsLabelMargin);
    const int labelWidth = label.Width();
    const TRect old = frame.Bounds();
    const TAlignment alignment = label.Alignment();

    // Measured from the left edge, and kept there while the window changes its size.
    label.SetAlignment(TAlignment::taLeftJustify);
    label.SetAutoSize(true);
    label.SetAnchors(kAnchorsDefault);

    int width = old.Width();
    if (options.changeWidth) {
        label.SetWordWrap(false);  // the label now has the width of its longest line
        width = label.Width() + 2 * margin;
        label.SetWordWrap(true);
    }
    const int height = label.Height() + 2 * margin;
    TRect bounds =
        ConstrainedBounds({old.left, old.top, old.left + width, old.top + height}, scale);
    if (options.fitBottom) {
        bounds = bounds.Moved(0, old.Height() - bounds.Height());
    }
    if (options.fitRight) {
        bounds = bounds.Moved(old.Width() - bounds.Width(), 0);
    }
    frame.SetBounds(bounds);

    label.SetAnchors(kAnchorsAll);
    label.SetAutoSize(false);
    label.SetAlignment(alignment);
    if (!options.changeWidth) {
        label.SetWidth(labelWidth);
    }
}

std::vector<std::uint8_t> FadeOutAlphas(std::uint8_t start) {
    std::vector<std::uint8_t> alphas;
    for (int value = start; value > 0;) {
        value -= kFadeStep;
        alphas.push_back(static_cast<std::uint8_t>(std::max(value, 0)));
    }
    return alphas;
}

void TLyricsFader::ShowLyrics(LyricsFadeTarget& target, bool fadeInOut, const std::string& text) {
    if (fading_) {
        pending_ = text;
        return;
    }
    if (!fadeInOut) {
        target.SetTextAndFit(text);
        return;
    }

    struct FadeScope {
        TLyricsFader& fader;
        explicit FadeScope(TLyricsFader& f) : fader(f) { fader.fading_ = true; }
        ~FadeScope() {
            fader.fading_ = false;
            fader.pending_.reset();
        }
    } scope(*this);

    const bool alphaBlend = target.AlphaBlend();
    const std::uint8_t alphaValue = target.AlphaBlendValue();
    target.SetAlphaBlend(true);
    for (const std::uint8_t alpha : FadeOutAlphas(alphaBlend ? alphaValue : 255)) {
        target.SetAlphaBlendValue(alpha);
        target.WaitFadeStep();
    }
    std::string shown = pending_ ? *std::exchange(pending_, std::nullopt) : text;
    target.SetTextAndFit(shown);
    // A text that came while this one was being fitted follows it, unfaded.
    while (pending_) {
        shown = *std::exchange(pending_, std::nullopt);
        target.SetTextAndFit(shown);
    }
    target.SetAlphaBlend(alphaBlend);
    target.SetAlphaBlendValue(alphaValue);
}

}  // namespace vesk
