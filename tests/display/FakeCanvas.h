#pragma once

// A canvas that writes each call into a log, with simple fixed text metrics, and a host that
// counts repaint requests: the control framework and the shadow label's paint order tested
// without a window system.
//
// Metrics: a single-byte character is 8 pixels wide, a double-byte one 16, a line 16 high;
// CR LF or LF ends a line, word wrap breaks at the rectangle's width (between characters).

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "display/Canvas.h"
#include "display/Controls.h"

namespace vesk::test {

inline constexpr int kCharWidth = 8;
inline constexpr int kLineHeight = 16;

inline std::string Hex(Color color) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08X", static_cast<unsigned>(color));
    return text;
}

inline std::string RectText(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

inline int FakeWidth(std::string_view text) {
    int width = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t size = CharSize(text, pos);
        width += static_cast<int>(size) * kCharWidth;
        pos += size;
    }
    return width;
}

// Resolves the system colours the label uses to fixed values.
inline Color FakeRgb(Color color) {
    switch (color) {
        case kClBtnShadow:
            return 0x00A0A0A0;
        case kClBtnHighlight:
            return 0x00FFFFFF;
        case kClBtnFace:
            return 0x00F0F0F0;
        case kClWindowText:
            return 0x00000000;
        default:
            return IsSystemColor(color) ? 0x00123456 : color;
    }
}

class FakeBitmap;

class FakeCanvas : public TCanvas {
public:
    FakeCanvas(std::vector<std::string>& log, std::string name) : log_(log), name_(name) {}

    int overhang = 0;

    Color ToRgb(Color color) const override { return FakeRgb(color); }
    void FillRect(const TRect& rect, Color color) override {
        Log("fill " + RectText(rect) + " " + Hex(color));
    }
    void SetFont(const Font& font) override {
        Log("font " + font.name + " " + std::to_string(font.size));
    }
    void SetTextColor(Color color) override { Log("color " + Hex(color)); }
    int DrawTextRect(std::string_view text, TRect& rect, TextFormat format) override {
        const TRect given = rect;
        const TRect measured = Measure(text, rect, format);
        if ((format & kDtCalcRect) != 0) {
            Log("calc '" + std::string(text) + "' " + RectText(given) + " " + FormatText(format));
            rect = measured;
        } else {
            Log("text '" + std::string(text) + "' " + RectText(given) + " " + FormatText(format));
        }
        return measured.Height();
    }
    int TextWidth(std::string_view text) override { return FakeWidth(text); }
    int TextOverhang() override {
        Log("overhang");
        return overhang;
    }
    std::unique_ptr<TBitmapCanvas> CreateBitmap(int width, int height) override;
    void StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) override;
    void Draw(int x, int y, TBitmapCanvas& bitmap) override;

    const std::string& Name() const { return name_; }

    static std::string FormatText(TextFormat format) {
        char text[16];
        std::snprintf(text, sizeof(text), "%04X", static_cast<unsigned>(format));
        return text;
    }

protected:
    void Log(const std::string& line) { log_.push_back(name_ + ": " + line); }

private:
    static TRect Measure(std::string_view text, const TRect& rect, TextFormat format) {
        const bool wrap = (format & kDtWordBreak) != 0;
        int lines = 1;
        int lineWidth = 0;
        int widest = 0;
        for (std::size_t pos = 0; pos < text.size();) {
            if (text[pos] == '\n' || text.substr(pos, 2) == "\r\n") {
                pos += text[pos] == '\n' ? 1 : 2;
                ++lines;
                lineWidth = 0;
                continue;
            }
            const std::size_t size = CharSize(text, pos);
            const int width = static_cast<int>(size) * kCharWidth;
            if (wrap && lineWidth > 0 && lineWidth + width > rect.Width()) {
                ++lines;
                lineWidth = 0;
            }
            lineWidth += width;
            widest = std::max(widest, lineWidth);
            pos += size;
        }
        return {rect.left, rect.top, rect.left + widest, rect.top + lines * kLineHeight};
    }

    std::vector<std::string>& log_;
    std::string name_;
};

