#include "common/ProgramText.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

constexpr ProgramText kMessage{"■Player Not Found"};

TEST(ProgramText, IsConvertedOnceToAnsi) {
    const std::string& first = kMessage.Ansi();
    EXPECT_EQ(first, "\x81\xA1Player Not Found");
    EXPECT_EQ(&kMessage.Ansi(), &first);  // the same converted string every time
    EXPECT_STREQ(kMessage.Utf8(), "■Player Not Found");
}

}  // namespace
}  // namespace vesk
