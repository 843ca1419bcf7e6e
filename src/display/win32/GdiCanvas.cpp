#include "display/win32/GdiCanvas.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "common/win32/SystemColors.h"

namespace vesk {

// The format flags go to DrawTextA as they are.
static_assert(kDtLeft == DT_LEFT && kDtCenter == DT_CENTER && kDtRight == DT_RIGHT);
static_assert(kDtWordBreak == DT_WORDBREAK && kDtExpandTabs == DT_EXPANDTABS);
static_assert(kDtCalcRect == DT_CALCRECT && kDtNoPrefix == DT_NOPREFIX);
static_assert(kDtPathEllipsis == DT_PATH_ELLIPSIS && kDtEndEllipsis == DT_END_ELLIPSIS);

namespace {

RECT ToRect(const TRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

int Length(std::string_view text) {
    return text.size() > INT_MAX ? INT_MAX : static_cast<int>(text.size());
}

BYTE PitchOf(FontPitch pitch) {
    switch (pitch) {
        case FontPitch::Variable:
            return VARIABLE_PITCH;
        case FontPitch::Fixed:
            return FIXED_PITCH;
        default:
            return DEFAULT_PITCH;
    }
}

// Surfaces a pool keeps: the off-screen bitmap and the gradient strip of a label.
constexpr std::size_t kKeptSurfaces = 2;

}  // namespace

DibSurface DibSurface::Create(HDC reference, int width, int height) {
    DibSurface surface;
    if (width <= 0 || height <= 0) {
        return surface;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle bitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(CreateCompatibleDC(reference));
    if (!bitmap || !dc || bits == nullptr) {
        return surface;
    }
    SelectObject(dc.Get(), bitmap.Get());
    surface.bitmap = std::move(bitmap);
    surface.dc = std::move(dc);
    surface.bits = static_cast<std::uint8_t*>(bits);
    surface.width = width;
    surface.height = height;
    surface.stride = (width * 3 + 3) & ~3;
    return surface;
}

DibSurface TDibSurfacePool::Take(HDC reference, int width, int height) {
    const auto fits = [&](const DibSurface& kept) {
        return kept.width == width && kept.height == height;
    };
    const auto found = std::find_if(kept_.begin(), kept_.end(), fits);
    if (found == kept_.end()) {
        return DibSurface::Create(reference, width, height);
    }
    DibSurface surface = std::move(*found);
    kept_.erase(found);
    return surface;
}

void TDibSurfacePool::GiveBack(DibSurface surface) {
    if (!surface.dc) {
        return;
    }
    kept_.insert(kept_.begin(), std::move(surface));
    if (kept_.size() > kKeptSurfaces) {
        kept_.pop_back();
    }
}

FontHandle CreateGdiFont(HDC dc, const Font& font, int dpi) {
    LOGFONTA logFont{};
    logFont.lfHeight = FontHeightOfSize(font.size, dpi > 0 ? dpi : GetDeviceCaps(dc, LOGPIXELSY));
    logFont.lfWeight = (font.style & kFontBold) != 0 ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (font.style & kFontItalic) != 0;
    logFont.lfUnderline = (font.style & kFontUnderline) != 0;
    logFont.lfStrikeOut = (font.style & kFontStrikeOut) != 0;
    logFont.lfCharSet = font.charset;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = PitchOf(font.pitch);
    lstrcpynA(logFont.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return FontHandle(CreateFontIndirectA(&logFont));
}

template <class Base>
TGdiCanvasOf<Base>::TGdiCanvasOf(HDC dc, TDibSurfacePool* pool, int dpi) : pool_(pool), dpi_(dpi) {
    Begin(dc);
}

template <class Base>
TGdiCanvasOf<Base>::~TGdiCanvasOf() {
    End();
}

template <class Base>
void TGdiCanvasOf<Base>::Begin(HDC dc) {
    dc_ = dc;
    savedState_ = SaveDC(dc);
    // Text without a background box.
    SetBkMode(dc, TRANSPARENT);
}

template <class Base>
void TGdiCanvasOf<Base>::End() {
    if (dc_ != nullptr && savedState_ != 0) {
        RestoreDC(dc_, savedState_);  // deselects the font before it is freed
    }
    savedState_ = 0;
    font_.Reset();
    dc_ = nullptr;
}

template <class Base>
Color TGdiCanvasOf<Base>::ToRgb(Color color) const {
    return RgbOf(color);
}

template <class Base>
void TGdiCanvasOf<Base>::FillRect(const TRect& rect, Color color) {
    const BrushHandle brush(CreateSolidBrush(ToRgb(color)));
    const RECT area = ToRect(rect);
    ::FillRect(dc_, &area, brush.Get());
}

template <class Base>
void TGdiCanvasOf<Base>::SetFont(const Font& font) {
    FontHandle created = CreateGdiFont(dc_, font, dpi_);
    if (!created) {
        return;
    }
    SelectObject(dc_, created.Get());
    font_ = std::move(created);  // the previous one is no longer selected
}

template <class Base>
void TGdiCanvasOf<Base>::SetTextColor(Color color) {
    ::SetTextColor(dc_, ToRgb(color));
}

template <class Base>
int TGdiCanvasOf<Base>::DrawTextRect(std::string_view text, TRect& rect, TextFormat format) {
    RECT area = ToRect(rect);
    const int height = DrawTextA(dc_, text.data(), Length(text), &area, format);
    rect = {area.left, area.top, area.right, area.bottom};
    return height;
}

template <class Base>
int TGdiCanvasOf<Base>::TextWidth(std::string_view text) {
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), Length(text), &size);
    return size.cx;
}

template <class Base>
int TGdiCanvasOf<Base>::TextOverhang() {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc_, &metrics);
    return metrics.tmOverhang;
}

template <class Base>
std::unique_ptr<TBitmapCanvas> TGdiCanvasOf<Base>::CreateBitmap(int width, int height) {
    return TGdiBitmap::Create(dc_, width, height, pool_, dpi_);
}

template <class Base>
void TGdiCanvasOf<Base>::StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) {
    auto& source = static_cast<TGdiBitmap&>(bitmap);
    StretchBlt(dc_, rect.left, rect.top, rect.Width(), rect.Height(), source.Handle(), 0, 0,
               source.Width(), source.Height(), SRCCOPY);
}

