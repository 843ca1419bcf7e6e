#include "display/CustomLabel.h"

namespace vesk {

TCustomLabel::TCustomLabel() : font_(NewFont()) {
    SetAutoSize(true);
}

void TCustomLabel::SetCaption(std::string_view caption) {
    if (caption_ != caption) {
        caption_ = caption;
        AdjustSize();
        Invalidate();
    }
}

void TCustomLabel::SetFont(const vesk::Font& font) {
    if (!(font_ == font)) {
        font_ = font;
        AdjustSize();
        Invalidate();
    }
}

void TCustomLabel::SetColor(vesk::Color color) {
    if (color_ != color) {
        color_ = color;
        Invalidate();
    }
}

void TCustomLabel::SetAlignment(TAlignment alignment) {
    if (alignment_ != alignment) {
        alignment_ = alignment;
        Invalidate();
    }
}

void TCustomLabel::SetLayout(TTextLayout layout) {
    if (layout_ != layout) {
        layout_ = layout;
        Invalidate();
    }
}

void TCustomLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap_ != wordWrap) {
        wordWrap_ = wordWrap;
        AdjustSize();
        Invalidate();
    }
}

void TCustomLabel::SetTransparent(bool transparent) {
    if (transparent_ != transparent) {
        transparent_ = transparent;
        Invalidate();
    }
}

void TCustomLabel::SetShowAccelChar(bool showAccelChar) {
    if (showAccelChar_ != showAccelChar) {
        showAccelChar_ = showAccelChar;
        Invalidate();
    }
}

std::string TCustomLabel::DrawnText() const {
    if (caption_.empty() || (showAccelChar_ && caption_ == "&")) {
        return caption_ + " ";
    }
    return caption_;
}

void TCustomLabel::AdjustSize() {
    if (!AutoSize() || Host() == nullptr) {
        return;
    }
    TextFormat format = kDtCalcRect | kDtExpandTabs;
    if (wordWrap_) {
        format |= kDtWordBreak;
    }
    if (!showAccelChar_) {
        format |= kDtNoPrefix;
    }
    const auto canvas = Host()->CreateMeasureCanvas();
    if (canvas == nullptr) {
        return;
    }
    canvas->SetFont(font_);
    TRect measured = ClientRect();
    canvas->DrawTextRect(DrawnText(), measured, format);
    int left = Left();
    if (alignment_ == TAlignment::taRightJustify) {
        left += Width() - measured.right;
    }
    SetBounds(left, Top(), measured.right, measured.bottom);
}

}  // namespace vesk
