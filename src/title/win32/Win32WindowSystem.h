#pragma once

#include <windows.h>

#include <cstdint>

#include "title/WindowSystem.h"

namespace vesk {

inline HWND ToHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}

inline WindowHandle ToWindowHandle(HWND window) {
    return static_cast<WindowHandle>(reinterpret_cast<std::uintptr_t>(window));
}

}  // namespace vesk