template <class Base>
void TGdiCanvasOf<Base>::Draw(int x, int y, TBitmapCanvas& bitmap) {
    auto& source = static_cast<TGdiBitmap&>(bitmap);
    BitBlt(dc_, x, y, source.Width(), source.Height(), source.Handle(), 0, 0, SRCCOPY);
}

template class TGdiCanvasOf<TCanvas>;
template class TGdiCanvasOf<TBitmapCanvas>;

std::unique_ptr<TGdiBitmap> TGdiBitmap::Create(HDC reference, int width, int height,
                                               TDibSurfacePool* pool, int dpi) {
    DibSurface surface = pool != nullptr ? pool->Take(reference, width, height)
                                         : DibSurface::Create(reference, width, height);
    if (!surface.dc) {
        return nullptr;
    }
    return std::unique_ptr<TGdiBitmap>(new TGdiBitmap(std::move(surface), pool, dpi));
}

TGdiBitmap::TGdiBitmap(DibSurface surface, TDibSurfacePool* pool, int dpi)
    : TGdiCanvasOf<TBitmapCanvas>(pool, dpi), surface_(std::move(surface)) {
    Begin(surface_.dc.Get());
}

TGdiBitmap::~TGdiBitmap() {
    End();
    if (Pool() != nullptr) {
        Pool()->GiveBack(std::move(surface_));
    }
}

std::uint8_t* TGdiBitmap::Row(int y) {
    GdiFlush();  // drawing still queued must land before the bits are touched
    return surface_.bits + static_cast<std::size_t>(y) * surface_.stride;
}

void TGdiBitmap::StretchFirstColumn() {
    StretchBlt(Handle(), 0, 0, Width(), Height(), Handle(), 0, 0, 1, Height(), SRCCOPY);
}

void TGdiBitmap::FillRect(const TRect& rect, Color color) {
    const int left = std::max(rect.left, 0);
    const int right = std::min(rect.right, Width());
    const int top = std::max(rect.top, 0);
    const int bottom = std::min(rect.bottom, Height());
    if (left >= right || top >= bottom) {
        return;
    }
    const Color rgb = ToRgb(color);
    GdiFlush();
    const auto row = [this](int y) {
        return surface_.bits + static_cast<std::size_t>(y) * surface_.stride;
    };
    std::uint8_t* first = row(top) + 3 * left;
    for (int x = 0; x < right - left; ++x) {
        first[3 * x] = BlueOf(rgb);
        first[3 * x + 1] = GreenOf(rgb);
        first[3 * x + 2] = RedOf(rgb);
    }
    const auto bytes = static_cast<std::size_t>(right - left) * 3;
    for (int y = top + 1; y < bottom; ++y) {
        std::memcpy(row(y) + 3 * left, first, bytes);
    }
}

}  // namespace vesk
