#pragma once

// TLyricsPreview: the settings dialog's preview of the lyrics text (slbPreview), a shadow
// label in a panel of the dialog's page, drawn as the lyrics window draws its text: the
// same font and shadow routines (LyricsFormRules.h), with the preview's own shadow rule
// given by the dialog, at the panel's DPI.

#include <windows.h>

#include "common/Color.h"
#include "common/DpiScale.h"
#include "common/Font.h"
#include "display/ShadoLbl.h"
#include "display/win32/ControlHost.h"
#include "settings/SettingPreview.h"

namespace vesk {

class TLyricsPreview final : public SettingPreview {
public:
    // Makes the panel as a child of parent at bounds (parent's client coordinates).
    bool Create(HWND parent, const RECT& bounds);
    HWND Handle() const { return panel_.Handle(); }

    void SetPreviewFont(const Font& font) override;
    void SetPreviewBackground(Color color) override;
    void SetPreviewShadowColor(Color color) override;
    void SetPreviewShadow(const ShadowLayers& layers) override;

    TShadowLabel slbPreview;

private:
    DpiScale Scale() const;
    // The label within the lyrics window's margins; the layers' offsets scaled.
    void PlaceLabel();
    void ApplyLayers();

    TControlPanel panel_;
    Color shadowColor_ = kClGray;
    ShadowLayers layers_;
};

}  // namespace vesk
