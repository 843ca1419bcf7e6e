// Painting 40 lines of Japanese lyrics into a 400 x 800 label with shadow and highlight,
// flicker-free, against one plain DrawTextA of the same text into the same surface.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/TextPlatform.h"
#include "common/win32/WinHandles.h"
#include "display/ShadoLbl.h"
#include "display/win32/GdiCanvas.h"

namespace vesk {
namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 800;
constexpr int kLines = 40;
constexpr UINT kPlainFormat = DT_EXPANDTABS | DT_WORDBREAK;

std::string Lyrics() {
    const char* const phrases[] = {
        "夜明けの空に　君の声が響く",   "遠い街の灯り　ひとつずつ消えて",
        "忘れないで　あの日の約束を",   "風に揺れる花　季節は巡る",
        "ありがとう　そしてさようなら", "Stay with me tonight　星が降る",
    };
    std::string utf8;
    for (int line = 0; line < kLines; ++line) {
        utf8 += phrases[line % 6];
        if (line + 1 < kLines) {
            utf8 += "\r\n";
        }
    }
    return CurrentTextPlatform().FromUtf8(utf8);
}

Font LyricsFont() {
    Font font = NewFont();
    font.charset = kShiftJisCharset;
    return font;
}

// The label as the lyrics window has it, and a surface of its size.
struct Scene {
    Scene() : text(Lyrics()) {
        const WindowDc screen(nullptr);
        surface = TGdiBitmap::Create(screen.Get(), kWidth, kHeight);
        label.SetAutoSize(false);
        label.SetBounds(0, 0, kWidth, kHeight);
        label.SetWordWrap(true);
        label.SetColor(kClWhite);
        label.SetFont(LyricsFont());
        label.Shadow().SetColor(kClGray);
        label.SetCaption(text);
        plainFont = CreateGdiFont(surface->Handle(), LyricsFont());
    }

    // As the control host paints: a canvas on the surface, off-screen bitmaps from a pool.
    void Paint() {
        TGdiCanvas canvas(surface->Handle(), &pool);
        label.Paint(canvas);
    }
    void Plain() {
        const SelectionScope selected(surface->Handle(), plainFont.Get());
        RECT rect{0, 0, kWidth, kHeight};
        DrawTextA(surface->Handle(), text.data(), static_cast<int>(text.size()), &rect,
                  kPlainFormat);
    }

    std::string text;
    std::unique_ptr<TGdiBitmap> surface;
    TDibSurfacePool pool;
    TShadowLabel label;
    FontHandle plainFont;
};

void BM_ShadowLabelPaint(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.Paint();
    }
}
BENCHMARK(BM_ShadowLabelPaint)->Unit(benchmark::kMicrosecond);

void BM_PlainDrawText(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.Plain();
    }
}
BENCHMARK(BM_PlainDrawText)->Unit(benchmark::kMicrosecond);

// Both in turn, so that the ratio compares them under the same conditions.
void BM_PaintToPlainRatio(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    Scene scene;
    Clock::duration paint{};
    Clock::duration plain{};
    for (auto _ : state) {
        const auto start = Clock::now();
        scene.Paint();
        const auto painted = Clock::now();
        scene.Plain();
        plain += Clock::now() - painted;
        paint += painted - start;
    }
    state.counters["ratio"] =
        static_cast<double>(paint.count()) / static_cast<double>(plain.count());
}
BENCHMARK(BM_PaintToPlainRatio)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vesk
