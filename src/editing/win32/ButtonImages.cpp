#include "editing/win32/ButtonImages.h"

namespace vesk {

namespace {

constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(128, 128, 160);
constexpr COLORREF kRed = RGB(208, 0, 0);
constexpr COLORREF kGreen = RGB(0, 144, 0);
constexpr COLORREF kPencil = RGB(240, 192, 0);
constexpr COLORREF kLead = RGB(32, 32, 32);

// Drawing in whole pixels on the image's memory DC.
class Glyph {
public:
    explicit Glyph(HDC dc) : dc_(dc) {}

    void Fill(int left, int top, int right, int bottom, COLORREF color) const {
        const RECT r{left, top, right, bottom};
        const BrushHandle brush(CreateSolidBrush(color));
        FillRect(dc_, &r, brush.Get());
    }
    void Dot(int x, int y, COLORREF color) const { SetPixel(dc_, x, y, color); }

    // A sheet of paper with its top right corner folded over, lines of text on it.
    void Sheet(int left, int top, int right, int bottom, bool lines) const {
        constexpr int kFold = 3;
        Fill(left, top, right, bottom, kPaper);
        Fill(left, top, right - kFold, top + 1, kOutline);
        Fill(left, top, left + 1, bottom, kOutline);
        Fill(left, bottom - 1, right, bottom, kOutline);
        Fill(right - 1, top + kFold, right, bottom, kOutline);
        for (int i = 0; i < kFold; ++i) {
            Fill(right - kFold + i + 1, top, right, top + i + 1, face_);
            Dot(right - kFold + i, top + i, kOutline);
        }
        Fill(right - kFold, top, right - kFold + 1, top + kFold + 1, kOutline);
        Fill(right - kFold, top + kFold, right, top + kFold + 1, kOutline);
        if (lines) {
            for (int y = top + kFold + 2; y < bottom - 2; y += 2) {
                Fill(left + 2, y, right - 3, y + 1, kText);
            }
        }
    }

    // The outline of a sheet in dots: a file that is not there.
    void MissingSheet(int left, int top, int right, int bottom) const {
        for (int x = left; x < right; x += 2) {
            Dot(x, top, kOutline);
            Dot(x, bottom - 1, kOutline);
        }
        for (int y = top; y < bottom; y += 2) {
            Dot(left, y, kOutline);
            Dot(right - 1, y, kOutline);
        }
    }

    // A cross two pixels thick, from corner to corner of the square at left, top.
    void Cross(int left, int top, int size) const {
        for (int i = 0; i < size; ++i) {
            for (int dx = 0; dx < 2; ++dx) {
                Dot(left + i + dx, top + i, kRed);
                Dot(left + size - 1 - i - dx, top + i, kRed);
            }
        }
    }

    void Plus(int left, int top, int size) const {
        const int middle = size / 2;
        Fill(left, top + middle - 1, left + size, top + middle + 1, kGreen);
        Fill(left + middle - 1, top, left + middle + 1, top + size, kGreen);
    }

    // A pencil from the bottom left to the top right, its point at the bottom left.
    void Pencil(int left, int bottom, int length) const {
        for (int i = 0; i < length; ++i) {
            const int x = left + i;
            const int y = bottom - 1 - i;
            const COLORREF body = i < 2 ? kLead : kPencil;
            Dot(x, y, body);
            Dot(x + 1, y, i < 2 ? kLead : kOutline);
            Dot(x, y - 1, i < 2 ? kLead : kOutline);
        }
    }

    void SetFace(COLORREF face) { face_ = face; }

private:
    HDC dc_;
    COLORREF face_ = 0;
};

void Draw(const Glyph& g, ButtonImage image) {
    constexpr int kSize = kButtonImageSize;
    switch (image) {
        case ButtonImage::New:
            g.Sheet(2, 0, 12, 14, true);
            g.Plus(8, 8, 8);
            break;
        case ButtonImage::Edit:
            g.Sheet(1, 0, 11, 14, true);
            g.Pencil(6, kSize - 1, 9);
            break;
        case ButtonImage::Delete:
            g.Cross(2, 2, 12);
            break;
        case ButtonImage::RepeatTitleDelete:
            g.Sheet(4, 0, 13, 10, true);
            g.Sheet(1, 3, 10, 13, true);
            g.Cross(8, 8, 8);
            break;
        case ButtonImage::FileNotExistsDelete:
            g.MissingSheet(1, 0, 11, 14);
            g.Cross(7, 7, 9);
            break;
        case ButtonImage::AllDelete:
            for (int y = 2; y < 14; y += 3) {
                g.Fill(1, y, 15, y + 2, kText);
            }
            g.Cross(1, 1, 14);
            break;
    }
}

}  // namespace

BitmapHandle DrawButtonImage(ButtonImage image, COLORREF face, int size) {
    const WindowDc screen(nullptr);
    BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), kButtonImageSize, kButtonImageSize));
    const MemoryDc dc(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !dc) {
        return bitmap;
    }
    {
        const SelectionScope selected(dc.Get(), bitmap.Get());
        Glyph glyph(dc.Get());
        glyph.SetFace(face);
        glyph.Fill(0, 0, kButtonImageSize, kButtonImageSize, face);
        Draw(glyph, image);
    }
    if (size == kButtonImageSize) {
        return bitmap;
    }
    // Whole pixels stay whole: each becomes a block, none is blended with its neighbours.
    BitmapHandle scaled(CreateCompatibleBitmap(screen.Get(), size, size));
    const MemoryDc target(CreateCompatibleDC(screen.Get()));
    if (!scaled || !target) {
        return bitmap;
    }
    const SelectionScope source(dc.Get(), bitmap.Get());
    const SelectionScope selected(target.Get(), scaled.Get());
    SetStretchBltMode(target.Get(), COLORONCOLOR);
    StretchBlt(target.Get(), 0, 0, size, size, dc.Get(), 0, 0, kButtonImageSize, kButtonImageSize,
               SRCCOPY);
    return scaled;
}

}  // namespace vesk
