#include "display/LyricsFormRules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FakeCanvas.h"

namespace vesk {
namespace {

using test::FakeHost;
using test::kCharWidth;
using test::kLineHeight;
using testing::ElementsAre;

TEST(LyricsHitTest, ZonesInTheirOrderAtTheirBorders) {
    constexpr int kW = 280;
    constexpr int kH = 159;
    constexpr int kDefault = kHtClient;
    struct Row {
        int x;
        int y;
        int result;
    };
    const Row rows[] = {
        {0, 0, kHtTopLeft},
        {4, 9, kHtTopLeft},
        {5, 9, kHtLeft},  // the top-left corner is only 5 wide: the left edge takes over
        {9, 9, kHtLeft},
        {4, 10, kHtLeft},
        {10, 9, kHtTop},
        {270, 9, kHtTop},
        {271, 9, kHtTopRight},
        {279, 0, kHtTopRight},
        {271, 10, kHtRight},
        {9, 150, kHtBottomLeft},
        {0, 158, kHtBottomLeft},
        {9, 149, kHtLeft},
        {10, 150, kHtBottom},
        {270, 150, kHtBottom},
        {271, 150, kHtBottomRight},
        {279, 158, kHtBottomRight},
        {271, 149, kHtRight},
        {10, 10, kDefault},
        {270, 149, kDefault},
        {140, 80, kDefault},
        {-3, 80, kHtLeft},  // outside: the zones still decide
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LyricsHitTest(row.x, row.y, kW, kH, kDefault), row.result)
            << "at " << row.x << "," << row.y;
    }
    // A small window: the zones overlap and the order decides.
    EXPECT_EQ(LyricsHitTest(12, 8, 20, 20, kDefault), kHtTopRight);
    EXPECT_EQ(LyricsHitTest(8, 12, 20, 20, kDefault), kHtBottomLeft);
}

TEST(LyricsFormRules, SizeLimitsKeepTheTopLeftCorner) {
    EXPECT_EQ(ConstrainedBounds({5, 6, 55, 16}), (TRect{5, 6, 105, 26}));
    EXPECT_EQ(ConstrainedBounds({-50, -60, 250, 100}), (TRect{-50, -60, 250, 100}));
    EXPECT_EQ(ConstrainedBounds({0, 0, -10, -10}), (TRect{0, 0, 100, 20}));
}

// The margins, the corner zone, the least size and the shadow offsets are sizes at 96 DPI.
TEST(LyricsFormRules, SizesFollowTheWindowsDpi) {
    struct Row {
        int dpi;
        int margin;
        int corner;
        TRect least;
        int offset;  // of 1 and -3 at 96 DPI
        int offset3;
    };
    const Row rows[] = {
        {96, 10, 5, {0, 0, 100, 20}, 1, -3},
        {144, 15, 8, {0, 0, 150, 30}, 2, -5},  // 7.5, 1.5 and -4.5 away from zero
        {120, 13, 6, {0, 0, 125, 25}, 1, -4},  // 12.5, 6.25, 1.25, -3.75
    };
    for (const Row& row : rows) {
        const DpiScale scale(row.dpi);
        const int w = 3 * row.least.right;
        const int h = 3 * row.least.bottom;
        const auto at = [&](int x, int y) { return LyricsHitTest(x, y, w, h, kHtClient, scale); };
        EXPECT_EQ(at(row.corner - 1, row.margin - 1), kHtTopLeft) << row.dpi;
        EXPECT_EQ(at(row.corner, row.margin - 1), kHtLeft) << row.dpi;
        EXPECT_EQ(at(row.margin, row.margin - 1), kHtTop) << row.dpi;
        EXPECT_EQ(at(row.margin, row.margin), kHtClient) << row.dpi;
        EXPECT_EQ(at(w - row.margin, h - row.margin), kHtClient) << row.dpi;
        EXPECT_EQ(at(w - row.margin + 1, h - row.margin + 1), kHtBottomRight) << row.dpi;
        EXPECT_EQ(ConstrainedBounds({0, 0, 1, 1}, scale), row.least) << row.dpi;
        EXPECT_EQ(ScaledLayers({1, -3, true, false}, scale),
                  (ShadowLayers{row.offset, row.offset3, true, false}))
            << row.dpi;
    }
}

TEST(LyricsFormRules, ColourEqualToTheBackgroundIsNudgedByOne) {
    struct Row {
        Color color;
        Color background;
        Color result;
    };
    const Row rows[] = {
        {kClWhite, kClWhite, 0x00FFFFFE},
        {0x000000FF, 0x000000FF, 0x00000100},  // the 32-bit value plus one: red 255 becomes green 1
        {kClBlack, kClBlack, 0x00000001},
        {kClWindowText, kClWindowText, kClWindowText + 1},
        {kClWhite, kClBlack, kClWhite},
        {kClWindowText, 0x00000000, kClWindowText},  // compared as stored, not resolved
    };
    for (const Row& row : rows) {
        EXPECT_EQ(NudgedColor(row.color, row.background), row.result) << test::Hex(row.color);
    }
}

TEST(LyricsFormRules, AlignmentSetting) {
    EXPECT_EQ(AlignmentOfSetting(0), TAlignment::taLeftJustify);
    EXPECT_EQ(AlignmentOfSetting(1), TAlignment::taCenter);
    EXPECT_EQ(AlignmentOfSetting(2), TAlignment::taRightJustify);
    EXPECT_EQ(AlignmentOfSetting(3), std::nullopt);
    EXPECT_EQ(AlignmentOfSetting(-1), std::nullopt);
}

TEST(LyricsFormRules, HighlightIsTheShadowsMirrorImage) {
    struct Row {
        std::int32_t left;
        std::int32_t top;
        bool highlight;
        bool shadowVisible;
        bool highlightVisible;
        std::int32_t highlightLeft;
        std::int32_t highlightTop;
    };
    const Row rows[] = {
        {0, 0, true, false, false, -1, -1},  // no offsets: neither layer, whatever was asked
        {2, 2, true, true, true, -2, -2},
        {3, -1, false, true, false, -3, 1},
        {0, 4, true, true, true, 0, -4},
    };
    for (const Row& row : rows) {
        TShadowLabel label;
        ApplyShadowSettings(label, 0x00123456, row.left, row.top, row.highlight);
        const TShadow& shadow = label.Shadow();
        const TShadow& highlight = label.Highlight();
        EXPECT_EQ(shadow.Visible(), row.shadowVisible) << row.left << "," << row.top;
        EXPECT_EQ(shadow.OffsetLeft(), row.left);
        EXPECT_EQ(shadow.OffsetTop(), row.top);
        EXPECT_EQ(shadow.Color(), 0x00123456u);
        EXPECT_EQ(highlight.Visible(), row.highlightVisible) << row.left << "," << row.top;
        EXPECT_EQ(highlight.OffsetLeft(), row.highlightLeft);
        EXPECT_EQ(highlight.OffsetTop(), row.highlightTop);
        if (row.shadowVisible) {
            EXPECT_EQ(highlight.Color(), 0x00123456u);
        }
    }
}

TEST(LyricsFormRules, HandEditedOffsetsAreClamped) {
    TShadowLabel label;
    ApplyShadowSettings(label, 0, INT32_MIN, INT32_MAX, true);
    EXPECT_EQ(label.Shadow().OffsetLeft(), -kCoordinateLimit);
    EXPECT_EQ(label.Shadow().OffsetTop(), kCoordinateLimit);
    EXPECT_EQ(label.Highlight().OffsetLeft(), kCoordinateLimit);
    EXPECT_EQ(label.Highlight().OffsetTop(), -kCoordinateLimit);
    EXPECT_EQ(ClampedCoordinate(-5), -5);
    EXPECT_EQ(ClampedCoordinate(kCoordinateLimit + 1), kCoordinateLimit);
}

TEST(LyricsFormRules, LayeredOnlyWhileAlphaOrColourKey) {
    EXPECT_EQ(LayeredRuleOf(false, false), (LayeredRule{false, 0}));
    EXPECT_EQ(LayeredRuleOf(true, false), (LayeredRule{true, kLwaAlpha}));
    EXPECT_EQ(LayeredRuleOf(false, true), (LayeredRule{true, kLwaColorKey}));
    EXPECT_EQ(LayeredRuleOf(true, true), (LayeredRule{true, kLwaAlpha | kLwaColorKey}));
}

TEST(LyricsFormRules, ZOrderModes) {
    EXPECT_EQ(ApplyZOrderPlace(0), ZOrderPlace::kNoTopMost);
    EXPECT_EQ(ApplyZOrderPlace(1), ZOrderPlace::kTopMost);
    EXPECT_EQ(ApplyZOrderPlace(2), ZOrderPlace::kBottom);
    EXPECT_EQ(ApplyZOrderPlace(3), ZOrderPlace::kNone);
    EXPECT_EQ(ApplyZOrderPlace(-1), ZOrderPlace::kNone);

    EXPECT_EQ(ForcedInsertAfter(0), ZOrderPlace::kNone);
    EXPECT_EQ(ForcedInsertAfter(1), ZOrderPlace::kTopMost);
    EXPECT_EQ(ForcedInsertAfter(2), ZOrderPlace::kBottom);
    EXPECT_EQ(ForcedInsertAfter(3), ZOrderPlace::kNone);

    EXPECT_EQ(ToggledTopMost(0), 1);
    EXPECT_EQ(ToggledTopMost(1), 0);
    EXPECT_EQ(ToggledTopMost(2), 1);
    EXPECT_EQ(ToggledTopMost(3), 1);
    EXPECT_EQ(ToggledBottom(0), 2);
    EXPECT_EQ(ToggledBottom(1), 2);
    EXPECT_EQ(ToggledBottom(2), 0);
    EXPECT_EQ(ToggledBottom(7), 2);
}

TEST(TDragTracker, LeftButtonDragsUnlessFixed) {
    TDragTracker drag;
    EXPECT_EQ(drag.MouseMove(5, 5), std::nullopt);

    drag.MouseDown(true, TMouseButton::mbLeft, 10, 10);
    EXPECT_FALSE(drag.Dragging());
    drag.MouseDown(false, TMouseButton::mbRight, 10, 10);
    EXPECT_FALSE(drag.Dragging());

    drag.MouseDown(false, TMouseButton::mbLeft, 40, 30);
    ASSERT_TRUE(drag.Dragging());
    const auto offset = drag.MouseMove(55, 20);
    ASSERT_TRUE(offset);
    EXPECT_EQ(offset->dx, 15);
    EXPECT_EQ(offset->dy, -10);
    drag.MouseUp();
    EXPECT_EQ(drag.MouseMove(60, 60), std::nullopt);
}

TEST(FadeOutAlphas, TwentyDownToZero) {
    const std::vector<std::uint8_t> from255 = FadeOutAlphas(255);
    ASSERT_EQ(from255.size(), 13u);
    EXPECT_EQ(from255.front(), 235);
    EXPECT_EQ(from255[11], 15);
    EXPECT_EQ(from255.back(), 0);
    EXPECT_THAT(FadeOutAlphas(100), ElementsAre(80, 60, 40, 20, 0));
    EXPECT_THAT(FadeOutAlphas(20), ElementsAre(0));
    EXPECT_THAT(FadeOutAlphas(7), ElementsAre(0));
    EXPECT_TRUE(FadeOutAlphas(0).empty());
}

// Records what showing a text does to the window; each hook may call back in.
class RecordingTarget : public LyricsFadeTarget {
public:
    bool alphaBlend = false;
    std::uint8_t alphaValue = 255;
    std::vector<std::string> log;
    std::function<void(int step)> onWait;
    std::function<void(const std::string&)> onShow;

