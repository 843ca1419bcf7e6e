#include "title/untWinSearch.h"

#include <algorithm>
#include <climits>

#include "lyrics/TextLines.h"

namespace vesk {

std::string WindowClassName(WindowHandle window) {
    char buffer[kClassNameBufferSize] = {};
    const int length = CurrentWindowSystem().ReadClassName(window, buffer, kClassNameBufferSize);
    return std::string(buffer,
                       static_cast<std::size_t>(std::clamp(length, 0, kClassNameBufferSize - 1)));
}

std::string WindowText(WindowHandle window) {
    const WindowSystem& windows = CurrentWindowSystem();
    // The length comes from the window's own procedure; keep length + 1 an int.
    const int length = std::min(windows.CaptionLength(window), INT_MAX - 1);
    if (length <= 0) {
        return {};
    }
    // The caption can change between the two calls: what was read counts, never more than
    // the buffer holds.
    std::string caption(static_cast<std::size_t>(length) + 1, '\0');
    const int read = windows.ReadCaption(window, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(std::clamp(read, 0, length)));
    return caption;
}

bool HasOwner(WindowHandle window) {
    return CurrentWindowSystem().OwnerOf(window) != kNoWindow;
}

std::vector<WindowHandle> EnumSearchWindows(bool all) {
    std::vector<WindowHandle> windows;
    // Never grows while the enumeration runs: no allocation can fail inside its callback.
    windows.reserve(kMaxSearchWindows);
    const WindowSystem& system = CurrentWindowSystem();
    system.EnumerateTopLevel([&](WindowHandle window) {
        if (all || (system.IsVisible(window) && !HasOwner(window))) {
            windows.push_back(window);
        }
        return windows.size() < kMaxSearchWindows;
    });
    return windows;
}

void AddListRow(ListRowSink& list, const std::string& caption, std::string_view text) {
    const int row = list.AddRow(caption);
    if (row < 0) {
        return;
    }
    int subItem = 1;
    for (const std::string_view line : SplitTextLines(text)) {
        list.SetSubItem(row, subItem++, std::string(line));
    }
}

}  // namespace vesk
