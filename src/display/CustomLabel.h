#pragma once

// The standard text label's state and auto size, shared by the labels that paint it their
// own way (TShadowLabel).

#include <string>
#include <string_view>

#include "common/Color.h"
#include "common/Font.h"
#include "display/Controls.h"

namespace vesk {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TControl {
public:
    // A new label: no caption, NewFont(), the button-face colour, left-aligned at the top,
    // AutoSize on, no word wrap, opaque, "&" taken as an accelerator prefix, enabled.
    TCustomLabel();

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string_view caption);
    const vesk::Font& Font() const { return font_; }
    void SetFont(const vesk::Font& font);
    // Background colour.
    vesk::Color Color() const { return color_; }
    void SetColor(vesk::Color color);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // No background: what lies under the label shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // "&" marks the next character as the accelerator (underlined, "&&" shows one "&");
    // off: "&" is shown as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool showAccelChar);

    bool IsOpaque() const override { return !transparent_; }

protected:
    // The caption as it is drawn and measured: " " appended to an empty caption, and to a
    // caption of exactly "&" while ShowAccelChar is on (so that a line is still measured).
    std::string DrawnText() const;

    // With AutoSize on: the size of the text measured with DrawText from the current client
    // rectangle (so with word wrap the width limits the lines); the left edge stays, with
    // taRightJustify the right edge.
    void AdjustSize() override;

private:
    std::string caption_;
    vesk::Font font_;
    vesk::Color color_ = kClBtnFace;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TTextLayout layout_ = TTextLayout::tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

}  // namespace vesk
