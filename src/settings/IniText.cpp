#include "settings/IniText.h"

#include "common/AnsiText.h"

namespace vesk {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The blanks around names and values: space, tab, the line-break controls (LF, VT, FF, CR)
// and 0x1A, as the system's profile functions skip them. Other control bytes are part of
// the name or value.
bool IsIniBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

std::string_view TrimIniBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsIniBlank(text[first])) {
        ++first;
    }
    while (last > first && IsIniBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Last character start at which byte occurs, npos when there is none. "]" can be the
// second byte of a double-byte character, which must not close a section name.
std::size_t FindLastByte(std::string_view text, char byte) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
        if (text[pos] == byte) {
            found = pos;
        }
    }
    return found;
}

}  // namespace

IniText::IniText(std::string content, bool caseSensitive)
    : content_(std::move(content)), caseSensitive_(caseSensitive) {}

IniText::Line IniText::LineAt(std::size_t begin) const {
    // CR and LF are below every trail byte, so a plain byte search finds line breaks.
    std::size_t end = content_.find_first_of("\r\n", begin);
    if (end == std::string::npos) {
        return {begin, content_.size(), content_.size()};
    }
    std::size_t next = end + 1;
    if (content_[end] == '\r' && next < content_.size() && content_[next] == '\n') {
        ++next;
    }
    return {begin, end, next};
}

std::string_view IniText::TextOf(const Line& line) const {
    return std::string_view(content_).substr(line.begin, line.end - line.begin);
}

std::optional<std::string_view> IniText::HeaderName(std::string_view line) {
    const std::string_view text = TrimIniBlanks(line);
    if (text.empty() || text.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = FindLastByte(text, ']');
    if (close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return TrimIniBlanks(text.substr(1, close - 1));
}

std::optional<IniText::Entry> IniText::EntryOf(std::string_view line) {
    const std::string_view text = TrimIniBlanks(line);
    const std::size_t equals = FindAnyByte(text, "=");
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{TrimIniBlanks(text.substr(0, equals)), TrimIniBlanks(text.substr(equals + 1))};
}

bool IniText::NameEqual(std::string_view a, std::string_view b) const {
    if (a.size() != b.size()) {
        return false;
    }
    if (caseSensitive_) {
        return a == b;
    }
    // Equal bytes so far mean equal character boundaries so far, since folding changes
    // only ASCII letters, which are never lead bytes.
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t size = CharSize(a, pos);
        if (size == 1) {
            if (FoldAscii(a[pos]) != FoldAscii(b[pos])) {
                return false;
            }
        } else if (a.compare(pos, size, b, pos, size) != 0) {
            return false;
        }
        pos += size;
    }
    return true;
}

std::optional<IniText::Line> IniText::FindSection(std::string_view section) const {
    for (std::size_t pos = 0; pos < content_.size();) {
        const Line line = LineAt(pos);
        const auto name = HeaderName(TextOf(line));
        if (name && NameEqual(*name, section)) {
            return line;
        }
        pos = line.next;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Read(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    for (std::size_t pos = header->next; pos < content_.size();) {
        const Line line = LineAt(pos);
        const std::string_view text = TextOf(line);
        if (HeaderName(text)) {
            break;
        }
        const auto entry = EntryOf(text);
        if (entry && NameEqual(entry->key, key)) {
            std::string_view value = entry->value;
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return std::string(value.substr(0, kMaxValueBytes));
        }
        pos = line.next;
    }
    return std::nullopt;
}

void IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));

    const auto header = FindSection(section);
    if (!header) {
        if (!content_.empty() && content_.back() != '\n' && content_.back() != '\r') {
            content_ += kLineBreak;
        }
        content_.append("[").append(section).append("]").append(kLineBreak);
        content_.append(key).append("=").append(value).append(kLineBreak);
        return;
    }

    Line last = *header;  // the new entry goes after this line
    for (std::size_t pos = header->next; pos < content_.size();) {
        const Line line = LineAt(pos);
        const std::string_view text = TextOf(line);
        if (HeaderName(text)) {
            break;
        }
        if (const auto entry = EntryOf(text)) {
            if (NameEqual(entry->key, key)) {
                std::string replaced(entry->key);
                replaced.append("=").append(value);
                if (line.next == line.end) {
                    replaced += kLineBreak;
                }
                content_.replace(line.begin, line.end - line.begin, replaced);
                return;
            }
            last = line;
        }
        pos = line.next;
    }

    std::string added;
    if (last.next == last.end) {  // the last line of the file, without a line break
        added += kLineBreak;
    }
    added.append(key).append("=").append(value).append(kLineBreak);
    content_.insert(last.next, added);
}

std::string StoredValue(std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    const bool blankAtAnEnd = !value.empty() && (blank(value.front()) || blank(value.back()));
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!blankAtAnEnd && !quoted) {
        return std::string(value);
    }
    return std::string("\"").append(value).append("\"");
}

}  // namespace vesk
