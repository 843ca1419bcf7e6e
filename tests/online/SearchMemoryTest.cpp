#include "online/SearchMemory.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(SearchMemory, SearchesEachTitleOncePerRun) {
    SearchMemory memory;
    struct Step {
        std::string title;
        bool search;
    };
    const Step steps[] = {
        {"Rain", true}, {"Rain", false},           {"rain", true},  // byte for byte
        {"Sun", true},  {"Rain", false},           {"", false},
        {" \t", false}, {"PlayerNotFound", false}, {" Rain", true},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(memory.TryBegin(step.title), step.search) << "[" << step.title << "]";
        EXPECT_EQ(memory.Searched(step.title), step.search || IsSearchableTitle(step.title));
    }
    // A search the user asked for is remembered for the automatic ones.
    EXPECT_FALSE(memory.Searched("Asked"));
    memory.Remember("Asked");
    EXPECT_FALSE(memory.TryBegin("Asked"));
}

}  // namespace
}  // namespace vesk