// A bitmap with real pixel memory: rows padded to 4 bytes, as a DIB's are.
class FakeBitmap : public TBitmapCanvas {
public:
    FakeBitmap(std::vector<std::string>& log, std::string name, int width, int height)
        : drawing_(log, name),
          width_(width),
          height_(height),
          stride_((width * 3 + 3) & ~3),
          pixels_(static_cast<std::size_t>(stride_) * height, 0xEE) {}

    Color ToRgb(Color color) const override { return drawing_.ToRgb(color); }
    void FillRect(const TRect& rect, Color color) override { drawing_.FillRect(rect, color); }
    void SetFont(const Font& font) override { drawing_.SetFont(font); }
    void SetTextColor(Color color) override { drawing_.SetTextColor(color); }
    int DrawTextRect(std::string_view text, TRect& rect, TextFormat format) override {
        return drawing_.DrawTextRect(text, rect, format);
    }
    int TextWidth(std::string_view text) override { return drawing_.TextWidth(text); }
    int TextOverhang() override { return drawing_.TextOverhang(); }
    std::unique_ptr<TBitmapCanvas> CreateBitmap(int width, int height) override {
        return drawing_.CreateBitmap(width, height);
    }
    void StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) override {
        drawing_.StretchDraw(rect, bitmap);
    }
    void Draw(int x, int y, TBitmapCanvas& bitmap) override { drawing_.Draw(x, y, bitmap); }

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    std::uint8_t* Row(int y) override {
        return pixels_.data() + static_cast<std::size_t>(y) * stride_;
    }
    void StretchFirstColumn() override {
        ++stretches;
        for (int y = 0; y < height_; ++y) {
            std::uint8_t* row = Row(y);
            for (int x = 1; x < width_; ++x) {
                std::copy(row, row + 3, row + 3 * x);
            }
        }
    }

    Color Pixel(int x, int y) {
        const std::uint8_t* p = Row(y) + 3 * x;
        return RgbColor(p[2], p[1], p[0]);
    }
    const std::string& Name() const { return drawing_.Name(); }

    int stretches = 0;

private:
    FakeCanvas drawing_;
    int width_;
    int height_;
    int stride_;
    std::vector<std::uint8_t> pixels_;
};

inline std::unique_ptr<TBitmapCanvas> FakeCanvas::CreateBitmap(int width, int height) {
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    Log("bitmap " + std::to_string(width) + "x" + std::to_string(height));
    return std::make_unique<FakeBitmap>(log_, "bitmap", width, height);
}

inline void FakeCanvas::StretchDraw(const TRect& rect, TBitmapCanvas& bitmap) {
    Log("stretch " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) +
        " to " + RectText(rect));
}

inline void FakeCanvas::Draw(int x, int y, TBitmapCanvas& bitmap) {
    Log("draw " + std::to_string(bitmap.Width()) + "x" + std::to_string(bitmap.Height()) + " at " +
        std::to_string(x) + "," + std::to_string(y));
}

// A host that counts what the controls ask of it.
class FakeHost : public TControlHost {
public:
    explicit FakeHost(int width = 300, int height = 200) { SetClientSize(width, height); }

    struct Invalidation {
        TRect rect;
        bool erase;
    };
    std::vector<Invalidation> invalidations;
    std::vector<std::string> measureLog;
    std::vector<bool> captures;

    void InvalidateRect(const TRect& rect, bool erase) override {
        invalidations.push_back({rect, erase});
    }
    std::unique_ptr<TCanvas> CreateMeasureCanvas() override {
        return std::make_unique<FakeCanvas>(measureLog, "measure");
    }

protected:
    void SetMouseCapture(bool capture) override { captures.push_back(capture); }
};

}  // namespace vesk::test
