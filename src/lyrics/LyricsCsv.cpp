#include "lyrics/LyricsCsv.h"

#include "common/AnsiText.h"
#include "common/IntText.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

constexpr ProgramText kQuoteMarker{"【退避してます】"};
constexpr std::string_view kQuotePair = "\"\"";

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
    return kQuoteMarker.Ansi();
}

std::string CsvFirstField(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '"') {
        text.remove_prefix(1);
        // Pairs count from the left without overlap; the first quote outside a pair closes.
        for (std::size_t pos = text.find('"'); pos != std::string_view::npos;
             pos = text.find('"', pos + 2)) {
            if (pos + 1 >= text.size() || text[pos + 1] != '"') {
                return RawField(text.substr(0, pos));
            }
        }
        return std::string();
    }
    // A pair of quotes holds no comma, so standing in for pairs cannot move the first comma.
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        return std::string();
    }
    return RawField(text.substr(0, comma));
}

std::string UndoubleQuotes(std::string_view raw) {
    if (raw.find('"') == std::string_view::npos) {
        return std::string(raw);
    }
    return ReplaceBytes(raw, kQuotePair, "\"");
}

std::string CsvTextAfterTitle(std::string_view line, std::string_view rawTitle) {
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
        std::string rest(before.substr(comma + 1));
        rest.append(after);
        return std::string(TrimBlanks(rest));
    }
    const std::size_t comma = after.find(',');
    if (comma == std::string_view::npos) {
        return std::string();
    }
    return std::string(TrimBlanks(after.substr(comma + 1)));
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

void AppendCsvLine(std::string& out, std::string_view title, std::string_view fileName,
                   std::int32_t startLine, std::int32_t endLine) {
    const auto appendQuoted = [&out](std::string_view text) {
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
    };
    appendQuoted(title);
    out += ',';
    appendQuoted(fileName);
    out += ',';
    out += IntToText(startLine);
    out += ',';
    out += IntToText(endLine);
    out += "\r\n";
}

}  // namespace vesk
