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
    // over it, the same margins.
    slbPreview.SetAutoSize(false);
    slbPreview.SetWordWrap(true);
    slbPreview.SetTransparent(true);
    slbPreview.SetBounds(kLyricsLabelMargin, kLyricsLabelMargin, width - 2 * kLyricsLabelMargin,
                         height - 2 * kLyricsLabelMargin);
    slbPreview.SetCaption(kPreviewText.Ansi());
    panel_.Host().Add(slbPreview);
    ApplyShadowLayers(slbPreview, shadowColor_, layers_);
    return true;
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
    ApplyShadowLayers(slbPreview, shadowColor_, layers_);
}

void TLyricsPreview::SetPreviewShadow(const ShadowLayers& layers) {
    layers_ = layers;
    ApplyShadowLayers(slbPreview, shadowColor_, layers_);
}

}  // namespace vesk
