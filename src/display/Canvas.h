#pragma once

// The drawing surface that controls paint on, as narrow as the shadow label needs: fills,
// text through DrawText with its format flags, text measurement, and 24-bit off-screen
// bitmaps. The Win32 layer does the work with GDI (win32/GdiCanvas.h); tests record the calls.
// Coordinates are the control's own: (0, 0) is its top-left corner.

#include <cstdint>
#include <memory>
#include <string_view>

#include "common/Anchors.h"
#include "common/Color.h"
#include "common/Font.h"

namespace vesk {

// DrawText format flags, with the values of the Win32 DT_ constants.
using TextFormat = std::uint32_t;
inline constexpr TextFormat kDtLeft = 0x0000;
inline constexpr TextFormat kDtCenter = 0x0001;
inline constexpr TextFormat kDtRight = 0x0002;
inline constexpr TextFormat kDtWordBreak = 0x0010;
inline constexpr TextFormat kDtExpandTabs = 0x0040;
inline constexpr TextFormat kDtCalcRect = 0x0400;
inline constexpr TextFormat kDtNoPrefix = 0x0800;
inline constexpr TextFormat kDtPathEllipsis = 0x4000;
inline constexpr TextFormat kDtEndEllipsis = 0x8000;

class TBitmapCanvas;

class TCanvas {
public:
    virtual ~TCanvas() = default;

    // The plain RGB value of a colour: system colours resolved to their current value.
    virtual Color ToRgb(Color color) const = 0;

    virtual void FillRect(const TRect& rect, Color color) = 0;

    // Selects the font for the following text calls; text is drawn without a background box.
    virtual void SetFont(const Font& font) = 0;
    virtual void SetTextColor(Color color) = 0;

    // DrawTextA: draws text into rect with the format flags and returns the text's height.
    // With kDtCalcRect it draws nothing and sets rect to the text's extent instead.
    virtual int DrawTextRect(std::string_view text, TRect& rect, TextFormat format) = 0;
    // Width of text on one line (GetTextExtentPoint32A).
    virtual int TextWidth(std::string_view text) = 0;
    // The selected font's overhang (tmOverhang of its text metrics).
    virtual int TextOverhang() = 0;

    // A new 24-bit bitmap to draw on off screen, or nullptr when it cannot be made.
    virtual std::unique_ptr<TBitmapCanvas> CreateBitmap(int width, int height) = 0;
    // Copies the whole bitmap onto rect, stretching it (StretchBlt, SRCCOPY).
    virtual void StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) = 0;
    // Copies the whole bitmap with its top-left corner at (x, y) (BitBlt, SRCCOPY).
    virtual void Draw(int x, int y, TBitmapCanvas& bitmap) = 0;
};

// An off-screen bitmap of 24 bits a pixel whose rows can be written directly: each row holds
// 3 bytes a pixel (blue, green, red), row 0 is the top row.
class TBitmapCanvas : public TCanvas {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual std::uint8_t* Row(int y) = 0;
    // Stretches the first column (x 0, all rows) over the whole bitmap.
    virtual void StretchFirstColumn() = 0;
};

}  // namespace vesk
