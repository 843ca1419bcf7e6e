#pragma once

// Every size the program states in pixels (dialog tables, window sizes, list columns) is a
// size at 96 DPI. A window drawn at another DPI gets that size times its DPI / 96, rounded
// to the nearest pixel with halves away from zero, as the system's MulDiv rounds, so that a
// scaled size is the one the system would give. Vesk is aware of each monitor's DPI (its
// manifest says so): at 96 DPI every size stays as stated.

#include <cstdint>

namespace vesk {

inline constexpr int kBaseDpi = 96;

class DpiScale {
public:
    constexpr explicit DpiScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

    constexpr int Dpi() const { return dpi_; }
    // A size at 96 DPI in the window's pixels.
    constexpr int operator()(int pixels) const { return Rounded(pixels, dpi_, kBaseDpi); }
    // The window's pixels as a size at 96 DPI.
    constexpr int Unscaled(int pixels) const { return Rounded(pixels, kBaseDpi, dpi_); }
    // Pixels of a window at another DPI (before the window moved to a monitor of this one).
    constexpr int From(const DpiScale& other, int pixels) const {
        return Rounded(pixels, dpi_, other.dpi_);
    }

private:
    static constexpr int Rounded(int value, int numerator, int denominator) {
        const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
        const std::int64_t half = denominator / 2;
        return static_cast<int>(product >= 0 ? (product + half) / denominator
                                             : -((-product + half) / denominator));
    }

    int dpi_;
};

}  // namespace vesk
