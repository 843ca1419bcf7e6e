#include "common/win32/WindowSubclass.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vesk {
namespace {

// The windows watched on this thread, with the procedure each had before.
struct Watched {
    HWND window;
    WNDPROC previous;
    WindowSubclass::After* after;  // null once its watcher is gone
};

std::vector<Watched>& WatchedWindows() {
    thread_local std::vector<Watched> watched;
    return watched;
}

std::vector<Watched>::iterator Find(HWND window) {
    std::vector<Watched>& watched = WatchedWindows();
    return std::find_if(watched.begin(), watched.end(),
                        [window](const Watched& w) { return w.window == window; });
}

}  // namespace

WindowSubclass::WindowSubclass(HWND window, After after)
    : window_(window), after_(std::move(after)) {
    if (window_ == nullptr || Find(window_) != WatchedWindows().end()) {
        return;
    }
    const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowSubclass::Procedure)));
    if (previous == nullptr) {
        return;
    }
    WatchedWindows().push_back(Watched{window_, previous, &after_});
    watching_ = true;
}

WindowSubclass::~WindowSubclass() {
    if (!watching_) {
        return;
    }
    const auto found = Find(window_);
    if (found == WatchedWindows().end()) {
        return;  // the window is gone
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC));
    if (current == &WindowSubclass::Procedure) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->previous));
        WatchedWindows().erase(found);
    } else {
        found->after = nullptr;  // someone chained after us: keep passing messages on
    }
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto found = Find(window);
    if (found == WatchedWindows().end()) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const WNDPROC previous = found->previous;
    if (message == WM_NCDESTROY) {
        // The window's last message: it is no longer watched.
        WatchedWindows().erase(found);
        return CallWindowProcA(previous, window, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcA(previous, window, message, wParam, lParam);
    // Looked up again: the procedure may have ended the watch or destroyed the window.
    found = Find(window);
    if (found != WatchedWindows().end() && found->after != nullptr) {
        (*found->after)(message, wParam, lParam);
    }
    return result;
}

}  // namespace vesk
