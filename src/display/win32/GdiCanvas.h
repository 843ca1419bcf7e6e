#pragma once

// The canvas of the control framework over a GDI device context, and its 24-bit off-screen
// bitmaps (DIB sections, so that their rows can be written directly).

#include <windows.h>

#include <memory>
#include <vector>

#include "common/win32/WinHandles.h"
#include "display/Canvas.h"

namespace vesk {

// A top-down 24-bit DIB section selected into a memory device context of its own.
struct DibSurface {
    // A surface compatible with the reference context; empty (no dc) when the size is
    // empty or the system refuses it.
    static DibSurface Create(HDC reference, int width, int height);

    // Declared before the context so that the context, which holds it selected, goes first.
    BitmapHandle bitmap;
    MemoryDc dc;
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // rows are padded to 4 bytes
};

// Off-screen surfaces kept from one paint to the next, so that painting a control again
// makes no new bitmap of its size. Owned by whoever paints (the control host); a few
// surfaces at most.
class TDibSurfacePool {
public:
    DibSurface Take(HDC reference, int width, int height);
    void GiveBack(DibSurface surface);

private:
    std::vector<DibSurface> kept_;
};

// The GDI work shared by the canvas of a device context and the canvas of a bitmap. The
// device context's state (font, text colour, background mode) is put back afterwards. Fonts
// come out at the DPI of the window drawn for, which a monitor of its own may give a DPI
// other than its device context's (0: the context's); its bitmaps take it over.
template <class Base>
class TGdiCanvasOf : public Base {
public:
    // pool (may be null) provides the off-screen bitmaps and must outlive them.
    explicit TGdiCanvasOf(HDC dc, TDibSurfacePool* pool = nullptr, int dpi = 0);
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
    // For a bitmap, whose device context is ready only after the base.
    TGdiCanvasOf(TDibSurfacePool* pool, int dpi) : pool_(pool), dpi_(dpi) {}
    void Begin(HDC dc);
    // Puts the context's state back and frees the font; idempotent.
    void End();
    TDibSurfacePool* Pool() const { return pool_; }

private:
    HDC dc_ = nullptr;
    int savedState_ = 0;
    FontHandle font_;
    TDibSurfacePool* pool_ = nullptr;
    int dpi_ = 0;
};

extern template class TGdiCanvasOf<TCanvas>;
extern template class TGdiCanvasOf<TBitmapCanvas>;

// Draws on a device context that someone else owns (a window's, a printer's, a bitmap's).
using TGdiCanvas = TGdiCanvasOf<TCanvas>;

// The canvas of a DIB surface: its own, or one taken from a pool and given back after.
class TGdiBitmap : public TGdiCanvasOf<TBitmapCanvas> {
public:
    // A bitmap compatible with the reference context, or nullptr when the size is empty or
    // the system refuses it.
    static std::unique_ptr<TGdiBitmap> Create(HDC reference, int width, int height,
                                              TDibSurfacePool* pool = nullptr, int dpi = 0);
    ~TGdiBitmap() override;

    int Width() const override { return surface_.width; }
    int Height() const override { return surface_.height; }
    std::uint8_t* Row(int y) override;
    void StretchFirstColumn() override;
    // Writes the pixels directly: much quicker than GDI's fill of a 24-bit bitmap.
    void FillRect(const TRect& rect, Color color) override;

private:
    TGdiBitmap(DibSurface surface, TDibSurfacePool* pool, int dpi);

    DibSurface surface_;
};

namespace detail {
// Held in a base before the canvas so that the context outlives the canvas's clean-up.
struct ScreenDcHolder {
    WindowDc screenDc{nullptr};
};
}  // namespace detail

// A canvas on the screen's device context, for measuring text (at dpi; 0: the screen's).
class TScreenCanvas : private detail::ScreenDcHolder, public TGdiCanvas {
public:
    explicit TScreenCanvas(int dpi = 0) : TGdiCanvas(screenDc.Get(), nullptr, dpi) {}
};

// The GDI font of a program font at dpi (0: the device context's resolution).
FontHandle CreateGdiFont(HDC dc, const Font& font, int dpi = 0);

}  // namespace vesk
