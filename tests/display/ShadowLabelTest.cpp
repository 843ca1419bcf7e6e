#include "display/ShadoLbl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeCanvas.h"
#include "TestText.h"

namespace vesk {

namespace {

using test::Ansi;
using test::FakeBitmap;
using test::FakeCanvas;
using test::FakeHost;
using testing::ElementsAre;
using testing::ElementsAreArray;

constexpr Color kRed = 0x000000FF;
constexpr Color kGreen = 0x0000FF00;
constexpr Color kBlue = 0x00FF0000;

Font TestFont() {
    Font font;
    font.name = "F";
    font.size = 9;
    font.color = kRed;
    return font;
}

// A label of 200 x 50 at (0, 0) with the test font; AutoSize off so that it keeps its size.
void Prepare(TShadowLabel& label, std::string_view caption) {
    label.SetAutoSize(false);
    label.SetBounds(0, 0, 200, 50);
    label.SetFont(TestFont());
    label.SetCaption(caption);
}

std::vector<std::string> PaintLog(TShadowLabel& label, int overhang = 0) {
    std::vector<std::string> log;
    FakeCanvas screen(log, "screen");
    screen.overhang = overhang;
    label.Paint(screen);
    return log;
}

TEST(LabelTextFormat, FlagSet) {
    struct Row {
        TAlignment alignment;
        bool wordWrap;
        bool showAccelChar;
        TEllipsis ellipsis;
        TextFormat format;
    };
    const Row rows[] = {
        {TAlignment::taLeftJustify, false, true, TEllipsis::elNone, 0x0040},
        {TAlignment::taRightJustify, false, true, TEllipsis::elNone, 0x0042},
        {TAlignment::taCenter, false, true, TEllipsis::elNone, 0x0041},
        {TAlignment::taLeftJustify, true, true, TEllipsis::elNone, 0x0050},
        {TAlignment::taLeftJustify, false, false, TEllipsis::elNone, 0x0840},
        {TAlignment::taLeftJustify, false, true, TEllipsis::elEnd, 0x8040},
        {TAlignment::taLeftJustify, false, true, TEllipsis::elPath, 0x4040},
        {TAlignment::taCenter, true, false, TEllipsis::elEnd, 0x8851},
        {TAlignment::taRightJustify, true, false, TEllipsis::elPath, 0x4852},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LabelTextFormat(row.alignment, row.wordWrap, row.showAccelChar, row.ellipsis),
                  row.format)
            << "alignment " << static_cast<int>(row.alignment) << " wrap " << row.wordWrap
            << " accel " << row.showAccelChar << " ellipsis " << static_cast<int>(row.ellipsis);
    }
}

TEST(GradationRuns, SplitsByCharacters) {
    constexpr Color F = 1, M = 2, E = 3;
    const std::string a1b2 = "a" + Ansi("亜伊");  // 1 + 2 + 2 bytes
    const std::string b2a1 = Ansi("亜亜") + "a";  // 0x88 0x9F 0x88 0x9F 'a'
    const std::string b3 = Ansi("アイウ");        // 6 bytes
    struct Run {
        std::string text;
        Color start;
        Color end;
        bool operator==(const Run&) const = default;
    };
    struct Row {
        std::string text;
        TTextGradation gradation;
        std::vector<Run> runs;
    };
    const std::vector<Row> rows = {
        {"abc", TTextGradation::tgNone, {}},
        {"a", TTextGradation::tg3Colors, {}},
        {Ansi("亜"), TTextGradation::tg2Colors, {}},
        {"abc", TTextGradation::tg2Colors, {{"abc", F, E}}},
        {"ab", TTextGradation::tg3Colors, {{"ab", F, E}}},
        {Ansi("亜伊"), TTextGradation::tg3Colors, {{Ansi("亜伊"), F, E}}},
        // s = 1: the first character alone, then the other two from the middle colour.
        {"abc", TTextGradation::tg3Colors, {{"a", F, M}, {"bc", M, E}}},
        {"abcd", TTextGradation::tg3Colors, {{"ab", F, M}, {"cd", M, E}}},
        // s = 2 is a lead byte, so s = 3; the last character alone is plainly the end colour.
        {a1b2, TTextGradation::tg3Colors, {{a1b2.substr(0, 3), F, M}, {a1b2.substr(3), E, E}}},
        {b3, TTextGradation::tg3Colors, {{b3.substr(0, 4), F, M}, {b3.substr(4), E, E}}},
        // s = 2 is the trail byte 0x9F, which has a lead byte's value but ends a character.
        {b2a1, TTextGradation::tg3Colors, {{b2a1.substr(0, 2), F, M}, {b2a1.substr(2), M, E}}},
    };
    for (const Row& row : rows) {
        std::vector<Run> runs;
        std::string shown;
        for (const TextRun& run : GradationRuns(row.text, row.gradation, F, M, E)) {
            runs.push_back({std::string(run.text), run.start, run.end});
            shown += " '" + test::Utf8(run.text) + "' " + std::to_string(run.start) + "-" +
                     std::to_string(run.end);
        }
        EXPECT_TRUE(runs == row.runs) << test::Utf8(row.text) << " gradation "
                                      << static_cast<int>(row.gradation) << " gives" << shown;
    }
}

TEST(GradientColor, RunsFromStartToEnd) {
    struct Row {
        Color start;
        Color end;
        int index;
        int count;
        Color color;
    };
    const Row rows[] = {
        {0x000000FF, 0x00FF0000, 0, 5, 0x000000FF}, {0x000000FF, 0x00FF0000, 4, 5, 0x00FF0000},
        {0x00000000, 0x00FFFFFF, 1, 3, 0x007F7F7F},  // 127.5 truncated
        {0x00FFFFFF, 0x00000000, 1, 3, 0x007F7F7F},  // 255 - 127.5 = 127.5 truncated
        {0x00102030, 0x00403020, 1, 4, 0x0020252A},  // 48 - 16/3, 32 + 16/3, 16 + 48/3
        {0x00123456, 0x00654321, 0, 1, 0x00123456},  // one row: the start colour
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GradientColor(row.start, row.end, row.index, row.count), row.color)
            << test::Hex(row.start) << " to " << test::Hex(row.end) << " " << row.index << "/"
            << row.count;
    }
}

