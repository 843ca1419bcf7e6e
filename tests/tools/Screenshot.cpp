// Saves what the screen shows as a PNG file, to look at a window under Wine's virtual
// display.
//
//   screenshot.exe out.png                 the whole screen
//   screenshot.exe out.png "歌詞"           the top-level window with that caption (ANSI)
//   screenshot.exe out.png x y width height a rectangle of the screen

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "ScreenCapture.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3 && argc != 6) {
        std::fprintf(stderr, "usage: screenshot out.png [caption | x y width height]\n");
        return 2;
    }
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (argc == 3) {
        HWND window = FindWindowA(nullptr, argv[2]);
        if (window == nullptr) {
            std::fprintf(stderr, "no window \"%s\"\n", argv[2]);
            return 1;
        }
        GetWindowRect(window, &area);
    } else if (argc == 6) {
        area.left = std::atoi(argv[2]);
        area.top = std::atoi(argv[3]);
        area.right = area.left + std::atoi(argv[4]);
        area.bottom = area.top + std::atoi(argv[5]);
    }
    const vesk::test::ScreenPicture picture = vesk::test::CaptureScreen(area);
    if (!vesk::test::SavePng(picture, argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
