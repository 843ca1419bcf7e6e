#include "common/FileDialogFilter.h"

#include <gtest/gtest.h>

#include <string>

#include "TestText.h"

namespace vesk {
namespace {

using namespace std::string_literals;
using test::Ansi;

TEST(FileDialogFilter, BarsThatStartACharacterSeparateTheParts) {
    struct Row {
        std::string filter;
        std::string expected;
    };
    const Row rows[] = {
        {"", "\0\0"s},
        {"Text (*.txt)|*.txt", "Text (*.txt)\0*.txt\0\0"s},
        {"A|*.a|B|*.b", "A\0*.a\0B\0*.b\0\0"s},
        // ポ ends in 0x7C: the name keeps it.
        {Ansi("ポップ(*.txt)|*.txt"), Ansi("ポップ(*.txt)") + "\0*.txt\0\0"s},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FileDialogFilter(row.filter), row.expected) << test::Utf8(row.filter);
    }
}

}  // namespace
}  // namespace vesk
