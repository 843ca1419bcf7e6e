#pragma once

// The settings dialog's live preview of the lyrics text as the dialog sees it: a shadow
// label that the dialog's owner makes (the dialog knows nothing of the display code) and
// that takes the values of the display page as the user changes them.

#include "common/Color.h"
#include "common/Font.h"
#include "settings/SettingRules.h"

namespace vesk {

class SettingPreview {
public:
    virtual ~SettingPreview() = default;
    // A font as the settings file stores it (face, size, style, colour).
    virtual void SetPreviewFont(const Font& font) = 0;
    virtual void SetPreviewBackground(Color color) = 0;
    // The colour of the shadow and of the highlight.
    virtual void SetPreviewShadowColor(Color color) = 0;
    virtual void SetPreviewShadow(const ShadowLayers& layers) = 0;
};

}  // namespace vesk
