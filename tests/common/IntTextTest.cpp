#include "common/IntText.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(IntText, ParsesDecimalAndHexadecimalForms) {
    struct Row {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Row rows[] = {
        {"16", 16},
        {"  16", 16},
        {"+16", 16},
        {"-16", -16},
        {"007", 7},
        {"$10", 16},
        {"x10", 16},
        {"X10", 16},
        {"0x10", 16},
        {"0X1f", 31},
        {"-$10", -16},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$123456789", std::nullopt},  // more than 32 bits
        {"$000000001", 1},             // leading zeros are not counted
        {"0x00000000FFFFFFFF", -1},
        {"$0000000000", 0},
        {"-$000000010", -16},
        {"$", std::nullopt},
        {"0x", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"16abc", std::nullopt},
        {"16 ", std::nullopt},  // nothing may follow the digits
        {"abc", std::nullopt},
        {"$G", std::nullopt},
        {"1.5", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseInt32(row.text), row.value) << '"' << row.text << '"';
    }
}

TEST(IntText, WritesPlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-12), "-12");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToText(65536), "65536");
}

}  // namespace
}  // namespace vesk