    bool AlphaBlend() const override { return alphaBlend; }
    std::uint8_t AlphaBlendValue() const override { return alphaValue; }
    void SetAlphaBlend(bool on) override {
        alphaBlend = on;
        log.push_back(on ? "blend on" : "blend off");
    }
    void SetAlphaBlendValue(std::uint8_t value) override {
        alphaValue = value;
        log.push_back(std::to_string(value));
    }
    void WaitFadeStep() override {
        log.push_back("wait");
        if (onWait) {
            onWait(waits++);
        }
    }
    void SetTextAndFit(const std::string& text) override {
        log.push_back("show " + text);
        if (onShow) {
            onShow(text);
        }
    }

private:
    int waits = 0;
};

TEST(TLyricsFader, WithoutFadingTheTextIsShownAtOnce) {
    RecordingTarget target;
    TLyricsFader fader;
    fader.ShowLyrics(target, false, "a");
    EXPECT_THAT(target.log, ElementsAre("show a"));
}

TEST(TLyricsFader, FadesOutChangesTheTextAndRestoresTheAlphaBlending) {
    RecordingTarget target;
    target.alphaBlend = true;
    target.alphaValue = 100;
    TLyricsFader fader;
    fader.ShowLyrics(target, true, "a");
    EXPECT_THAT(target.log, ElementsAre("blend on", "80", "wait", "60", "wait", "40", "wait", "20",
                                        "wait", "0", "wait", "show a", "blend on", "100"));
    EXPECT_FALSE(fader.Fading());
}

TEST(TLyricsFader, WithAlphaBlendingOffTheFadeStartsAt255AndEndsOff) {
    RecordingTarget target;
    target.alphaValue = 128;
    TLyricsFader fader;
    fader.ShowLyrics(target, true, "a");
    std::vector<std::string> expected{"blend on"};
    for (int value = 235; value > 0; value -= 20) {
        expected.push_back(std::to_string(value));
        expected.push_back("wait");
    }
    for (const char* last : {"0", "wait", "show a", "blend off", "128"}) {
        expected.push_back(last);
    }
    EXPECT_EQ(target.log, expected);
    EXPECT_FALSE(target.alphaBlend);
    EXPECT_EQ(target.alphaValue, 128);
}

TEST(TLyricsFader, ATextDuringTheFadeStartsNoSecondFade) {
    RecordingTarget target;
    TLyricsFader fader;
    target.onWait = [&](int step) {
        if (step == 2) {
            EXPECT_TRUE(fader.Fading());
            fader.ShowLyrics(target, true, "newer");
        }
    };
    fader.ShowLyrics(target, true, "older");
    const auto count = [&](const std::string& line) {
        return std::count(target.log.begin(), target.log.end(), line);
    };
    EXPECT_EQ(count("wait"), 13);
    EXPECT_EQ(count("blend on"), 1);
    EXPECT_EQ(count("show older"), 0);
    EXPECT_EQ(count("show newer"), 1);
    EXPECT_EQ(target.log.back(), "255");
    EXPECT_FALSE(fader.Fading());
}

TEST(TLyricsFader, ATextWhileTheFadedOneIsFittedFollowsIt) {
    RecordingTarget target;
    TLyricsFader fader;
    target.onShow = [&](const std::string& text) {
        if (text == "first") {
            fader.ShowLyrics(target, true, "second");
        }
    };
    fader.ShowLyrics(target, true, "first");
    const std::vector<std::string> tail(target.log.end() - 4, target.log.end());
    EXPECT_THAT(tail, ElementsAre("show first", "show second", "blend off", "255"));
    // The next text fades again.
    target.log.clear();
    fader.ShowLyrics(target, true, "third");
    EXPECT_EQ(target.log.front(), "blend on");
}

// A frame on the fake host: the window's client area is its bounds' size.
class FakeFrame : public LyricsFrame {
public:
    FakeFrame(FakeHost& host, TRect bounds) : host_(host), bounds_(bounds) {
        host_.Resize(bounds.Width(), bounds.Height());
    }
    TRect Bounds() const override { return bounds_; }
    void SetBounds(const TRect& bounds) override {
        bounds_ = ConstrainedBounds(bounds);
        host_.Resize(bounds_.Width(), bounds_.Height());
        ++sets;
    }
    int sets = 0;

private:
    FakeHost& host_;
    TRect bounds_;
};

// The lyrics window's label as created: margins of 10, anchored to all sides, word wrap.
class FitTest : public testing::Test {
protected:
    void SetUp() override {
        label.SetAutoSize(false);
        label.SetWordWrap(true);
        label.SetBounds(10, 10, 260, 139);
        host.Add(label);
        label.SetAnchors(kAnchorsAll);
    }
    TRect Fit(const std::string& text, FitOptions options) {
        label.SetCaption(text);
        FitLabelToText(label, frame, options);
        return frame.Bounds();
    }

