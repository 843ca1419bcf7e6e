// The lyrics service's answer read for a title, and the file saved from it: nothing in the
// answer makes the reader throw or crash; lyrics it takes are never blank, hold no NUL and
// are UTF-8; the file starts with the byte-order mark, is UTF-8, ends every line with CR LF
// and stays within the lyrics window's limit, whatever bytes it is made from; the file name
// holds no separator, no character Windows forbids and no control character, and keeps
// its ".lrc".
//
// Input: title NUL answer body.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "common/AnsiText.h"
#include "common/TextPlatform.h"
#include "lyrics/untTLyricsList.h"
#include "online/LyricsFile.h"
#include "online/LyricsRecord.h"
#include "online/SearchResult.h"

namespace vesk::fuzz {
namespace {

// nlohmann/json refuses to write text that is not UTF-8.
bool IsUtf8(const std::string& text) {
    try {
        static_cast<void>(nlohmann::json(text).dump());
        return true;
    } catch (const nlohmann::json::exception&) {
        return false;
    }
}

void CheckChoice(const ChosenLyrics& chosen) {
    if (chosen.kind == LyricsKind::kSynced || chosen.kind == LyricsKind::kPlain) {
        FUZZ_CHECK(!TrimBlanks(chosen.text).empty());
        FUZZ_CHECK(chosen.text.find('\0') == std::string::npos);
        FUZZ_CHECK(IsUtf8(chosen.text));
    } else {
        FUZZ_CHECK(chosen.text.empty());
    }
}

void CheckFile(const std::string& bytes) {
    FUZZ_CHECK(bytes.starts_with("\xEF\xBB\xBF"));
    FUZZ_CHECK(bytes.size() <= kLyricsFileMaxBytes);
    FUZZ_CHECK(IsUtf8(bytes));
    FUZZ_CHECK(bytes.find('\0') == std::string::npos);
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        if (bytes[pos] == '\r') {
            FUZZ_CHECK(pos + 1 < bytes.size() && bytes[pos + 1] == '\n');
        } else if (bytes[pos] == '\n') {
            FUZZ_CHECK(bytes[pos - 1] == '\r');
        }
    }
    FUZZ_CHECK(bytes.size() == 3 || bytes.ends_with("\r\n"));
}

void CheckFileName(std::string_view title) {
    const std::string name = OnlineLyricsFileName(title);
    FUZZ_CHECK(name.ends_with(".lrc") && IsCharStart(name, name.size() - 4));
    for (std::size_t pos = 0; pos < name.size(); pos += CharSize(name, pos)) {
        if (CharSize(name, pos) == 1) {
            const auto c = static_cast<unsigned char>(name[pos]);
            FUZZ_CHECK(c >= 0x20 &&
                       std::string_view("\\/:*?\"<>|").find(name[pos]) == std::string_view::npos);
        }
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::string_view title = input.Text();
    const std::string_view body = input.Rest();
    const TextPlatform& platform = CurrentTextPlatform();
    const ChosenLyrics chosen = ChooseLyrics(body, title, platform);
    fuzz::CheckChoice(chosen);
    const SearchResult result = ResultOfResponse(
        std::string(title), HttpResponse{SearchFailure::kNone, 200, false, std::string(body)},
        platform);
    FUZZ_CHECK((result.outcome == SearchOutcome::kFound) ==
               (chosen.kind == LyricsKind::kSynced || chosen.kind == LyricsKind::kPlain));
    if (result.outcome == SearchOutcome::kFound) {
        fuzz::CheckFile(result.fileBytes);
    }
    // The file from any bytes, as if the reader had let them through.
    fuzz::CheckFile(OnlineLyricsFileBytes(body));
    fuzz::CheckFileName(title);
    return 0;
}
