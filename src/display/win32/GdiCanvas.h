#pragma once

// The canvas of the control framework over a GDI device context, and its 24-bit off-screen
// bitmaps (DIB sections, so that their rows can be written directly).

#include <windows.h>

#include <memory>

#include "common/win32/WinHandles.h"
#include "display/Canvas.h"

namespace vesk {

// The GDI work shared by the canvas of a device context and the canvas of a bitmap. The
// device context's state (font, text colour, background mode) is put back afterwards.
template <class Base>
class TGdiCanvasOf : public Base {
public:
    explicit TGdiCanvasOf(HDC dc);
    ~TGdiCanvasOf() override;
    TGdiCanvasOf(const TGdiCanvasOf&) = delete;
    TGdiCanvasOf& operator=(const TGdiCanvasOf&) = delete;

    HDC Handle() const { return dc_; }

    Color ToRgb(Color color) const override;
    void FillRect(const TRect& rect, Color color) override;
    void SetFont(const Font& font) override;
    void SetTextColor(Color color) override;
    int DrawTextRect(std::string_view text, TRect& rect, TextFormat format) override;
    int TextWidth(std::string_view text) override;
    int TextOverhang() override;
    std::unique_ptr<TBitmapCanvas> CreateBitmap(int width, int height) override;
    void StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) override;
    void Draw(int x, int y, TBitmapCanvas& bitmap) override;

protected:
    // For a bitmap, whose device context is made after the base.
    TGdiCanvasOf() = default;
    void Begin(HDC dc);
    // Puts the context's state back and frees the font; idempotent.
    void End();

private:
    HDC dc_ = nullptr;
    int savedState_ = 0;
    FontHandle font_;
};

extern template class TGdiCanvasOf<TCanvas>;
extern template class TGdiCanvasOf<TBitmapCanvas>;

// Draws on a device context that someone else owns (a window's, a printer's, a bitmap's).
using TGdiCanvas = TGdiCanvasOf<TCanvas>;

// A top-down 24-bit DIB section selected into its own memory device context.
class TGdiBitmap : public TGdiCanvasOf<TBitmapCanvas> {
public:
    // A bitmap compatible with the reference context, or nullptr when the size is empty or
    // the system refuses it.
    static std::unique_ptr<TGdiBitmap> Create(HDC reference, int width, int height);
    ~TGdiBitmap() override;

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::uint8_t* Row(int y) override;
    void StretchFirstColumn() override;

private:
    TGdiBitmap() = default;

    MemoryDc memoryDc_;
    BitmapHandle bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
};

namespace detail {
// Held in a base before the canvas so that the context outlives the canvas's clean-up.
struct ScreenDcHolder {
    WindowDc screenDc{nullptr};
};
}  // namespace detail

// A canvas on the screen's device context, for measuring text.
class TScreenCanvas : private detail::ScreenDcHolder, public TGdiCanvas {
public:
    TScreenCanvas() : TGdiCanvas(screenDc.Get()) {}
};

// The GDI font of a program font at the device context's resolution.
FontHandle CreateGdiFont(HDC dc, const Font& font);

}  // namespace vesk
