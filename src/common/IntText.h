#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Reads an integer the way the list and settings files store them: optional leading
// blanks, an optional "+" or "-", then decimal digits that fit a signed 32-bit value, or
// one of the prefixes "$", "x", "X", "0x", "0X" and one to eight hexadecimal digits taken
// as a 32-bit pattern ("$FFFFFFFF" is -1). Nothing may follow the digits.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The 32-bit pattern of hexadecimal digits (either letter case): nullopt when digits is
// empty, holds anything else, or has more than eight digits after its leading zeros.
std::optional<std::uint32_t> ParseHexDigits(std::string_view digits);

// Decimal, "-" before negative values, no leading zeros, no "+".
std::string IntToText(std::int64_t value);

}  // namespace vesk
