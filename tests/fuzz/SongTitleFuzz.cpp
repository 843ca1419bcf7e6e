// Song-title extraction from a player's caption with any rules a settings file can hold:
// no fault, the title is a trimmed piece of the caption (or the missing-player sentinel),
// and a delimiter found is one of the delimiter bytes within the first 99.
//
// Input: title position, front cut, back cut (4 bytes each), delimiters NUL caption.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "common/AnsiText.h"
#include "title/untTitleGet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::int32_t titlePos = input.Int32();
    const std::int32_t frontCut = input.Int32();
    const std::int32_t backCut = input.Int32();
    const std::string_view delimiters = input.Text();
    const std::string_view caption = input.Rest();

    const TTitleGet& get = TitleGet();
    const int found = get.FindDelimiter(delimiters, caption);
    FUZZ_CHECK(found >= 0 && found <= 99);
    if (found > 0) {
        const auto at = static_cast<std::size_t>(found - 1);
        FUZZ_CHECK(IsCharStart(caption, at));
        FUZZ_CHECK(delimiters.find(caption[at]) != std::string_view::npos);
    }

    const std::string title = get.GetSongTitle(caption, delimiters, titlePos, frontCut, backCut);
    if (caption.empty()) {
        FUZZ_CHECK(title == kPlayerNotFound);
    } else {
        FUZZ_CHECK(caption.find(title) != std::string_view::npos);
        FUZZ_CHECK(TrimBlanks(title) == title);
    }
    return 0;
}
