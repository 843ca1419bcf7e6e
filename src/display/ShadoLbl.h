#pragma once

// TShadowLabel: a label that draws its caption with a drop shadow, a second shadow (the
// highlight), an optional background gradient, an optional colour gradient across the
// characters, optional end or path ellipsis, and flicker-free through an off-screen bitmap.
// It is the text of the lyrics window and the preview of the settings dialog. Hosting,
// bounds, anchors and auto size: see Controls.h and CustomLabel.h.
//
//   TShadowLabel label;                      // shadow silver at (+1, +1), highlight white at (-1,
//   -1) label.Shadow().SetOffsetLeft(2);         // each change repaints
//   label.Highlight().SetVisible(false);
//   label.SetTransparent(true);              // the host's background shows through
//   label.SetCaption(text);

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "common/Color.h"
#include "display/Canvas.h"
#include "display/CustomLabel.h"

namespace vesk {

enum class TEllipsis { elNone, elEnd, elPath };
enum class TTextGradation { tgNone, tg2Colors, tg3Colors };

// The settings of one shadow layer. A new one is visible, silver, offset (+1, +1).
class TShadow {
public:
    TShadow() = default;
    TShadow(const TShadow&) = delete;
    TShadow& operator=(const TShadow&) = delete;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    vesk::Color Color() const { return color_; }
    void SetColor(vesk::Color color);
    // Offsets in pixels from the text: positive is right and down.
    std::int32_t OffsetLeft() const { return offsetLeft_; }
    void SetOffsetLeft(std::int32_t offsetLeft);
    std::int32_t OffsetTop() const { return offsetTop_; }
    void SetOffsetTop(std::int32_t offsetTop);

    // Copies the four values and calls OnChange once, even when nothing changed.
    void Assign(const TShadow& source);

    // Called after each change (a setter that stores the value it already has is none).
    std::function<void(TShadow& sender)> OnChange;

private:
    void Changed();

    bool visible_ = true;
    vesk::Color color_ = kClSilver;
    std::int32_t offsetLeft_ = 1;
    std::int32_t offsetTop_ = 1;
};

// A stretch of a caption's bytes, [begin, end); empty when begin == end.
struct TextRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool Empty() const { return begin >= end; }
    bool operator==(const TextRange&) const = default;
};

class TShadowLabel : public TCustomLabel {
public:
    TShadowLabel();

    TEllipsis Ellipsis() const { return ellipsis_; }
    void SetEllipsis(TEllipsis ellipsis);
    // Takes effect at the next paint; storing it repaints nothing.
    bool Flickerless() const { return flickerless_; }
    void SetFlickerless(bool flickerless);
    // The background gradient runs from top to bottom (else from left to right).
    bool GradateVert() const { return gradateVert_; }
    void SetGradateVert(bool gradateVert);
    // The background is a gradient from GradationColor (top or left) to Color.
    bool Gradation() const { return gradation_; }
    void SetGradation(bool gradation);
    vesk::Color GradationColor() const { return gradationColor_; }
    void SetGradationColor(vesk::Color color);

    // The owned shadow layers. Setting them copies the values of the given object (nullptr
    // is ignored); the owned objects are never replaced.
    TShadow& Highlight() { return highlight_; }
    const TShadow& Highlight() const { return highlight_; }
    void SetHighlight(const TShadow* highlight);
    TShadow& Shadow() { return shadow_; }
    const TShadow& Shadow() const { return shadow_; }
    void SetShadow(const TShadow* shadow);

    // The text's colour runs from the font colour to TextGradationColor (tg2Colors), or
    // through TextMidColor (tg3Colors), character by character, on one row.
    TTextGradation TextGradation() const { return textGradation_; }
    void SetTextGradation(TTextGradation gradation);
    vesk::Color TextGradationColor() const { return textGradationColor_; }
    void SetTextGradationColor(vesk::Color color);
    vesk::Color TextMidColor() const { return textMidColor_; }
    void SetTextMidColor(vesk::Color color);

    // Whole lines of the caption drawn in LitColor instead of the font colour (the line
    // being sung of synced lyrics): the range begins where a line begins and ends where one
    // ends. The shadow layers are drawn as always. Empty, a range beyond the caption, a
    // disabled label or a character gradation: none is drawn.
    const TextRange& LitRange() const { return litRange_; }
    void SetLitRange(TextRange range);
    vesk::Color LitColor() const { return litColor_; }
    // Repaints only while a range is lit.
    void SetLitColor(vesk::Color color);

    // Layers from the bottom: background, shadow, highlight, text.
    void Paint(TCanvas& canvas) override;

private:
    void PaintBackground(TCanvas& canvas, TCanvas& surface, TBitmapCanvas* offscreen) const;
    void PaintText(TCanvas& surface, std::string_view text, const TRect& textRect,
                   TextFormat format) const;
    bool PaintLitText(TCanvas& surface, std::string_view text, const TRect& textRect,
                      TextFormat format) const;

    TEllipsis ellipsis_ = TEllipsis::elNone;
    bool flickerless_ = true;
    bool gradateVert_ = false;
    bool gradation_ = false;
    vesk::Color gradationColor_ = kClBlue;
    TShadow highlight_;
    TShadow shadow_;
    TTextGradation textGradation_ = TTextGradation::tgNone;
    vesk::Color textGradationColor_ = kClMaroon;
    vesk::Color textMidColor_ = kClNavy;
    TextRange litRange_;
    vesk::Color litColor_ = kClWindowText;
};

// The DrawText flags of every call of a paint: alignment, tab expansion, word wrap, prefix
// handling and ellipsis, nothing else (vertical placement is done by moving the rectangle).
TextFormat LabelTextFormat(TAlignment alignment, bool wordWrap, bool showAccelChar,
                           TEllipsis ellipsis);

// A stretch of text drawn with colours running from start to end.
struct TextRun {
    std::string_view text;
    Color start;
    Color end;
};

// The runs of a gradated text of two or more characters. tg2Colors, or two characters: one
// run from the font colour to the end colour. tg3Colors: the first half of the bytes (never
// ending inside a character) from the font colour to the middle colour, the rest from the
// middle colour to the end colour, or plainly in the end colour when it is one character.
std::vector<TextRun> GradationRuns(std::string_view text, TTextGradation gradation, Color fontColor,
                                   Color midColor, Color endColor);

// Colour number index of count running from start to end (both plain RGB): each component is
// start + (end - start) * index / (count - 1), truncated. A count of 1 gives start.
Color GradientColor(Color start, Color end, int index, int count);

// Fills the bitmap with a gradient from start (top or left) to end (bottom or right): one
// column or row is computed, the rest stretched or copied from it.
void GradientFill(TBitmapCanvas& bitmap, Color start, Color end, bool vertical);

}  // namespace vesk
