// The settings file's INI text: any content, names and value read and write without a
// fault. For names as the program has them (printable ASCII, no brackets, no "="), a
// written value reads back as the format keeps it, writing it again changes nothing and
// another key of the section keeps its value. The typed readers and the quoted texts go
// through a settings file in memory.
//
// Input: section NUL key NUL value NUL other key NUL content.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzInput.h"
#include "MemoryFileSystem.h"
#include "common/FileSystem.h"
#include "settings/IniText.h"
#include "settings/KelpIniFile.h"

namespace vesk::fuzz {
namespace {

bool IsPlainName(std::string_view name) {
    for (const char c : name) {
        if (c < '!' || c > '~' || c == '[' || c == ']' || c == '=') {
            return false;
        }
    }
    return true;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto fold = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (fold(a[i]) != fold(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// What Read gives after Write(value): the first line, without blanks around it and
// without one pair of enclosing quotes, cut to the longest value.
std::string ReadBack(std::string_view value) {
    value = Trimmed(value.substr(0, value.find_first_of("\r\n")));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, IniText::kMaxValueBytes));
}

void CheckText(std::string_view section, std::string_view key, std::string_view value,
               std::string_view otherKey, const std::string& content) {
    IniText ini(content);
    (void)ini.Read(section, key);
    const std::optional<std::string> other = ini.Read(section, otherKey);
    ini.Write(section, key, value);
    if (!IsPlainName(section) || !IsPlainName(key)) {
        (void)ini.Read(section, key);
        return;
    }
    FUZZ_CHECK(ini.Read(section, key) == ReadBack(value));
    if (IsPlainName(otherKey) && !SameName(otherKey, key)) {
        FUZZ_CHECK(ini.Read(section, otherKey) == other);
    }
    const std::string written = ini.Content();
    ini.Write(section, key, value);
    FUZZ_CHECK(ini.Content() == written);
}

void CheckTypedReaders(std::string_view section, std::string_view key, std::string_view value,
                       const std::string& content) {
    test::MemoryFileSystem files;
    ScopedFileSystem scope(files);
    files.files["Vesk.ini"] = content;
    TKelpIniFile ini("Vesk.ini");
    (void)ini.ReadNumber(section, key, 7);
    (void)ini.ReadFlag(section, key, true);
    try {
        (void)ini.ReadHex(section, key, 7);
    } catch (const IniConvertError&) {
    }

    ini.WriteQuoted(section, key, value);
    const std::string quoted = ini.ReadQuoted(section, key, "");
    const bool keepsQuotes =
        value.find_first_of("\r\n") == std::string_view::npos && Trimmed(value) == value &&
        value.find("\x81\x79quote\x81\x7A") == std::string_view::npos &&
        !(value.size() >= 2 && value.front() == '\'' && value.back() == '\'') &&
        value.size() + 8 * std::count(value.begin(), value.end(), '"') <= IniText::kMaxValueBytes;
    if (IsPlainName(section) && IsPlainName(key) && keepsQuotes) {
        FUZZ_CHECK(quoted == value);
    }
}

}  // namespace
}  // namespace vesk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vesk::fuzz::FuzzInput input(data, size);
    const std::string_view section = input.Text();
    const std::string_view key = input.Text();
    const std::string_view value = input.Text();
    const std::string_view otherKey = input.Text();
    const std::string content(input.Rest());
    vesk::fuzz::CheckText(section, key, value, otherKey, content);
    vesk::fuzz::CheckTypedReaders(section, key, value, content);
    return 0;
}