TEST(GradientFill, EndColoursAtTheEdges) {
    std::vector<std::string> log;
    {
        FakeBitmap bitmap(log, "b", 5, 9);
        GradientFill(bitmap, kRed, kClBtnFace, true);
        EXPECT_EQ(bitmap.stretches, 1);
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bitmap.Pixel(x, 0), kRed);
            EXPECT_EQ(bitmap.Pixel(x, 4), GradientColor(kRed, 0x00F0F0F0, 4, 9));
            EXPECT_EQ(bitmap.Pixel(x, 8), 0x00F0F0F0u) << "system colour resolved";
        }
    }
    {
        FakeBitmap bitmap(log, "b", 7, 3);
        GradientFill(bitmap, kGreen, kBlue, false);
        EXPECT_EQ(bitmap.stretches, 0);
        for (int y = 0; y < 3; ++y) {
            EXPECT_EQ(bitmap.Pixel(0, y), kGreen);
            EXPECT_EQ(bitmap.Pixel(3, y), GradientColor(kGreen, kBlue, 3, 7));
            EXPECT_EQ(bitmap.Pixel(6, y), kBlue);
        }
    }
    {
        FakeBitmap row(log, "b", 4, 1);  // vertical over one row
        GradientFill(row, kGreen, kBlue, true);
        EXPECT_EQ(row.Pixel(3, 0), kGreen);
        FakeBitmap column(log, "b", 1, 4);  // horizontal over one column
        GradientFill(column, kGreen, kBlue, false);
        EXPECT_EQ(column.Pixel(0, 3), kGreen);
        EXPECT_EQ(column.stretches, 0);
        FakeBitmap narrow(log, "b", 1, 4);  // vertical, one column: nothing to stretch
        GradientFill(narrow, kGreen, kBlue, true);
        EXPECT_EQ(narrow.Pixel(0, 3), kBlue);
        EXPECT_EQ(narrow.stretches, 0);
    }
    {
        FakeBitmap empty(log, "b", 0, 3);
        GradientFill(empty, kGreen, kBlue, false);  // writes nothing, ASan would tell
        EXPECT_EQ(empty.stretches, 0);
    }
}

