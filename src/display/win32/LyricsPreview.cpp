#include "display/win32/LyricsPreview.h"

#include "common/ProgramText.h"
#include "display/LyricsFormRules.h"

namespace vesk {

namespace {

constexpr ProgramText kPreviewText{"プレビュー表示　あいうえお　亜居得絵緒　ABCDE　abcde"};

}  // namespace

bool TLyricsPreview::Create(HWND parent, const RECT& bounds) {
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (!panel_.Create(parent, bounds.left, bounds.top, width, height)) {
        return false;
    }
    // As in the lyrics window: the background around the label, the label transparent
    // over it, the same margins and offsets at the panel's DPI.
    slbPreview.SetAutoSize(false);
    slbPreview.SetWordWrap(true);
    slbPreview.SetTransparent(true);
    PlaceLabel();
    slbPreview.SetCaption(kPreviewText.Ansi());
    panel_.Host().Add(slbPreview);
    ApplyLayers();
    panel_.OnDpiChanged = [this](int) {
        PlaceLabel();
        ApplyLayers();
    };
    return true;
}

DpiScale TLyricsPreview::Scale() const {
    return DpiScale(panel_.Host().Dpi());
}

void TLyricsPreview::PlaceLabel() {
    RECT client{};
    GetClientRect(panel_.Handle(), &client);
    const int margin = Scale()(kLyricsLabelMargin);
    slbPreview.SetBounds(margin, margin, client.right - 2 * margin, client.bottom - 2 * margin);
}

void TLyricsPreview::ApplyLayers() {
    ApplyShadowLayers(slbPreview, shadowColor_, ScaledLayers(layers_, Scale()));
}

void TLyricsPreview::SetPreviewFont(const Font& font) {
    slbPreview.SetFont(LabelFontOf(font));
}

void TLyricsPreview::SetPreviewBackground(Color color) {
    panel_.Host().SetBackground(color);
    slbPreview.SetColor(color);
    InvalidateRect(panel_.Handle(), nullptr, TRUE);
}

void TLyricsPreview::SetPreviewShadowColor(Color color) {
    shadowColor_ = color;
    ApplyLayers();
}

void TLyricsPreview::SetPreviewShadow(const ShadowLayers& layers) {
    layers_ = layers;
    ApplyLayers();
}

}  // namespace vesk
