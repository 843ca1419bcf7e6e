// The shadow label painted by GDI into a 24-bit memory surface, its pixels read back.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestText.h"
#include "common/win32/WinHandles.h"
#include "display/ShadoLbl.h"
#include "display/win32/GdiCanvas.h"

namespace vesk {
namespace {

using test::Ansi;

constexpr Color kBlack = 0x00000000;
constexpr Color kRed = 0x000000FF;
constexpr Color kBlue = 0x00FF0000;
constexpr Color kGreen = 0x0000C000;

// A painted surface and its pixels.
class Surface {
public:
    Surface(int width, int height) {
        const WindowDc screen(nullptr);
        bitmap_ = TGdiBitmap::Create(screen.Get(), width, height);
    }
    TGdiBitmap& Canvas() { return *bitmap_; }
    int Width() const { return bitmap_->Width(); }
    int Height() const { return bitmap_->Height(); }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    Color At(int x, int y) {
        const std::uint8_t* p = bitmap_->Row(y) + 3 * x;
        return RgbColor(p[2], p[1], p[0]);
    }
    void Set(int x, int y, Color color) {
        std::uint8_t* p = bitmap_->Row(y) + 3 * x;
        p[0] = BlueOf(color);
        p[1] = GreenOf(color);
        p[2] = RedOf(color);
    }
    void Fill(Color color) { bitmap_->FillRect({0, 0, Width(), Height()}, color); }
    bool SameAs(Surface& other) {
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                if (At(x, y) != other.At(x, y)) {
                    return false;
                }
            }
        }
        return true;
    }
    int Count(Color color) {
        int count = 0;
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                count += At(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

private:
    std::unique_ptr<TGdiBitmap> bitmap_;
};

Font BigFont(Color color) {
    Font font = NewFont();
    font.size = 36;
    font.charset = kShiftJisCharset;
    font.color = color;
    return font;
}

// A label at (0, 0) of the surface's size, black "■" on white, no shadow layers.
void Prepare(TShadowLabel& label, int width, int height, std::string_view caption) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, width, height);
    label.SetFont(BigFont(kBlack));
    label.SetColor(kClWhite);
    label.SetCaption(caption);
    label.Shadow().SetVisible(false);
    label.Highlight().SetVisible(false);
}

// Where the text alone puts ink (any pixel not white) and full ink (black).
struct TextMask {
    std::vector<bool> ink;
    std::vector<bool> full;
    int width;
    int height;

    bool Ink(int x, int y) const { return Inside(x, y) && ink[y * width + x]; }
    bool Full(int x, int y) const { return Inside(x, y) && full[y * width + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

TextMask MaskOf(std::string_view caption, int width, int height) {
    TShadowLabel label;
    Prepare(label, width, height, caption);
    Surface surface(width, height);
    label.Paint(surface.Canvas());
    TextMask mask{{}, {}, width, height};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mask.ink.push_back(surface.At(x, y) != kClWhite);
            mask.full.push_back(surface.At(x, y) == kBlack);
        }
    }
    return mask;
}

struct Layer {
    int dx;
    int dy;
    Color color;
};

// Checks that each layer shows in its colour where its fully inked pixels are not covered
// by a layer above it; returns how many pixels of each layer were checked.
std::vector<int> ExpectLayers(Surface& surface, const TextMask& mask, const Layer& shadow,
                              const Layer& highlight, Color text) {
    std::vector<int> checked(3, 0);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const bool textInk = mask.Ink(x, y);
            const bool highlightInk = mask.Ink(x - highlight.dx, y - highlight.dy);
            if (mask.Full(x, y)) {
                ++checked[2];
                EXPECT_EQ(surface.At(x, y), text) << "text at " << x << "," << y;
            } else if (!textInk && mask.Full(x - highlight.dx, y - highlight.dy)) {
                ++checked[1];
                EXPECT_EQ(surface.At(x, y), highlight.color) << "highlight at " << x << "," << y;
            } else if (!textInk && !highlightInk && mask.Full(x - shadow.dx, y - shadow.dy)) {
                ++checked[0];
                EXPECT_EQ(surface.At(x, y), shadow.color) << "shadow at " << x << "," << y;
            }
        }
    }
    return checked;
}

