#pragma once

// The pieces of the lyrics list file's line format. TLyricsList composes them in its
// virtual field readers, so that a derived list can replace one step.
//
// A line as written: "title","path",start,end  (double quotes inside the texts doubled).
// Every search here is by byte: double quote and comma are never the second byte of a
// double-byte character, and a title that ends in a stray lead byte must not swallow its
// closing quote.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Stands in for a doubled double quote while a field is cut out of a line.
const std::string& QuoteMarker();

// The raw first field of text: quoted (up to the first double quote that is not part of a
// pair) or unquoted (up to the first comma); empty when the field has no end. Doubled
// quotes stay doubled; a marker text inside the field becomes a doubled quote.
std::string CsvFirstField(std::string_view text);

// Each pair of double quotes, from the left, made one.
std::string UndoubleQuotes(std::string raw);

// What the path field starts from: line without the first occurrence of rawTitle, from
// after its first comma on, trimmed; empty when there is no comma. The result points into
// line, or into storage when the title stood after that comma.
std::string_view CsvTextAfterTitle(std::string_view line, std::string_view rawTitle,
                                   std::string& storage);

// The text after the last comma (the whole line when it has none), and the text between
// the second-last and the last comma (empty when the line has fewer than two commas).
std::string_view CsvLastField(std::string_view line);
std::string_view CsvSecondLastField(std::string_view line);

// A line number field: double quotes removed, trimmed, read as an integer ("$", "x", "0x"
// for hexadecimal); 0 when it is not one that fits 32 bits.
std::int32_t CsvLineNumber(std::string_view field);

struct CsvEntry {
    std::string title;
    std::string fileName;
    std::int32_t startLine;
    std::int32_t endLine;
};

// The entry of a line in the form AppendCsvLine writes (no marker text in it, decimal
// line numbers that fit 32 bits), read in one pass; nullopt for any other line. For such
// a line the field readers give the same four values.
std::optional<CsvEntry> ParseWrittenCsvLine(std::string_view line);

// A field in double quotes at the start of text (pairs of quotes inside stand for one), and
// what follows its closing quote; nullopt when text does not begin with a double quote or
// the field has no end.
struct CsvQuotedField {
    std::string text;
    std::string_view rest;  // points into text given
};
std::optional<CsvQuotedField> ReadCsvQuoted(std::string_view text);

// Appends text as a quoted field, each double quote doubled. CR, LF and NUL are written as
// spaces: any of them would split the line or end the file early when it is read back.
void AppendCsvQuoted(std::string& out, std::string_view text);

// Appends one entry's line and CR LF, the texts as AppendCsvQuoted writes them.
void AppendCsvLine(std::string& out, std::string_view title, std::string_view fileName,
                   std::int32_t startLine, std::int32_t endLine);

}  // namespace vesk
