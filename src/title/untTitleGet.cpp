#include "title/untTitleGet.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/AnsiText.h"
#include "title/untWinSearch.h"

namespace vesk {

namespace {

// A delimiter further in than this does not count (the caption was once read into a
// buffer of this size).
constexpr std::size_t kLastDelimiterPosition = 99;

// Windows Media Player's automation server and the properties that lead to the name of the
// current media.
constexpr std::string_view kWmpProgId = "WMPuICE.WMPApp.1";
constexpr std::string_view kWmpNamePath[] = {"Core", "currentMedia", "Name"};
constexpr std::string_view kWmpPositionPath[] = {"Core", "controls", "currentPosition"};
constexpr std::string_view kWmpNoMediaCaption = "- Windows Media Player";

}  // namespace

std::string TTitleGet::GetWindowCaption(WindowHandle window) const {
    return WindowText(window);
}

int TTitleGet::FindDelimiter(std::string_view delimiters, std::string_view text) const {
    if (delimiters.empty()) {
        return 0;
    }
    const std::size_t found = FindAnyByte(text, delimiters);
    if (found == std::string_view::npos || found + 1 > kLastDelimiterPosition) {
        return 0;
    }
    return static_cast<int>(found + 1);
}

std::string TTitleGet::GetSongTitle(std::string_view caption, std::string_view delimiters,
                                    std::int32_t titlePos, std::int32_t frontCut,
                                    std::int32_t backCut) const {
    if (caption.empty()) {
        return std::string(kPlayerNotFound);
    }
    const auto length = static_cast<std::int64_t>(caption.size());
    const std::int64_t first = std::clamp<std::int64_t>(frontCut, 0, length);
    const std::int64_t end = std::max<std::int64_t>(first, length - std::max(backCut, 0));
    std::string_view text =
        caption.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));

    std::string_view result;
    for (std::int32_t field = 0; field < titlePos; ++field) {
        const int k = FindDelimiter(delimiters, text);
        if (k > 0) {
            result = TrimBlanks(text.substr(0, static_cast<std::size_t>(k - 1)));
            text.remove_prefix(static_cast<std::size_t>(k));
        } else {
            // No delimiter left: every further field is the rest of the text.
            result = TrimBlanks(text);
            break;
        }
    }
    return std::string(result);
}

std::string TTitleGet::GetPlayerCaption(std::string_view className, std::string_view filter) const {
    if (wmpClass_.Equal(kWmpClassName, className)) {
        return GetWmpCaption();
    }
    const WindowHandle window = SearchPlayerWindow(className, filter);
    // With a filter the caption is read once more: the one that is returned is the newest.
    return window == kNoWindow ? std::string() : GetWindowCaption(window);
}

PlayerReading TTitleGet::ReadPlayer(std::string_view className, std::string_view filter) const {
    if (wmpClass_.Equal(kWmpClassName, className)) {
        return ReadWmp();
    }
    return {GetPlayerCaption(className, filter), std::nullopt};
}

WindowHandle TTitleGet::FindPlayerWindow(std::string_view className,
                                         std::string_view filter) const {
    return SearchPlayerWindow(className, filter);
}

WindowHandle TTitleGet::SearchPlayerWindow(std::string_view className,
                                           std::string_view filter) const {
    if (filter.empty()) {
        return CurrentWindowSystem().FindFirstOfClass(std::string(className));
    }
    // Read as the windows are listed, so that the search stops at the first match: the
    // windows behind the player (mostly of other processes, each read a round trip to the
    // window server) are never looked at.
    WindowHandle found = kNoWindow;
    EnumTopWindows([&](WindowHandle window) {
        if (playerClass_.Equal(className, WindowClassName(window)) &&
            ContainsText(GetWindowCaption(window), filter)) {
            found = window;
            return false;
        }
        return true;
    });
    return found;
}

void EnumTopWindows(const std::function<bool(WindowHandle)>& visit) {
    std::size_t visited = 0;
    CurrentWindowSystem().EnumerateTopLevel(
        [&](WindowHandle window) { return visit(window) && ++visited < kMaxTopWindows; });
}

std::vector<WindowHandle> EnumTopWindows() {
    std::vector<WindowHandle> windows;
    EnumTopWindows([&windows](WindowHandle window) {
        windows.push_back(window);
        return true;
    });
    return windows;
}

std::string GetWmpCaption() {
    const WindowSystem& windowSystem = CurrentWindowSystem();
    if (windowSystem.FindFirstOfClass(std::string(kWmpClassName)) == kNoWindow) {
        return {};
    }
    const std::optional<std::string> name =
        windowSystem.ReadAutomationText(kWmpProgId, kWmpNamePath);
    if (!name) {
        return std::string(kWmpNoMediaCaption);
    }
    return *name + std::string(kWmpCaptionEnd);
}

PlayerReading ReadWmp() {
    const WindowSystem& windowSystem = CurrentWindowSystem();
    if (windowSystem.FindFirstOfClass(std::string(kWmpClassName)) == kNoWindow) {
        return {};
    }
    const WindowSystem::AutomationTextAndNumber read =
        windowSystem.ReadAutomationTextAndNumber(kWmpProgId, kWmpNamePath, kWmpPositionPath);
    return {read.text ? *read.text + std::string(kWmpCaptionEnd) : std::string(kWmpNoMediaCaption),
            read.number};
}

TTitleGet& TitleGet() {
    static TTitleGet instance;
    return instance;
}

}  // namespace vesk
