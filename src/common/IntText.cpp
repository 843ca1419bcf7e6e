#include "common/IntText.h"

namespace vesk {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::uint32_t> ParseHexDigits(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    // Leading zeros do not count against the 32 bits.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    digits.remove_prefix(firstSignificant == std::string_view::npos ? digits.size()
                                                                    : firstSignificant);
    if (digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t pattern = 0;
    for (const char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) {
            return std::nullopt;
        }
        pattern = pattern << 4 | static_cast<std::uint32_t>(d);
    }
    return pattern;
}

std::optional<std::int32_t> ParseInt32(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string_view digits = text.substr(pos);
    if (digits.empty()) {
        return std::nullopt;
    }

    const bool hex =
        digits[0] == '$' || digits[0] == 'x' || digits[0] == 'X' ||
        (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'));
    if (hex) {
        digits.remove_prefix(digits[0] == '0' ? 2 : 1);
        const std::optional<std::uint32_t> parsed = ParseHexDigits(digits);
        if (!parsed) {
            return std::nullopt;
        }
        std::uint32_t pattern = *parsed;
        if (negative) {
            pattern = 0u - pattern;
        }
        return static_cast<std::int32_t>(pattern);
    }

    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

std::string IntToText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace vesk
