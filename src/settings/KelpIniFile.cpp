#include "settings/KelpIniFile.h"

#include <optional>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/IntText.h"
#include "common/ProgramText.h"
#include "settings/IniText.h"

namespace vesk {

namespace {

constexpr ProgramText kCannotWrite{"%s に書き込めません"};
constexpr ProgramText kNotAnInteger{"'%s' は整数ではありません"};
constexpr ProgramText kQuoteMarker{"【quote】"};

constexpr std::size_t kHexDigits = 8;

// The message with its "%s" replaced by argument (bytes taken as they are).
std::string FormatMessage(const ProgramText& message, std::string_view argument) {
    std::string text = message.Ansi();
    const std::size_t at = FindText(text, "%s");
    if (at != std::string::npos) {
        text.replace(at, 2, argument);
    }
    return text;
}

// Replaces every occurrence of from that starts a character.
std::string ReplaceText(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t pos = 0;
    for (std::size_t hit = FindText(text, from); hit != std::string_view::npos;
         hit = FindText(text, from, pos)) {
        result.append(text, pos, hit - pos).append(to);
        pos = hit + from.size();
    }
    result.append(text, pos);
    return result;
}

std::string Key(std::string_view ident, std::string_view suffix) {
    return std::string(ident).append(suffix);
}

// ident, a full stop and the item number.
std::string ItemKey(std::string_view ident, std::int64_t n) {
    return std::string(ident).append(".").append(IntToText(n));
}

std::string HexText(std::uint32_t pattern) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text += kDigits[pattern >> shift & 0xF];
    }
    return text;
}

}  // namespace

IniWriteError::IniWriteError(const std::string& path)
    : AnsiError(FormatMessage(kCannotWrite, path)), path_(path) {}

IniConvertError::IniConvertError(const std::string& text)
    : AnsiError(FormatMessage(kNotAnInteger, text)) {}

std::int32_t TCustomIniFile::ReadNumber(std::string_view section, std::string_view key,
                                        std::int32_t defaultValue) const {
    std::string text = ReadText(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.replace(0, 2, "$");
    }
    return ParseInt32(text).value_or(defaultValue);
}

void TCustomIniFile::WriteNumber(std::string_view section, std::string_view key,
                                 std::int32_t value) {
    WriteText(section, key, IntToText(value));
}

