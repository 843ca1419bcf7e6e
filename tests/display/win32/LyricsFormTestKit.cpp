#include "LyricsFormTestKit.h"

#include <cstring>

namespace vesk::test {

void MouseTo(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65535 over the primary screen; rounded up, so that
    // they come back as the same pixel.
    const auto scaled = [](int value, int size) { return (value * 65536 + size - 1) / size; };
    input.mi.dx = scaled(x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = scaled(y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void LeftButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
}

}  // namespace vesk::test