TEST(ShadowLabelPixels, ShadowAndHighlightAtTheirOffsets) {
    const std::string text = Ansi("■");
    const TextMask mask = MaskOf(text, 120, 80);
    for (const bool flickerless : {true, false}) {
        TShadowLabel label;
        Prepare(label, 120, 80, text);
        label.SetFlickerless(flickerless);
        label.Shadow().SetVisible(true);
        label.Shadow().SetColor(kRed);
        label.Shadow().SetOffsetLeft(6);
        label.Shadow().SetOffsetTop(4);
        label.Highlight().SetVisible(true);
        label.Highlight().SetColor(kBlue);
        label.Highlight().SetOffsetLeft(-5);
        label.Highlight().SetOffsetTop(-3);
        Surface surface(120, 80);
        label.Paint(surface.Canvas());
        const std::vector<int> checked =
            ExpectLayers(surface, mask, {6, 4, kRed}, {-5, -3, kBlue}, kBlack);
        EXPECT_GT(checked[0], 20) << "shadow pixels";
        EXPECT_GT(checked[1], 20) << "highlight pixels";
        EXPECT_GT(checked[2], 100) << "text pixels";
        EXPECT_EQ(surface.At(119, 79), kClWhite);
    }
}

TEST(ShadowLabelPixels, DisabledUsesTheSystemColours) {
    const std::string text = Ansi("■");
    const TextMask mask = MaskOf(text, 120, 80);
    TShadowLabel label;
    Prepare(label, 120, 80, text);
    label.SetColor(kBlack);
    label.Shadow().SetVisible(true);
    label.Shadow().SetOffsetLeft(7);
    label.Shadow().SetOffsetTop(7);
    label.Highlight().SetVisible(true);
    label.Highlight().SetOffsetLeft(-7);
    label.Highlight().SetOffsetTop(-7);
    label.SetEnabled(false);
    Surface surface(120, 80);
    label.Paint(surface.Canvas());
    const Color buttonShadow = GetSysColor(COLOR_BTNSHADOW);
    const Color buttonHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(buttonShadow, kBlack);
    ASSERT_NE(buttonHighlight, kBlack);
    const std::vector<int> checked =
        ExpectLayers(surface, mask, {7, 7, kClGray}, {-7, -7, buttonHighlight}, buttonShadow);
    EXPECT_GT(checked[0], 20);
    EXPECT_GT(checked[1], 20);
    EXPECT_GT(checked[2], 100);
}

