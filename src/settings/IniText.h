#pragma once

// The INI text format of the settings file, over the file's bytes (no character
// conversion; names and values are ANSI byte strings).
//
// - A line whose text (blanks trimmed) starts with "[" and holds a "]" opens a section; its
//   name is what stands between the "[" and the last "]" of the line, without blanks around.
// - A line inside a section that holds "=" is an entry: the key before the first "=", the
//   value after it, both without surrounding blanks. Other lines, and entries before the
//   first section, are ignored on reading and kept as they are on writing.
// - Names are matched without regard to the case of ASCII letters (the bytes of a
//   double-byte character always match exactly). Only the first section of a name counts,
//   and in it only the first entry of a key.
// - Lines end with CR LF, a lone CR or a lone LF; lines that this class writes end with
//   CR LF.
// - Blanks are space, tab, VT, FF and 0x1A (and the line breaks), as the system's profile
//   functions have them; other control bytes belong to the name or value.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

class IniText {
public:
    // Values are cut to this many bytes on reading.
    static constexpr std::size_t kMaxValueBytes = 2047;

    explicit IniText(std::string content = {}, bool caseSensitive = false);

    const std::string& Content() const { return content_; }

    // Whether names must match in the case of ASCII letters too (false for the settings
    // file).
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool caseSensitive) { caseSensitive_ = caseSensitive; }

    // The value of key, without one pair of enclosing double or single quotes and cut to
    // kMaxValueBytes; nullopt when the section or the key is missing. A present empty
    // value is the empty string.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // Replaces the entry's line by "key=value" (the key as the file spells it), or adds the
    // entry as the last entry of its section, or adds the section at the end. Every other
    // line keeps its place and bytes. A value is cut at its first line break, which would
    // otherwise start a line of its own.
    void Write(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        std::size_t begin;  // first byte
        std::size_t end;    // end of the text, before the line break
        std::size_t next;   // first byte of the next line
    };
    struct Entry {
        std::string_view key;
        std::string_view value;
    };

    Line LineAt(std::size_t begin) const;
    // The section name of a header line, nullopt for any other line.
    static std::optional<std::string_view> HeaderName(std::string_view line);
    static std::optional<Entry> EntryOf(std::string_view line);
    bool NameEqual(std::string_view a, std::string_view b) const;
    // The header line of the first section named section, nullopt when there is none.
    std::optional<Line> FindSection(std::string_view section) const;
    std::string_view TextOf(const Line& line) const;

    std::string content_;
    bool caseSensitive_;
};

// The value as the settings file stores it: cut at its first line break, and enclosed in
// one pair of double quotes when reading would otherwise change it (a value that begins or
// ends with a blank, or that is itself enclosed in a pair of quotes). Reading strips the
// pair, as every reader of the format does, so the value reads back as written.
std::string StoredValue(std::string_view value);

}  // namespace vesk