TEST(TShadow, DefaultsAndNotifications) {
    TShadow shadow;
    EXPECT_TRUE(shadow.Visible());
    EXPECT_EQ(shadow.Color(), kClSilver);
    EXPECT_EQ(shadow.OffsetLeft(), 1);
    EXPECT_EQ(shadow.OffsetTop(), 1);

    int changes = 0;
    shadow.OnChange = [&](TShadow& sender) {
        EXPECT_EQ(&sender, &shadow);
        ++changes;
    };
    shadow.SetVisible(true);
    shadow.SetColor(kClSilver);
    shadow.SetOffsetLeft(1);
    shadow.SetOffsetTop(1);
    EXPECT_EQ(changes, 0) << "storing the same values";
    shadow.SetVisible(false);
    shadow.SetColor(kRed);
    shadow.SetOffsetLeft(-3);
    shadow.SetOffsetTop(4);
    EXPECT_EQ(changes, 4);

    TShadow source;
    source.SetVisible(false);
    source.SetColor(kRed);
    source.SetOffsetLeft(-3);
    source.SetOffsetTop(4);
    changes = 0;
    shadow.Assign(source);
    EXPECT_EQ(changes, 1) << "assigning the same values still notifies once";
    source.SetOffsetTop(9);
    shadow.Assign(source);
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(shadow.Visible());
    EXPECT_EQ(shadow.Color(), kRed);
    EXPECT_EQ(shadow.OffsetLeft(), -3);
    EXPECT_EQ(shadow.OffsetTop(), 9);
}

TEST(TShadowLabel, CreationDefaults) {
    TShadowLabel label;
    EXPECT_TRUE(label.Shadow().Visible());
    EXPECT_EQ(label.Shadow().Color(), kClSilver);
    EXPECT_EQ(label.Shadow().OffsetLeft(), 1);
    EXPECT_EQ(label.Shadow().OffsetTop(), 1);
    EXPECT_TRUE(label.Highlight().Visible());
    EXPECT_EQ(label.Highlight().Color(), kClWhite);
    EXPECT_EQ(label.Highlight().OffsetLeft(), -1);
    EXPECT_EQ(label.Highlight().OffsetTop(), -1);
    EXPECT_EQ(label.Ellipsis(), TEllipsis::elNone);
    EXPECT_TRUE(label.Flickerless());
    EXPECT_FALSE(label.GradateVert());
    EXPECT_FALSE(label.Gradation());
    EXPECT_EQ(label.GradationColor(), kClBlue);
    EXPECT_EQ(label.TextGradation(), TTextGradation::tgNone);
    EXPECT_EQ(label.TextGradationColor(), kClMaroon);
    EXPECT_EQ(label.TextMidColor(), kClNavy);
    EXPECT_EQ(label.Alignment(), TAlignment::taLeftJustify);
    EXPECT_EQ(label.Layout(), TTextLayout::tlTop);
    EXPECT_TRUE(label.AutoSize());
    EXPECT_FALSE(label.WordWrap());
    EXPECT_FALSE(label.Transparent());
    EXPECT_TRUE(label.ShowAccelChar());
    EXPECT_TRUE(label.Enabled());
    EXPECT_EQ(label.Font(), NewFont());
}