TEST(ShadowLabelPixels, TransparentLeavesTheSurfaceAlone) {
    const std::string text = Ansi("■");
    const TextMask mask = MaskOf(text, 120, 80);
    Surface surface(120, 80);
    const auto pattern = [](int x, int y) { return (x + y) % 2 == 0 ? 0x00336699u : 0x00996633u; };
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            surface.Set(x, y, pattern(x, y));
        }
    }
    TShadowLabel label;
    Prepare(label, 120, 80, text);
    label.SetColor(kGreen);
    label.SetTransparent(true);
    label.SetGradation(true);  // neither the gradient nor the off-screen bitmap applies
    label.SetFlickerless(true);
    label.Paint(surface.Canvas());
    int untouched = 0;
    int textPixels = 0;
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (mask.Full(x, y)) {
                ++textPixels;
                EXPECT_EQ(surface.At(x, y), kBlack) << x << "," << y;
            } else if (!mask.Ink(x, y)) {
                ++untouched;
                ASSERT_EQ(surface.At(x, y), pattern(x, y)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(textPixels, 100);
    EXPECT_GT(untouched, 120 * 80 / 2);
}

TEST(ShadowLabelPixels, GradientEndsAtTheFirstAndLastRowOrColumn) {
    constexpr Color kStart = 0x000080FF;
    constexpr Color kEnd = 0x00FF8000;
    constexpr int kWidth = 64;
    constexpr int kHeight = 45;
    for (const bool flickerless : {true, false}) {
        for (const bool vertical : {true, false}) {
            TShadowLabel label;
            Prepare(label, kWidth, kHeight, "");
            label.SetGradation(true);
            label.SetGradationColor(kStart);
            label.SetColor(kEnd);
            label.SetGradateVert(vertical);
            label.SetFlickerless(flickerless);
            Surface surface(kWidth, kHeight);
            surface.Fill(kBlack);
            label.Paint(surface.Canvas());
            const std::string what = std::string(flickerless ? "off screen, " : "stretched, ") +
                                     (vertical ? "vertical" : "horizontal");
            const int steps = vertical ? kHeight : kWidth;
            for (int i = 0; i < (vertical ? kWidth : kHeight); ++i) {
                const auto at = [&](int along) {
                    return vertical ? surface.At(i, along) : surface.At(along, i);
                };
                ASSERT_EQ(at(0), kStart) << what << " " << i;
                ASSERT_EQ(at(steps - 1), kEnd) << what << " " << i;
                ASSERT_EQ(at(steps / 2), GradientColor(kStart, kEnd, steps / 2, steps))
                    << what << " " << i;
            }
        }
    }
}

TEST(ShadowLabelPixels, TwoColourGradationFromFontColourToEndColour) {
    const std::string square = Ansi("■");
    const std::string text = square + square + square;
    const TextMask mask = MaskOf(text, 220, 80);
    TShadowLabel label;
    Prepare(label, 220, 80, text);
    Font font = label.Font();
    font.color = kRed;
    label.SetFont(font);
    label.SetTextGradation(TTextGradation::tg2Colors);
    label.SetTextGradationColor(kBlue);
    Surface surface(220, 80);
    label.Paint(surface.Canvas());

    // Character boxes: each as wide as the character less the overhang, from the left edge.
    TGdiBitmap& canvas = surface.Canvas();
    canvas.SetFont(label.Font());
    const int step = canvas.TextWidth(square) - canvas.TextOverhang();
    int top = -1, bottom = -1;
    for (int y = 0; y < 80; ++y) {
        if (mask.Full(step / 2, y)) {
            bottom = y;
            top = top < 0 ? y : top;
        }
    }
    ASSERT_GE(top, 0) << "no ink in the first character";
    const int middle = (top + bottom) / 2;
    EXPECT_EQ(surface.At(step / 2, middle), kRed) << "first character";
    EXPECT_EQ(surface.At(step + step / 2, middle), GradientColor(kRed, kBlue, 1, 3));
    EXPECT_EQ(surface.At(2 * step + step / 2, middle), kBlue) << "last character";
}

TEST(ShadowLabelPixels, EndEllipsisShortensALongLine) {
    const std::string text = "abcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kWidth = 120;
    constexpr int kHeight = 30;
    Font font = NewFont();
    font.size = 12;

    // What DrawText makes of the line: the label must draw exactly that.
    Surface probe(kWidth, kHeight);
    const FontHandle gdiFont = CreateGdiFont(probe.Canvas().Handle(), font);
    std::string shortened = text + std::string(8, '\0');
    {
        const SelectionScope selected(probe.Canvas().Handle(), gdiFont.Get());
        RECT rect{0, 0, kWidth, kHeight};
        DrawTextA(probe.Canvas().Handle(), shortened.data(), static_cast<int>(text.size()), &rect,
                  DT_EXPANDTABS | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    }
    shortened.resize(shortened.find('\0'));
    ASSERT_LT(shortened.size(), text.size());
    ASSERT_EQ(shortened.substr(shortened.size() - 3), "...");

    const auto paint = [&](std::string_view caption, TEllipsis ellipsis, Surface& surface) {
        TShadowLabel label;
        Prepare(label, kWidth, kHeight, caption);
        label.SetFont(font);
        label.SetEllipsis(ellipsis);
        label.Paint(surface.Canvas());
    };
    Surface withEllipsis(kWidth, kHeight), asShortened(kWidth, kHeight), clipped(kWidth, kHeight);
    paint(text, TEllipsis::elEnd, withEllipsis);
    paint(shortened, TEllipsis::elNone, asShortened);
    paint(text, TEllipsis::elNone, clipped);
    EXPECT_TRUE(withEllipsis.SameAs(asShortened));
    EXPECT_FALSE(withEllipsis.SameAs(clipped));
}

TEST(ShadowLabelPixels, JapaneseTextHasGlyphs) {
    // Two different kanji drawn as missing-glyph boxes would look the same.
    Surface first(80, 60), second(80, 60);
    for (auto [caption, surface] :
         {std::pair{Ansi("歌"), &first}, std::pair{Ansi("詞"), &second}}) {
        TShadowLabel label;
        Prepare(label, 80, 60, caption);
        label.SetFont(BigFont(kBlack));
        label.Paint(surface->Canvas());
        EXPECT_GT(80 * 60 - surface->Count(kClWhite), 100) << test::Utf8(caption);
    }
    EXPECT_FALSE(first.SameAs(second));

    // And the face is the Japanese one the name stands for.
    TGdiBitmap& canvas = first.Canvas();
    canvas.SetFont(NewFont());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(canvas.Handle(), LF_FACESIZE, face);
    TEXTMETRICA metrics{};
    GetTextMetricsA(canvas.Handle(), &metrics);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET) << "face " << test::Utf8(face);
}

TEST(GdiBitmap, FillStaysInsideTheRectangleAndTheBitmap) {
    Surface surface(10, 8);
    surface.Fill(kBlack);
    surface.Canvas().FillRect({-5, -5, 3, 4}, kRed);
    surface.Canvas().FillRect({8, 6, 20, 20}, kClBtnFace);
    surface.Canvas().FillRect({5, 5, 5, 8}, kBlue);  // empty
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            const Color expected = x < 3 && y < 4     ? kRed
                                   : x >= 8 && y >= 6 ? GetSysColor(COLOR_BTNFACE)
                                                      : kBlack;
            ASSERT_EQ(surface.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(GdiBitmap, PooledSurfacesAreReusedAndRepaintedWhole) {
    TDibSurfacePool pool;
    const WindowDc screen(nullptr);
    std::uint8_t* first = nullptr;
    {
        const auto bitmap = TGdiBitmap::Create(screen.Get(), 30, 20, &pool);
        first = bitmap->Row(0);
    }
    {
        const auto again = TGdiBitmap::Create(screen.Get(), 30, 20, &pool);
        EXPECT_EQ(again->Row(0), first) << "the kept surface of that size";
        const auto other = TGdiBitmap::Create(screen.Get(), 31, 20, &pool);
        EXPECT_NE(other->Row(0), first);
    }

    // A label painted off screen on a surface another label left behind.
    Surface gradient(60, 40), plain(60, 40);
    TShadowLabel firstLabel, secondLabel;
    Prepare(firstLabel, 60, 40, "");
    firstLabel.SetGradation(true);
    firstLabel.SetColor(kRed);
    Prepare(secondLabel, 60, 40, "");
    secondLabel.SetColor(kGreen);
    {
        TGdiCanvas canvas(gradient.Canvas().Handle(), &pool);
        firstLabel.Paint(canvas);
    }
    {
        TGdiCanvas canvas(plain.Canvas().Handle(), &pool);
        secondLabel.Paint(canvas);
    }
    EXPECT_EQ(gradient.At(59, 0), kRed);
    EXPECT_EQ(plain.Count(kGreen), 60 * 40);
}

}  // namespace
}  // namespace vesk
