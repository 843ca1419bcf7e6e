#include "display/win32/GdiCanvas.h"

#include <climits>

namespace vesk {

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

}  // namespace

FontHandle CreateGdiFont(HDC dc, const Font& font) {
    LOGFONTA logFont{};
    logFont.lfHeight = FontHeightOfSize(font.size, GetDeviceCaps(dc, LOGPIXELSY));
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
TGdiCanvasOf<Base>::TGdiCanvasOf(HDC dc) {
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
    if (IsSystemColor(color)) {
        return GetSysColor(SystemColorIndex(color));
    }
    return color & 0x00FFFFFF;
}

template <class Base>
void TGdiCanvasOf<Base>::FillRect(const TRect& rect, Color color) {
    const BrushHandle brush(CreateSolidBrush(ToRgb(color)));
    const RECT area = ToRect(rect);
    ::FillRect(dc_, &area, brush.Get());
}

template <class Base>
void TGdiCanvasOf<Base>::SetFont(const Font& font) {
    FontHandle created = CreateGdiFont(dc_, font);
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
    return TGdiBitmap::Create(dc_, width, height);
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

std::unique_ptr<TGdiBitmap> TGdiBitmap::Create(HDC reference, int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
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
    MemoryDc memoryDc(CreateCompatibleDC(reference));
    if (!bitmap || !memoryDc || bits == nullptr) {
        return nullptr;
    }
    std::unique_ptr<TGdiBitmap> result(new TGdiBitmap);
    result->previousBitmap_ = SelectObject(memoryDc.Get(), bitmap.Get());
    result->bits_ = static_cast<std::uint8_t*>(bits);
    result->width_ = width;
    result->height_ = height;
    result->stride_ = (width * 3 + 3) & ~3;  // rows are padded to 4 bytes
    result->Begin(memoryDc.Get());
    result->memoryDc_ = std::move(memoryDc);
    result->bitmap_ = std::move(bitmap);
    return result;
}

TGdiBitmap::~TGdiBitmap() {
    End();
    if (memoryDc_ && previousBitmap_ != nullptr) {
        SelectObject(memoryDc_.Get(), previousBitmap_);
    }
}

std::uint8_t* TGdiBitmap::Row(int y) {
    GdiFlush();  // drawing still queued must land before the bits are touched
    return bits_ + static_cast<std::size_t>(y) * stride_;
}

void TGdiBitmap::StretchFirstColumn() {
    StretchBlt(Handle(), 0, 0, width_, height_, Handle(), 0, 0, 1, height_, SRCCOPY);
}

}  // namespace vesk