TEST(TShadowLabel, RepaintRules) {
    using Action = std::function<void(TShadowLabel&)>;
    struct Row {
        const char* name;
        Action setUp;
        Action change;
        int repaints;       // for the change
        int repaintsAgain;  // for the same change once more
    };
    const Action none = [](TShadowLabel&) {};
    TShadow same;  // the shadow's own defaults
    TShadow other;
    other.SetColor(kRed);
    const std::vector<Row> rows = {
        {"Ellipsis", none, [](auto& l) { l.SetEllipsis(TEllipsis::elEnd); }, 1, 0},
        {"Flickerless", none, [](auto& l) { l.SetFlickerless(false); }, 0, 0},
        {"GradateVert", none, [](auto& l) { l.SetGradateVert(true); }, 1, 0},
        {"Gradation", none, [](auto& l) { l.SetGradation(true); }, 1, 0},
        {"GradationColor", none, [](auto& l) { l.SetGradationColor(kRed); }, 1, 0},
        {"TextGradation", none, [](auto& l) { l.SetTextGradation(TTextGradation::tg3Colors); }, 1,
         0},
        {"TextGradationColor, tgNone", none, [](auto& l) { l.SetTextGradationColor(kRed); }, 0, 0},
        {"TextGradationColor, tg2Colors",
         [](auto& l) { l.SetTextGradation(TTextGradation::tg2Colors); },
         [](auto& l) { l.SetTextGradationColor(kRed); }, 1, 0},
        {"TextMidColor, tg2Colors", [](auto& l) { l.SetTextGradation(TTextGradation::tg2Colors); },
         [](auto& l) { l.SetTextMidColor(kRed); }, 0, 0},
        {"TextMidColor, tg3Colors", [](auto& l) { l.SetTextGradation(TTextGradation::tg3Colors); },
         [](auto& l) { l.SetTextMidColor(kRed); }, 1, 0},
        {"Shadow, same values", none, [&](auto& l) { l.SetShadow(&same); }, 1, 1},
        {"Highlight, other values", none, [&](auto& l) { l.SetHighlight(&other); }, 1, 1},
        {"Shadow, null", none, [](auto& l) { l.SetShadow(nullptr); }, 0, 0},
        {"Shadow.Color", none, [](auto& l) { l.Shadow().SetColor(kRed); }, 1, 0},
        {"Highlight.OffsetTop", none, [](auto& l) { l.Highlight().SetOffsetTop(5); }, 1, 0},
        {"Caption", none, [](auto& l) { l.SetCaption("x"); }, 1, 0},
        {"Color", none, [](auto& l) { l.SetColor(kRed); }, 1, 0},
        {"Alignment", none, [](auto& l) { l.SetAlignment(TAlignment::taCenter); }, 1, 0},
        {"Layout", none, [](auto& l) { l.SetLayout(TTextLayout::tlBottom); }, 1, 0},
        {"WordWrap", none, [](auto& l) { l.SetWordWrap(true); }, 1, 0},
        {"ShowAccelChar", none, [](auto& l) { l.SetShowAccelChar(false); }, 1, 0},
        {"Enabled", none, [](auto& l) { l.SetEnabled(false); }, 1, 0},
        {"Font", none,
         [](auto& l) {
             Font font = l.Font();
             font.size = 20;
             l.SetFont(font);
         },
         1, 0},
        {"LitRange", none,
         [](auto& l) {
             l.SetLitRange({0, 1});
         },
         1, 0},
        {"LitColor, nothing lit", none, [](auto& l) { l.SetLitColor(kRed); }, 0, 0},
        {"LitColor, a line lit",
         [](auto& l) {
             l.SetLitRange({0, 1});
         },
         [](auto& l) { l.SetLitColor(kRed); }, 1, 0},
    };
    for (const Row& row : rows) {
        FakeHost host;
        TShadowLabel label;
        Prepare(label, "abc");
        host.Add(label);
        row.setUp(label);
        host.invalidations.clear();
        row.change(label);
        EXPECT_EQ(host.invalidations.size(), static_cast<std::size_t>(row.repaints)) << row.name;
        host.invalidations.clear();
        row.change(label);
        EXPECT_EQ(host.invalidations.size(), static_cast<std::size_t>(row.repaintsAgain))
            << row.name << " again";
    }
}

TEST(TShadowLabel, SettingAShadowCopiesIntoTheOwnedObject) {
    TShadowLabel label;
    TShadow given;
    given.SetVisible(false);
    given.SetColor(kGreen);
    given.SetOffsetLeft(3);
    given.SetOffsetTop(-2);
    TShadow* owned = &label.Shadow();
    label.SetShadow(&given);
    EXPECT_EQ(&label.Shadow(), owned);
    EXPECT_FALSE(label.Shadow().Visible());
    EXPECT_EQ(label.Shadow().Color(), kGreen);
    EXPECT_EQ(label.Shadow().OffsetLeft(), 3);
    EXPECT_EQ(label.Shadow().OffsetTop(), -2);
    given.SetOffsetLeft(7);
    EXPECT_EQ(label.Shadow().OffsetLeft(), 3) << "a copy, not a reference";
}

TEST(TShadowLabelPaint, FlickerlessLayersInOrder) {
    TShadowLabel label;
    Prepare(label, "abc");
    EXPECT_THAT(
        PaintLog(label),
        ElementsAre("screen: bitmap 200x50", "bitmap: fill 0,0,200,50 8000000F", "bitmap: font F 9",
                    "bitmap: calc 'abc' 0,0,200,50 0440", "bitmap: color 00C0C0C0",
                    "bitmap: text 'abc' 1,1,201,51 0040", "bitmap: color 00FFFFFF",
                    "bitmap: text 'abc' -1,-1,199,49 0040", "bitmap: color 000000FF",
                    "bitmap: text 'abc' 0,0,200,50 0040", "screen: draw 200x50 at 0,0"));
}

