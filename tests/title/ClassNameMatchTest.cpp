#include "title/ClassNameMatch.h"

#include <gtest/gtest.h>

#include <string>

#include "common/TextPlatform.h"

namespace vesk {
namespace {

// The portable code page, counting the comparisons asked of it.
class CountingPlatform final : public TextPlatform {
public:
    mutable int comparisons = 0;
    bool IsLeadByte(unsigned char byte) const override { return base().IsLeadByte(byte); }
    bool Equal(std::string_view a, std::string_view b, bool ignoreCase) const override {
        ++comparisons;
        return base().Equal(a, b, ignoreCase);
    }
    int Compare(std::string_view a, std::string_view b, bool ignoreCase) const override {
        return base().Compare(a, b, ignoreCase);
    }
    std::string FromUtf8(std::string_view utf8) const override { return base().FromUtf8(utf8); }
    std::string ToUtf8(std::string_view ansi) const override { return base().ToUtf8(ansi); }
    std::string FromUtf16(std::u16string_view utf16) const override {
        return base().FromUtf16(utf16);
    }

private:
    static const TextPlatform& base() { return PortableTextPlatform(); }
};

TEST(ClassNameMatch, AnswersAsTheLocaleOncePerNameAndTarget) {
    CountingPlatform platform;
    ScopedTextPlatform scope(platform);
    ClassNameMatch match;
    struct Row {
        std::string target;
        std::string name;
        bool equal;
        int comparisons;  // asked of the locale so far
    };
    const Row rows[] = {
        {"Lilith", "Lilith", true, 1},
        {"Lilith", "lilith", false, 2},            // letter case counts
        {"Lilith", "Lilith", true, 2},             // remembered
        {"Lilith", "lilith", false, 2},
        {"\x87\x54", "\xFA\x4A", true, 3},         // one character, NEC and IBM codes
        {"Lilith", "Lilith", true, 4},             // a new target forgot the answers
    };
    for (const Row& row : rows) {
        EXPECT_EQ(match.Equal(row.target, row.name), row.equal) << row.target << " / " << row.name;
        EXPECT_EQ(platform.comparisons, row.comparisons) << row.target << " / " << row.name;
    }
    // Made-up names in their hundreds are forgotten in time and still answered right.
    for (int i = 0; i < 1000; ++i) {
        ASSERT_FALSE(match.Equal("Lilith", "Afx:" + std::to_string(i)));
    }
    EXPECT_TRUE(match.Equal("Lilith", "Lilith"));
}

}  // namespace
}  // namespace vesk