    FakeHost host{280, 159};
    FakeFrame frame{host, {205, 528, 485, 687}};
    TShadowLabel label;
};

TEST_F(FitTest, WidthKeptHeightFollowsTheText) {
    const std::string line(20, 'a');  // 160 pixels: fits the label's 260
    EXPECT_EQ(Fit(line + "\r\n" + line, {}), (TRect{205, 528, 485, 528 + 2 * kLineHeight + 20}));
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 270, 10 + 2 * kLineHeight}));
    // A line too long for the label wraps at its width.
    EXPECT_EQ(Fit(std::string(40, 'b'), {}).Height(), 2 * kLineHeight + 20);
    EXPECT_EQ(label.Width(), 260);
}

TEST_F(FitTest, ChangeWidthTakesTheLongestLineAndTheSizeLimit) {
    FitOptions options;
    options.changeWidth = true;
    EXPECT_EQ(Fit(std::string(30, 'a') + "\r\n" + "b", options),
              (TRect{205, 528, 205 + 30 * kCharWidth + 20, 528 + 2 * kLineHeight + 20}));
    EXPECT_EQ(label.Width(), 30 * kCharWidth);
    // Wider than the window was: not wrapped.
    EXPECT_EQ(Fit(std::string(50, 'c'), options).Width(), 50 * kCharWidth + 20);
    // Narrower than 80 pixels: the window is still 100 wide; the label keeps its own width.
    EXPECT_EQ(Fit("abc", options).Width(), 100);
    EXPECT_EQ(label.Width(), 3 * kCharWidth);
}