TEST(TShadowLabelPaint, Backgrounds) {
    struct Row {
        const char* name;
        bool transparent;
        bool flickerless;
        bool gradation;
        bool vertical;
        std::vector<std::string> background;  // the log up to the font selection
    };
    const std::vector<Row> rows = {
        {"plain, direct", false, false, false, false, {"screen: fill 0,0,200,50 8000000F"}},
        {"gradient off screen", false, true, true, true, {"screen: bitmap 200x50"}},
        {"gradient strip, vertical",
         false,
         false,
         true,
         true,
         {"screen: bitmap 1x50", "screen: stretch 1x50 to 0,0,200,50"}},
        {"gradient strip, horizontal",
         false,
         false,
         true,
         false,
         {"screen: bitmap 200x3", "screen: stretch 200x3 to 0,0,200,50"}},
        {"transparent", true, true, true, true, {}},
        {"transparent, direct", true, false, false, false, {}},
    };
    for (const Row& row : rows) {
        TShadowLabel label;
        Prepare(label, "abc");
        label.SetTransparent(row.transparent);
        label.SetFlickerless(row.flickerless);
        label.SetGradation(row.gradation);
        label.SetGradateVert(row.vertical);
        const std::vector<std::string> log = PaintLog(label);
        std::vector<std::string> background;
        for (const std::string& line : log) {
            if (line.find(": font ") != std::string::npos) {
                break;
            }
            background.push_back(line);
        }
        EXPECT_EQ(background, row.background) << row.name;
        const bool offscreen = row.flickerless && !row.transparent;
        EXPECT_EQ(log.back(),
                  offscreen ? "screen: draw 200x50 at 0,0" : "screen: text 'abc' 0,0,200,50 0040")
            << row.name;
    }
}

TEST(TShadowLabelPaint, VerticalPlacement) {
    struct Row {
        TTextLayout layout;
        int height;
        std::string caption;
        int top;
    };
    const std::vector<Row> rows = {
        {TTextLayout::tlTop, 50, "a", 0},
        {TTextLayout::tlCenter, 50, "a", 17},
        {TTextLayout::tlBottom, 50, "a", 34},
        {TTextLayout::tlCenter, 49, "a\nb\nc\nd", -7},  // (49 - 64) / 2 toward zero
        {TTextLayout::tlBottom, 49, "a\nb\nc\nd", -15},
    };
    for (const Row& row : rows) {
        TShadowLabel label;
        Prepare(label, row.caption);
        label.SetHeight(row.height);
        label.SetLayout(row.layout);
        label.Shadow().SetVisible(false);
        label.Highlight().SetVisible(false);
        label.SetFlickerless(false);
        label.SetTransparent(true);
        const std::string expected = "screen: text '" + row.caption + "' 0," +
                                     std::to_string(row.top) + ",200," +
                                     std::to_string(row.top + row.height) + " 0040";
        EXPECT_EQ(PaintLog(label).back(), expected) << static_cast<int>(row.layout);
    }
}

TEST(TShadowLabelPaint, TextOfTheCaption) {
    struct Row {
        std::string caption;
        bool showAccelChar;
        std::string drawn;
    };
    const std::vector<Row> rows = {
        {"", true, " "}, {"", false, " "}, {"&", true, "& "}, {"&", false, "&"}, {"&&", true, "&&"},
    };
    for (const Row& row : rows) {
        TShadowLabel label;
        Prepare(label, row.caption);
        label.SetShowAccelChar(row.showAccelChar);
        label.SetTransparent(true);
        label.Shadow().SetVisible(false);
        label.Highlight().SetVisible(false);
        const TextFormat format = row.showAccelChar ? 0x0040 : 0x0840;
        EXPECT_EQ(PaintLog(label).back(),
                  "screen: text '" + row.drawn + "' 0,0,200,50 " + FakeCanvas::FormatText(format))
            << "'" << row.caption << "'";
    }
}

