#include "lyrics/LyricsCsv.h"

#include <utility>

#include "common/AnsiText.h"
#include "common/IntText.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

constexpr ProgramText kQuoteMarker{"【退避してます】"};
constexpr std::string_view kQuotePair = "\"\"";

// The first double quote at or after from that is not part of a pair, pairs counted from
// from on; npos when there is none. pairs tells whether any pair came before it.
std::size_t ClosingQuote(std::string_view text, std::size_t from, bool* pairs = nullptr) {
    for (std::size_t pos = text.find('"', from); pos != std::string_view::npos;
         pos = text.find('"', pos + 2)) {
        if (pos + 1 >= text.size() || text[pos + 1] != '"') {
            return pos;
        }
        if (pairs != nullptr) {
            *pairs = true;
        }
    }
    return std::string_view::npos;
}

// An optional "-" and at most ten decimal digits that fit 32 bits, nothing else.
std::optional<std::int32_t> WrittenNumber(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string Unquoted(std::string_view text, bool pairs) {
    return pairs ? ReplaceBytes(text, kQuotePair, "\"") : std::string(text);
}

// A found raw field: pairs of quotes stood in for by the marker and were turned back, so
// only a marker text that was already there changes.
std::string RawField(std::string_view field) {
    const std::string& marker = QuoteMarker();
    if (field.find(marker) == std::string_view::npos) {
        return std::string(field);
    }
    return ReplaceBytes(field, marker, kQuotePair);
}

}  // namespace

const std::string& QuoteMarker() {
    // Asked for once per field of a list file: kept here rather than looked up each time.
    static const std::string& marker = kQuoteMarker.Ansi();
    return marker;
}

std::string CsvFirstField(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '"') {
        // Pairs count from the left without overlap; the first quote outside a pair closes.
        const std::size_t end = ClosingQuote(text, 1);
        return end == std::string_view::npos ? std::string() : RawField(text.substr(1, end - 1));
    }
    // A pair of quotes holds no comma, so standing in for pairs cannot move the first comma.
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::string();
    }
    return RawField(text.substr(0, comma));
}

std::string UndoubleQuotes(std::string raw) {
    if (raw.find('"') == std::string::npos) {
        return raw;
    }
    return ReplaceBytes(raw, kQuotePair, "\"");
}

std::string_view CsvTextAfterTitle(std::string_view line, std::string_view rawTitle,
                                   std::string& storage) {
    std::string_view before;
    std::string_view after = line;
    if (!rawTitle.empty()) {
        const std::size_t found = line.find(rawTitle);
        if (found != std::string_view::npos) {
            before = line.substr(0, found);
            after = line.substr(found + rawTitle.size());
        }
    }
    // The first comma of the line with the title taken out.
    if (const std::size_t comma = before.find(','); comma != std::string_view::npos) {
        storage.assign(before.substr(comma + 1));
        storage.append(after);
        return TrimBlanks(storage);
    }
    const std::size_t comma = after.find(',');
    if (comma == std::string_view::npos) {
        return {};
    }
    return TrimBlanks(after.substr(comma + 1));
}

std::string_view CsvLastField(std::string_view line) {
    const std::size_t last = line.rfind(',');
    return last == std::string_view::npos ? line : line.substr(last + 1);
}

std::string_view CsvSecondLastField(std::string_view line) {
    const std::size_t last = line.rfind(',');
    if (last == std::string_view::npos || last == 0) {
        return {};
    }
    const std::size_t secondLast = line.rfind(',', last - 1);
    if (secondLast == std::string_view::npos) {
        return {};
    }
    return line.substr(secondLast + 1, last - secondLast - 1);
}

std::int32_t CsvLineNumber(std::string_view field) {
    if (field.find('"') == std::string_view::npos) {
        return ParseInt32(TrimBlanks(field)).value_or(0);
    }
    const std::string unquoted = ReplaceBytes(field, "\"", "");
    return ParseInt32(TrimBlanks(unquoted)).value_or(0);
}

std::optional<CsvQuotedField> ReadCsvQuoted(std::string_view text) {
    if (text.empty() || text[0] != '"') {
        return std::nullopt;
    }
    bool pairs = false;
    const std::size_t end = ClosingQuote(text, 1, &pairs);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return CsvQuotedField{Unquoted(text.substr(1, end - 1), pairs), text.substr(end + 1)};
}

std::optional<CsvEntry> ParseWrittenCsvLine(std::string_view line) {
    // "title","path",start,end. A marker text would change the raw title, and with it
    // where the path is looked for: such a line goes the long way.
    if (line.find(QuoteMarker()) != std::string_view::npos) {
        return std::nullopt;
    }
    std::optional<CsvQuotedField> title = ReadCsvQuoted(line);
    if (!title || title->rest.empty() || title->rest[0] != ',') {
        return std::nullopt;
    }
    std::optional<CsvQuotedField> path = ReadCsvQuoted(title->rest.substr(1));
    if (!path || path->rest.empty() || path->rest[0] != ',') {
        return std::nullopt;
    }
    const std::string_view numbers = path->rest.substr(1);
    const std::size_t comma = numbers.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<std::int32_t> start = WrittenNumber(numbers.substr(0, comma));
    const std::optional<std::int32_t> end = WrittenNumber(numbers.substr(comma + 1));
    if (!start || !end) {
        return std::nullopt;
    }
    return CsvEntry{std::move(title->text), std::move(path->text), *start, *end};
}

void AppendCsvQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"') {
            out += kQuotePair;
        } else if (c == '\r' || c == '\n' || c == '\0') {
            out += ' ';
        } else {
            out += c;
        }
    }
    out += '"';
}

void AppendCsvLine(std::string& out, std::string_view title, std::string_view fileName,
                   std::int32_t startLine, std::int32_t endLine) {
    AppendCsvQuoted(out, title);
    out += ',';
    AppendCsvQuoted(out, fileName);
    out += ',';
    out += IntToText(startLine);
    out += ',';
    out += IntToText(endLine);
    out += "\r\n";
}

}  // namespace vesk
