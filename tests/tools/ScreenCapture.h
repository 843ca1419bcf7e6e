#pragma once

// Screen pictures for tests and for looking at what the program shows: a rectangle of the
// screen copied with BitBlt, its pixels, and a PNG file of it.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vesk::test {

struct ScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, red first, rows top to bottom

    // 0x00BBGGRR, as COLORREF.
    std::uint32_t At(int x, int y) const;
};

// The screen inside area (screen coordinates), as the display shows it now.
ScreenPicture CaptureScreen(const RECT& area);

// Writes the picture as an uncompressed PNG file; false when the file cannot be written.
bool SavePng(const ScreenPicture& picture, const std::string& path);

}  // namespace vesk::test