TEST(TShadowLabelPaint, DisabledColours) {
    TShadowLabel label;
    Prepare(label, "abc");
    label.SetTransparent(true);
    label.SetEnabled(false);
    EXPECT_THAT(PaintLog(label),
                ElementsAre("screen: font F 9", "screen: calc 'abc' 0,0,200,50 0440",
                            "screen: color 00808080", "screen: text 'abc' 1,1,201,51 0040",
                            "screen: color 80000014", "screen: text 'abc' -1,-1,199,49 0040",
                            "screen: color 80000010", "screen: text 'abc' 0,0,200,50 0040"));
}

TEST(TShadowLabelPaint, OnlyTheTextWithoutLayers) {
    TShadowLabel label;
    Prepare(label, "abc");
    label.SetTransparent(true);
    label.Shadow().SetVisible(false);
    label.Highlight().SetVisible(false);
    EXPECT_THAT(PaintLog(label),
                ElementsAre("screen: font F 9", "screen: calc 'abc' 0,0,200,50 0440",
                            "screen: color 000000FF", "screen: text 'abc' 0,0,200,50 0040"));
}

// The main text layer alone, drawn on the label's own surface with an overhang of 1.
std::vector<std::string> GradatedText(std::string_view caption, TTextGradation gradation,
                                      bool enabled = true) {
    TShadowLabel label;
    Prepare(label, caption);
    label.SetTransparent(true);
    label.Shadow().SetVisible(false);
    label.Highlight().SetVisible(false);
    label.SetTextGradation(gradation);
    label.SetTextMidColor(kGreen);
    label.SetTextGradationColor(kBlue);
    label.SetEnabled(enabled);
    std::vector<std::string> log = PaintLog(label, 1);
    log.erase(log.begin(), log.begin() + 2);  // font, measurement
    return log;
}

TEST(TShadowLabelPaint, CharacterGradation) {
    const std::string a = Ansi("亜");
    const std::string i = Ansi("伊");
    // One single-byte and two double-byte characters: "a亜" from the font colour to the
    // middle colour, character by character; "伊" plainly in the end colour after them.
    EXPECT_THAT(GradatedText("a" + a + i, TTextGradation::tg3Colors),
                ElementsAreArray(std::vector<std::string>{
                    "screen: overhang", "screen: color 000000FF", "screen: text 'a' 0,0,7,50 0040",
                    "screen: color 0000FF00", "screen: text '" + a + "' 7,0,22,50 0040",
                    "screen: color 00FF0000", "screen: text '" + i + "' 22,0,200,50 0040"}));
    // Three single-byte characters: "a" alone in the font colour, then "bc".
    EXPECT_THAT(
        GradatedText("abc", TTextGradation::tg3Colors),
        ElementsAre("screen: color 000000FF", "screen: text 'a' 0,0,200,50 0040",
                    "screen: overhang", "screen: color 0000FF00", "screen: text 'b' 8,0,15,50 0040",
                    "screen: color 00FF0000", "screen: text 'c' 15,0,22,50 0040"));
    // tg2Colors: one run; the middle character half way, truncated.
    EXPECT_THAT(
        GradatedText("abc", TTextGradation::tg2Colors),
        ElementsAre("screen: overhang", "screen: color 000000FF", "screen: text 'a' 0,0,7,50 0040",
                    "screen: color 007F007F", "screen: text 'b' 7,0,14,50 0040",
                    "screen: color 00FF0000", "screen: text 'c' 14,0,21,50 0040"));
    // tg3Colors on two characters is tg2Colors.
    EXPECT_EQ(GradatedText("ab", TTextGradation::tg3Colors),
              GradatedText("ab", TTextGradation::tg2Colors));
    // One character: no gradation, the plain text colour.
    EXPECT_THAT(GradatedText(a, TTextGradation::tg3Colors),
                ElementsAre("screen: color 000000FF", "screen: text '" + a + "' 0,0,200,50 0040"));
    // Disabled: the gradation still starts at the font colour.
    EXPECT_EQ(GradatedText("abc", TTextGradation::tg2Colors, false)[1], "screen: color 000000FF");
    EXPECT_EQ(GradatedText("ab", TTextGradation::tgNone, false)[0], "screen: color 80000010");
}

