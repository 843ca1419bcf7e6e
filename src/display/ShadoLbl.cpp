#include "display/ShadoLbl.h"

#include <cstring>
#include <memory>
#include <string>

#include "common/AnsiText.h"

namespace vesk {

namespace {

// Rows of the small gradient strip that is stretched over a label without an off-screen
// bitmap: about a twentieth of the height.
constexpr int kStripHeightDivisor = 20;
constexpr std::string_view kLineBreak = "\r\n";

std::uint8_t GradientComponent(std::uint8_t start, std::uint8_t end, double t) {
    const auto difference = static_cast<std::int16_t>(end - start);
    return static_cast<std::uint8_t>(static_cast<int>(start + difference * t));
}

void WritePixel(std::uint8_t* pixel, Color rgb) {
    pixel[0] = BlueOf(rgb);
    pixel[1] = GreenOf(rgb);
    pixel[2] = RedOf(rgb);
}

// Draws one run from left to right on one row, starting at the running left edge.
void DrawRun(TCanvas& surface, const TextRun& run, const TRect& textRect, int& left,
             TextFormat format) {
    const Color start = surface.ToRgb(run.start);
    const Color end = surface.ToRgb(run.end);
    const auto count = static_cast<int>(CountChars(run.text));
    if (count == 1) {
        surface.SetTextColor(start);
        TRect rect{left, textRect.top, textRect.right, textRect.bottom};
        surface.DrawTextRect(run.text, rect, format);
        left += surface.TextWidth(run.text);
        return;
    }
    const int overhang = surface.TextOverhang();
    int index = 0;
    for (std::size_t pos = 0; pos < run.text.size(); ++index) {
        const std::string_view character = run.text.substr(pos, CharSize(run.text, pos));
        pos += character.size();
        surface.SetTextColor(GradientColor(start, end, index, count));
        const int right = left + surface.TextWidth(character) - overhang;
        TRect rect{left, textRect.top, right, textRect.bottom};
        surface.DrawTextRect(character, rect, format);
        left = right;
    }
}

}  // namespace

void TShadow::SetVisible(bool visible) {
    if (visible_ != visible) {
        visible_ = visible;
        Changed();
    }
}

void TShadow::SetColor(vesk::Color color) {
    if (color_ != color) {
        color_ = color;
        Changed();
    }
}

void TShadow::SetOffsetLeft(std::int32_t offsetLeft) {
    if (offsetLeft_ != offsetLeft) {
        offsetLeft_ = offsetLeft;
        Changed();
    }
}

void TShadow::SetOffsetTop(std::int32_t offsetTop) {
    if (offsetTop_ != offsetTop) {
        offsetTop_ = offsetTop;
        Changed();
    }
}

void TShadow::Assign(const TShadow& source) {
    visible_ = source.visible_;
    color_ = source.color_;
    offsetLeft_ = source.offsetLeft_;
    offsetTop_ = source.offsetTop_;
    Changed();
}

void TShadow::Changed() {
    if (OnChange) {
        OnChange(*this);
    }
}

TShadowLabel::TShadowLabel() {
    highlight_.SetColor(kClWhite);
    highlight_.SetOffsetLeft(-1);
    highlight_.SetOffsetTop(-1);
    shadow_.OnChange = [this](TShadow&) { Invalidate(); };
    highlight_.OnChange = [this](TShadow&) { Invalidate(); };
}

void TShadowLabel::SetEllipsis(TEllipsis ellipsis) {
    if (ellipsis_ != ellipsis) {
        ellipsis_ = ellipsis;
        Invalidate();
    }
}

void TShadowLabel::SetFlickerless(bool flickerless) {
    flickerless_ = flickerless;
}

void TShadowLabel::SetGradateVert(bool gradateVert) {
    if (gradateVert_ != gradateVert) {
        gradateVert_ = gradateVert;
        Invalidate();
    }
}

void TShadowLabel::SetGradation(bool gradation) {
    if (gradation_ != gradation) {
        gradation_ = gradation;
        Invalidate();
    }
}

void TShadowLabel::SetGradationColor(vesk::Color color) {
    if (gradationColor_ != color) {
        gradationColor_ = color;
        Invalidate();
    }
}

void TShadowLabel::SetHighlight(const TShadow* highlight) {
    if (highlight != nullptr) {
        highlight_.Assign(*highlight);
    }
}

void TShadowLabel::SetShadow(const TShadow* shadow) {
    if (shadow != nullptr) {
        shadow_.Assign(*shadow);
    }
}

void TShadowLabel::SetTextGradation(TTextGradation gradation) {
    if (textGradation_ != gradation) {
        textGradation_ = gradation;
        Invalidate();
    }
}

void TShadowLabel::SetTextGradationColor(vesk::Color color) {
    if (textGradationColor_ != color) {
        textGradationColor_ = color;
        if (textGradation_ != TTextGradation::tgNone) {
            Invalidate();
        }
    }
}

void TShadowLabel::SetTextMidColor(vesk::Color color) {
    if (textMidColor_ != color) {
        textMidColor_ = color;
        if (textGradation_ == TTextGradation::tg3Colors) {
            Invalidate();
        }
    }
}

void TShadowLabel::SetLitRange(TextRange range) {
    if (litRange_ != range) {
        litRange_ = range;
        Invalidate();
    }
}

void TShadowLabel::SetLitColor(vesk::Color color) {
    if (litColor_ != color) {
        litColor_ = color;
        if (!litRange_.Empty()) {
            Invalidate();
        }
    }
}

void TShadowLabel::Paint(TCanvas& canvas) {
    const std::string text = DrawnText();
    const TextFormat format = LabelTextFormat(Alignment(), WordWrap(), ShowAccelChar(), ellipsis_);
    const TRect client = ClientRect();

    std::unique_ptr<TBitmapCanvas> offscreen;
    if (flickerless_ && !Transparent()) {
        offscreen = canvas.CreateBitmap(client.Width(), client.Height());
    }
    TCanvas& surface = offscreen != nullptr ? *offscreen : canvas;
    if (!Transparent()) {
        PaintBackground(canvas, surface, offscreen.get());
    }

    surface.SetFont(Font());
    TRect measured = client;
    surface.DrawTextRect(text, measured, format | kDtCalcRect);
    const int textHeight = measured.Height();
    TRect textRect = client;
    if (Layout() == TTextLayout::tlCenter) {
        textRect = textRect.Moved(0, (Height() - textHeight) / 2);
    } else if (Layout() == TTextLayout::tlBottom) {
        textRect = textRect.Moved(0, Height() - textHeight);
    }

    const bool enabled = Enabled();
    if (shadow_.Visible()) {
        surface.SetTextColor(enabled ? shadow_.Color() : kClGray);
        TRect rect = textRect.Moved(shadow_.OffsetLeft(), shadow_.OffsetTop());
        surface.DrawTextRect(text, rect, format);
    }
    if (highlight_.Visible()) {
        surface.SetTextColor(enabled ? highlight_.Color() : kClBtnHighlight);
        TRect rect = textRect.Moved(highlight_.OffsetLeft(), highlight_.OffsetTop());
        surface.DrawTextRect(text, rect, format);
    }
    PaintText(surface, text, textRect, format);

    if (offscreen != nullptr) {
        canvas.Draw(client.left, client.top, *offscreen);
    }
}

void TShadowLabel::PaintBackground(TCanvas& canvas, TCanvas& surface,
                                   TBitmapCanvas* offscreen) const {
    const TRect client = ClientRect();
    if (!gradation_) {
        surface.FillRect(client, Color());
        return;
    }
    if (offscreen != nullptr) {
        GradientFill(*offscreen, gradationColor_, Color(), gradateVert_);
        return;
    }
    // Without an off-screen bitmap a small strip of the gradient is stretched over the label.
    const int stripWidth = gradateVert_ ? 1 : client.Width();
    const int stripHeight =
        gradateVert_ ? client.Height() : client.Height() / kStripHeightDivisor + 1;
    const auto strip = canvas.CreateBitmap(stripWidth, stripHeight);
    if (strip == nullptr) {
        surface.FillRect(client, Color());
        return;
    }
    GradientFill(*strip, gradationColor_, Color(), gradateVert_);
    surface.StretchDraw(client, *strip);
}

void TShadowLabel::PaintText(TCanvas& surface, std::string_view text, const TRect& textRect,
                             TextFormat format) const {
    if (PaintLitText(surface, text, textRect, format)) {
        return;
    }
    if (textGradation_ != TTextGradation::tgNone && CountChars(text) > 1) {
        int left = textRect.left;
        for (const TextRun& run : GradationRuns(text, textGradation_, Font().color, textMidColor_,
                                                textGradationColor_)) {
            DrawRun(surface, run, textRect, left, format);
        }
        return;
    }
    surface.SetTextColor(Enabled() ? Font().color : kClBtnShadow);
    TRect rect = textRect;
    surface.DrawTextRect(text, rect, format);
}

// The lines before the lit ones, the lit lines and the lines after them, each part drawn
// below the one before: lines break at the line breaks between the parts, so each part
// breaks its lines as the whole text does, and the parts stand where the whole would.
bool TShadowLabel::PaintLitText(TCanvas& surface, std::string_view text, const TRect& textRect,
                                TextFormat format) const {
    if (litRange_.Empty() || litRange_.end > text.size() || !Enabled() ||
        textGradation_ != TTextGradation::tgNone) {
        return false;
    }
    std::string before(text.substr(0, litRange_.begin));
    if (before.ends_with(kLineBreak)) {
        before.resize(before.size() - kLineBreak.size());
        if (before.empty() || before.back() == '\n') {
            before += ' ';  // a last empty line still takes its row
        }
    }
    std::string_view after = text.substr(litRange_.end);
    if (after.starts_with(kLineBreak)) {
        after.remove_prefix(kLineBreak.size());
    }
    const struct {
        std::string_view text;
        vesk::Color color;
    } parts[] = {{before, Font().color},
                 {text.substr(litRange_.begin, litRange_.end - litRange_.begin), litColor_},
                 {after, Font().color}};
    int top = textRect.top;
    for (const auto& part : parts) {
        if (part.text.empty()) {
            continue;
        }
        surface.SetTextColor(part.color);
        TRect rect{textRect.left, top, textRect.right, textRect.bottom};
        top += surface.DrawTextRect(part.text, rect, format);
    }
    return true;
}

TextFormat LabelTextFormat(TAlignment alignment, bool wordWrap, bool showAccelChar,
                           TEllipsis ellipsis) {
    TextFormat format = kDtExpandTabs;
    if (alignment == TAlignment::taRightJustify) {
        format |= kDtRight;
    } else if (alignment == TAlignment::taCenter) {
        format |= kDtCenter;
    }
    if (wordWrap) {
        format |= kDtWordBreak;
    }
    if (!showAccelChar) {
        format |= kDtNoPrefix;
    }
    if (ellipsis == TEllipsis::elEnd) {
        format |= kDtEndEllipsis;
    } else if (ellipsis == TEllipsis::elPath) {
        format |= kDtPathEllipsis;
    }
    return format;
}

std::vector<TextRun> GradationRuns(std::string_view text, TTextGradation gradation, Color fontColor,
                                   Color midColor, Color endColor) {
    const std::size_t count = CountChars(text);
    if (gradation == TTextGradation::tgNone || count < 2) {
        return {};
    }
    if (gradation == TTextGradation::tg2Colors || count == 2) {
        return {{text, fontColor, endColor}};
    }
    // The first run takes half of the bytes, and the whole of a character cut in two.
    std::size_t split = text.size() / 2;
    const std::size_t last = split - 1;
    if (IsCharStart(text, last) && CharSize(text, last) == 2) {
        ++split;
    }
    const std::string_view first = text.substr(0, split);
    const std::string_view rest = text.substr(split);
    const Color restStart = CountChars(rest) == 1 ? endColor : midColor;
    return {{first, fontColor, midColor}, {rest, restStart, endColor}};
}

Color GradientColor(Color start, Color end, int index, int count) {
    if (count <= 1) {
        return start;  // a single row or column would divide zero by zero
    }
    const double t = static_cast<double>(index) / (count - 1);
    return RgbColor(GradientComponent(RedOf(start), RedOf(end), t),
                    GradientComponent(GreenOf(start), GreenOf(end), t),
                    GradientComponent(BlueOf(start), BlueOf(end), t));
}

void GradientFill(TBitmapCanvas& bitmap, Color start, Color end, bool vertical) {
    start = bitmap.ToRgb(start);
    end = bitmap.ToRgb(end);
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    if (vertical) {
        for (int y = 0; y < height; ++y) {
            WritePixel(bitmap.Row(y), GradientColor(start, end, y, height));
        }
        if (width >= 2) {
            bitmap.StretchFirstColumn();
        }
        return;
    }
    std::uint8_t* first = bitmap.Row(0);
    for (int x = 0; x < width; ++x) {
        WritePixel(first + 3 * x, GradientColor(start, end, x, width));
    }
    for (int y = 1; y < height; ++y) {
        std::memcpy(bitmap.Row(y), first, static_cast<std::size_t>(width) * 3);
    }
}

}  // namespace vesk
