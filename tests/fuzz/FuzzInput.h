#pragma once

// How the fuzz targets cut one input into their arguments: fixed-size numbers from the
// front, then texts that each end at a NUL byte, then the rest as one text. Missing parts
// are zero or empty, so that every input is a valid call.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vesk::fuzz {

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    // Four bytes, little-endian.
    std::int32_t Int32() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4 && !rest_.empty(); ++i) {
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(rest_.front()))
                     << (8 * i);
            rest_.remove_prefix(1);
        }
        return static_cast<std::int32_t>(value);
    }

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto value = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return value;
    }

    // Up to the next NUL (which is skipped), or all that is left.
    std::string_view Text() {
        const std::size_t end = rest_.find('\0');
        const std::string_view text = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }

    // Everything that is left, NUL bytes included.
    std::string_view Rest() {
        const std::string_view text = rest_;
        rest_ = {};
        return text;
    }

private:
    std::string_view rest_;
};

// Stops the run with the input saved, as any crash does, when a property does not hold.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

}  // namespace vesk::fuzz