TEST(TShadowLabelPaint, LitLinesInTheirColourWhereTheWholeTextStands) {
    const std::string wrapped(30, 'x');  // 240 pixels: two rows in 200
    struct Row {
        std::string caption;
        TextRange lit;
        std::vector<std::string> expected;  // the text layer
    };
    const Row rows[] = {
        {"aa\r\nbb\r\ncc",
         {4, 6},
         {"color 000000FF", "text 'aa' 0,0,200,50 0050", "color 0000FF00",
          "text 'bb' 0,16,200,50 0050", "color 000000FF", "text 'cc' 0,32,200,50 0050"}},
        {"aa\r\nbb\r\ncc",
         {0, 2},
         {"color 0000FF00", "text 'aa' 0,0,200,50 0050", "color 000000FF",
          "text 'bb\r\ncc' 0,16,200,50 0050"}},
        {"aa\r\nbb\r\ncc",
         {8, 10},
         {"color 000000FF", "text 'aa\r\nbb' 0,0,200,50 0050", "color 0000FF00",
          "text 'cc' 0,32,200,50 0050"}},
        // A wrapped line takes its two rows; an empty line before the lit one its row.
        {wrapped + "\r\nbb",
         {32, 34},
         {"color 000000FF", "text '" + wrapped + "' 0,0,200,50 0050", "color 0000FF00",
          "text 'bb' 0,32,200,50 0050"}},
        {"aa\r\n\r\nbb",
         {6, 8},
         {"color 000000FF", "text 'aa\r\n ' 0,0,200,50 0050", "color 0000FF00",
          "text 'bb' 0,32,200,50 0050"}},
        // A range beyond the caption: nothing lit.
        {"aa\r\nbb", {4, 9}, {"color 000000FF", "text 'aa\r\nbb' 0,0,200,50 0050"}},
    };
    for (const Row& row : rows) {
        TShadowLabel label;
        Prepare(label, row.caption);
        label.SetTransparent(true);
        label.SetWordWrap(true);
        label.Shadow().SetVisible(false);
        label.Highlight().SetVisible(false);
        label.SetLitColor(kGreen);
        label.SetLitRange(row.lit);
        std::vector<std::string> log = PaintLog(label);
        log.erase(log.begin(), log.begin() + 2);  // font, measurement
        std::vector<std::string> expected;
        for (const std::string& line : row.expected) {
            expected.push_back("screen: " + line);
        }
        EXPECT_EQ(log, expected) << row.caption;
    }
}

TEST(TShadowLabelAutoSize, MeasuresLikeTheStandardLabel) {
    FakeHost host;
    TShadowLabel label;
    label.SetBounds(10, 20, 100, 40);
    label.SetFont(TestFont());
    label.SetCaption("abcde");
    EXPECT_EQ(label.Width(), 100) << "not measured before it has a host";
    host.Add(label);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 20, 50, 36}));
    EXPECT_THAT(host.measureLog,
                ElementsAre("measure: font F 9", "measure: calc 'abcde' 0,0,100,40 0440"));

    label.SetCaption("");
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 20, 18, 36})) << "a blank's size";
    label.SetCaption("ab\r\ncdef");
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 20, 42, 52}));

    // With taRightJustify the right edge stays.
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetCaption("ab");
    EXPECT_EQ(label.BoundsRect(), (TRect{26, 20, 42, 36}));
    label.SetAlignment(TAlignment::taLeftJustify);

    // Word wrap: the current width limits the lines.
    label.SetShowAccelChar(false);
    label.SetBounds(0, 0, 24, 10);
    host.measureLog.clear();
    label.SetCaption("abcdefgh");
    EXPECT_EQ(label.BoundsRect(), (TRect{0, 0, 64, 16})) << "no wrap yet";
    label.SetWidth(24);
    label.SetWordWrap(true);
    EXPECT_EQ(label.BoundsRect(), (TRect{0, 0, 24, 48}));
    EXPECT_EQ(host.measureLog.back(), "measure: calc 'abcdefgh' 0,0,24,16 0C50");

    // Off: no more measuring; switching it on measures at once.
    label.SetAutoSize(false);
    label.SetCaption("a");
    EXPECT_EQ(label.BoundsRect(), (TRect{0, 0, 24, 48}));
    label.SetAutoSize(true);
    EXPECT_EQ(label.BoundsRect(), (TRect{0, 0, 8, 16}));

    Font bigger = TestFont();
    bigger.size = 12;
    label.SetFont(bigger);
    EXPECT_EQ(host.measureLog.back(), "measure: calc 'a' 0,0,8,16 0C50");
}

}  // namespace
}  // namespace vesk
