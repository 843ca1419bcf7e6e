// Paste assignment's texts from any title, folder and clipboard text: the file name holds
// no character Windows forbids in names, no control character and no device name, and
// keeps its ".txt"; the confirmation shows the path whole and an excerpt that ends on a
// whole character; the file content ends every line with CR LF and loses no other byte.
//
// Input: folder NUL title NUL clipboard text.

#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "editing/untPasteSave.h"

namespace vesk::fuzz {
namespace {

std::string WithoutLineBreaks(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != '\r' && c != '\n') {
            kept += c;
        }
    }
    return kept;
}

void CheckFileName(std::string_view title, std::string_view folder) {
    const std::string name = TPasteSave::SafeFileName(title);
    for (std::size_t pos = 0; pos < name.size(); pos += CharSize(name, pos)) {
        if (CharSize(name, pos) == 1) {
            const auto c = static_cast<unsigned char>(name[pos]);
            FUZZ_CHECK(c >= 0x20 &&
                       std::string_view("\\/:*?\"<>|").find(name[pos]) == std::string_view::npos);
        }
    }
    const std::string path = TPasteSave::PathOf(folder, title);
    FUZZ_CHECK(path == std::string(folder) + name + ".txt");
    // The extension is read as ".txt" from the start of the name.
    FUZZ_CHECK(IsCharStart(name + ".txt", name.size()));
    FUZZ_CHECK(!IsReservedDeviceName(name + ".txt"));
}

void CheckConfirmation(std::string_view path, std::string_view clipboard) {
    // The frame around path and excerpt, from the text of an empty path and clipboard:
    // a quote, the path, its line and the rule, then the excerpt, then the rest.
    static const std::string empty = TPasteSave::ConfirmationText("", "");
    static const std::size_t before = empty.find('\r', empty.find('\r') + 1) + 1;
    static const std::size_t after = empty.size() - before;

    const std::string text = TPasteSave::ConfirmationText(path, clipboard);
    FUZZ_CHECK(text.size() >= before + path.size() + after);
    FUZZ_CHECK(text.compare(1, path.size(), path) == 0);
    const std::size_t length = text.size() - before - path.size() - after;
    FUZZ_CHECK(length <= 100 && length <= clipboard.size());
    FUZZ_CHECK(text.compare(before + path.size(), length, clipboard.substr(0, length)) == 0);
    // The ellipsis after the excerpt reads as the ellipsis.
    FUZZ_CHECK(IsCharStart(clipboard, length));
    FUZZ_CHECK(IsCharStart(std::string_view(text).substr(before + path.size()), length));
    FUZZ_CHECK(text.compare(text.size() - after, after, empty, before, after) == 0);
}

void CheckFileContent(std::string_view clipboard) {
    const std::string content = TPasteSave::FileContent(clipboard);
    FUZZ_CHECK(WithoutLineBreaks(content) == WithoutLineBreaks(clipboard));
    for (std::size_t pos = 0; pos < content.size(); ++pos) {
        if (content[pos] == '\r') {
            FUZZ_CHECK(pos + 1 < content.size() && content[pos + 1] == '\n');
        } else if (content[pos] == '\n') {
            FUZZ_CHECK(pos > 0 && content[pos - 1] == '\r');
        }
    }
    FUZZ_CHECK(content.empty() || content.ends_with("\r\n"));
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    fuzz::FuzzInput input(data, size);
    const std::string_view folder = input.Text();
    const std::string_view title = input.Text();
    const std::string_view clipboard = input.Rest();
    fuzz::CheckFileName(title, folder);
    fuzz::CheckConfirmation(TPasteSave::PathOf(folder, title), clipboard);
    fuzz::CheckFileContent(clipboard);
    return 0;
}