TEST_F(FitTest, FitBottomAndFitRightKeepThoseEdges) {
    FitOptions options;
    options.changeWidth = true;
    options.fitBottom = true;
    options.fitRight = true;
    const TRect small = Fit("abc", options);
    EXPECT_EQ(small, (TRect{485 - 100, 687 - (kLineHeight + 20), 485, 687}));
    // More lines grow the window upwards.
    const TRect tall = Fit("a\r\nb\r\nc\r\nd", options);
    EXPECT_EQ(tall.bottom, 687);
    EXPECT_EQ(tall.right, 485);
    EXPECT_EQ(tall.Height(), 4 * kLineHeight + 20);
}

TEST_F(FitTest, AtAnotherDpiTheMarginsAndTheLeastSizeAreScaled) {
    FitOptions options;
    options.changeWidth = true;
    label.SetCaption(std::string(20, 'a'));
    FitLabelToText(label, frame, options, DpiScale(144));
    EXPECT_EQ(frame.Bounds(),
              (TRect{205, 528, 205 + 20 * kCharWidth + 30, 528 + kLineHeight + 30}));
    label.SetCaption("abc");
    FitLabelToText(label, frame, options, DpiScale(144));
    EXPECT_EQ(frame.Bounds().Width(), 150);
}

TEST_F(FitTest, LabelIsAnchoredAgainWithItsAlignment) {
    label.SetAlignment(TAlignment::taCenter);
    Fit("abc\r\ndef", {});
    EXPECT_EQ(label.Alignment(), TAlignment::taCenter);
    EXPECT_FALSE(label.AutoSize());
    EXPECT_EQ(label.Anchors(), kAnchorsAll);
    // The user makes the window larger: the label grows with it.
    frame.SetBounds({205, 528, 585, 728});
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 370, 190}));
}

}  // namespace
}  // namespace vesk