bool TCustomIniFile::ReadFlag(std::string_view section, std::string_view key,
                              bool defaultValue) const {
    return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteFlag(std::string_view section, std::string_view key, bool value) {
    WriteText(section, key, value ? "1" : "0");
}

TIniFile::~TIniFile() {
    try {
        TIniFile::Flush();
    } catch (...) {
        // A release never throws; whatever could not be flushed is lost.
    }
}

std::string TIniFile::ReadText(std::string_view section, std::string_view key,
                               std::string_view defaultText) const {
    std::optional<std::string> content = CurrentFileSystem().ReadFile(FileName());
    if (!content) {
        return std::string(defaultText);
    }
    return IniText(std::move(*content)).Read(section, key).value_or(std::string(defaultText));
}

void TIniFile::WriteText(std::string_view section, std::string_view key, std::string_view text) {
    const FileSystem& files = CurrentFileSystem();
    std::optional<std::string> content;
    if (files.KindOf(FileName()) != FileSystem::Kind::Missing) {
        // Writing over a file that could not be read would lose everything else in it.
        content = files.ReadFile(FileName());
        if (!content) {
            throw IniWriteError(FileName());
        }
    }
    IniText ini(content.value_or(std::string()));
    ini.Write(section, key, StoredValue(text));
    if (content && ini.Content() == *content) {
        return;
    }
    if (!files.ReplaceFile(FileName(), ini.Content())) {
        throw IniWriteError(FileName());
    }
}

Color TKelpIniFile::ReadColor(std::string_view section, std::string_view ident,
                              Color defaultColor) const {
    return static_cast<Color>(ReadHex(section, ident, static_cast<std::int32_t>(defaultColor)));
}

void TKelpIniFile::WriteColor(std::string_view section, std::string_view ident, Color color) {
    WriteHex(section, ident, static_cast<std::int32_t>(color));
}

std::int32_t TKelpIniFile::ReadHex(std::string_view section, std::string_view ident,
                                   std::int32_t defaultValue) const {
    const std::string text =
        ReadText(section, ident, HexText(static_cast<std::uint32_t>(defaultValue)));
    // Whatever the first two characters are, up to eight digits after them count.
    const std::string digits = text.size() > 2 ? text.substr(2, kHexDigits) : std::string();
    const std::optional<std::uint32_t> pattern = ParseHexDigits(digits);
    if (!pattern) {
        throw IniConvertError("$" + digits);
    }
    return static_cast<std::int32_t>(*pattern);
}

void TKelpIniFile::WriteHex(std::string_view section, std::string_view ident, std::int32_t value) {
    WriteText(section, ident, HexText(static_cast<std::uint32_t>(value)));
}

void TKelpIniFile::ReadStrings(std::string_view section, std::string_view ident,
                               std::vector<std::string>& strings) const {
    const std::int32_t count =
        ReadNumber(section, Key(ident, ".Count"), static_cast<std::int32_t>(strings.size()));
    std::vector<std::string> items;
    for (std::int32_t n = 0; n < count; ++n) {
        const std::size_t index = static_cast<std::size_t>(n);
        const std::string_view current =
            index < strings.size() ? std::string_view(strings[index]) : std::string_view();
        items.push_back(ReadText(section, ItemKey(ident, n), current));
    }
    strings = std::move(items);
}

void TKelpIniFile::WriteStrings(std::string_view section, std::string_view ident,
                                const std::vector<std::string>& strings) {
    WriteNumber(section, Key(ident, ".Count"), static_cast<std::int32_t>(strings.size()));
    for (std::size_t n = 0; n < strings.size(); ++n) {
        WriteText(section, ItemKey(ident, static_cast<std::int64_t>(n)), strings[n]);
    }
}

void TKelpIniFile::ReadFont(std::string_view section, std::string_view ident, Font& font) const {
    Font read = NewFont();
    read.name = ReadText(section, Key(ident, ".Name"), font.name);
    read.size = ReadNumber(section, Key(ident, ".Size"), font.size);
    read.style = static_cast<std::uint8_t>(ReadNumber(section, Key(ident, ".Style"), font.style));
    read.color = ReadColor(section, Key(ident, ".Color"), font.color);
    font = std::move(read);
}

void TKelpIniFile::WriteFont(std::string_view section, std::string_view ident, const Font& font) {
    WriteText(section, Key(ident, ".Name"), font.name);
    WriteNumber(section, Key(ident, ".Size"), font.size);
    WriteNumber(section, Key(ident, ".Style"), font.style);
    WriteColor(section, Key(ident, ".Color"), font.color);
}

void TKelpIniFile::ReadPosition(std::string_view section, std::string_view ident,
                                WindowPosition& position) const {
    position.left = ReadNumber(section, Key(ident, ".X"), position.left);
    position.top = ReadNumber(section, Key(ident, ".Y"), position.top);
}

void TKelpIniFile::WritePosition(std::string_view section, std::string_view ident,
                                 const WindowPosition& position) {
    WriteNumber(section, Key(ident, ".X"), position.left);
    WriteNumber(section, Key(ident, ".Y"), position.top);
}

void TKelpIniFile::ReadSize(std::string_view section, std::string_view ident,
                            WindowSize& size) const {
    size.width = ReadNumber(section, Key(ident, ".XSize"), size.width);
    size.height = ReadNumber(section, Key(ident, ".YSize"), size.height);
}

void TKelpIniFile::WriteSize(std::string_view section, std::string_view ident,
                             const WindowSize& size) {
    WriteNumber(section, Key(ident, ".XSize"), size.width);
    WriteNumber(section, Key(ident, ".YSize"), size.height);
}

void TKelpIniFile::ReadPlacement(std::string_view section, std::string_view ident,
                                 WindowPlacement& placement) const {
    placement.flags = ReadNumber(section, Key(ident, ".Flags"), placement.flags);
    placement.showCmd = ReadNumber(section, Key(ident, ".Show"), placement.showCmd);
    placement.maxX = ReadNumber(section, Key(ident, ".MaxX"), placement.maxX);
    placement.maxY = ReadNumber(section, Key(ident, ".MaxY"), placement.maxY);
    placement.left = ReadNumber(section, Key(ident, ".X"), placement.left);
    placement.top = ReadNumber(section, Key(ident, ".Y"), placement.top);
    placement.right = ReadNumber(section, Key(ident, ".XSize"), placement.right);
    placement.bottom = ReadNumber(section, Key(ident, ".YSize"), placement.bottom);
}

void TKelpIniFile::WritePlacement(std::string_view section, std::string_view ident,
                                  const WindowPlacement& placement) {
    WriteNumber(section, Key(ident, ".Flags"), placement.flags);
    WriteNumber(section, Key(ident, ".Show"), placement.showCmd);
    WriteNumber(section, Key(ident, ".MaxX"), placement.maxX);
    WriteNumber(section, Key(ident, ".MaxY"), placement.maxY);
    WriteNumber(section, Key(ident, ".X"), placement.left);
    WriteNumber(section, Key(ident, ".Y"), placement.top);
    WriteNumber(section, Key(ident, ".XSize"), placement.right);
    WriteNumber(section, Key(ident, ".YSize"), placement.bottom);
}

void TKelpIniFile::WriteQuoted(std::string_view section, std::string_view ident,
                               std::string_view text) {
    WriteText(section, ident, ReplaceText(text, "\"", kQuoteMarker.Ansi()));
}

std::string TKelpIniFile::ReadQuoted(std::string_view section, std::string_view ident,
                                     std::string_view defaultText) const {
    return ReplaceText(ReadText(section, ident, defaultText), kQuoteMarker.Ansi(), "\"");
}

}  // namespace vesk
