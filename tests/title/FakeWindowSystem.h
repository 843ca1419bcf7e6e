#pragma once

// A desktop of the test's own: a list of top-level windows, front to back, that answers as
// the Win32 calls do (FindWindowA ignores the letter case of class names; class names and
// captions are copied into the caller's buffer, cut to fit), and counts what is asked.

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "title/WindowSystem.h"

namespace vesk::test {

struct FakeWindow {
    FakeWindow(std::string className, std::string caption, WindowHandle owner = kNoWindow,
               std::optional<int> reportedLength = std::nullopt)
        : className(std::move(className)),
          caption(std::move(caption)),
          owner(owner),
          reportedLength(reportedLength) {}

    std::string className;
    std::string caption;
    WindowHandle owner = kNoWindow;
    // What CaptionLength reports when it is not the caption's length (a caption that
    // changed between the two calls).
    std::optional<int> reportedLength;
    bool visible = true;
};

class FakeWindowSystem final : public WindowSystem {
public:
    // The handle of windows[i] is i + 1.
    std::vector<FakeWindow> windows;
    // What the automation read gives; nullopt is a failure.
    std::optional<std::string> automationText;
    // The number of the read of a text and a number together (the player's position).
    std::optional<double> automationNumber;

    mutable int finds = 0;
    mutable int enumerations = 0;
    mutable int visits = 0;
    mutable int captionReads = 0;
    mutable int automationReads = 0;
    mutable std::string lastProgId;
    mutable std::vector<std::string> lastPath;
    mutable std::vector<std::string> lastNumberPath;

    static WindowHandle HandleOf(std::size_t index) { return static_cast<WindowHandle>(index + 1); }

    FakeWindow& operator[](WindowHandle window) {
        return windows.at(static_cast<std::size_t>(window) - 1);
    }

    WindowHandle FindFirstOfClass(const std::string& className) const override {
        ++finds;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (SameIgnoringCase(windows[i].className, className)) {
                return HandleOf(i);
            }
        }
        return kNoWindow;
    }

    void EnumerateTopLevel(const std::function<bool(WindowHandle)>& visit) const override {
        ++enumerations;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            ++visits;
            if (!visit(HandleOf(i))) {
                return;
            }
        }
    }

    int ReadClassName(WindowHandle window, char* buffer, int size) const override {
        const FakeWindow* found = Find(window);
        return Copy(found != nullptr ? found->className : std::string(), buffer, size);
    }

    int CaptionLength(WindowHandle window) const override {
        const FakeWindow* found = Find(window);
        if (found == nullptr) {
            return 0;
        }
        return found->reportedLength.value_or(static_cast<int>(found->caption.size()));
    }

    int ReadCaption(WindowHandle window, char* buffer, int size) const override {
        ++captionReads;
        const FakeWindow* found = Find(window);
        return Copy(found != nullptr ? found->caption : std::string(), buffer, size);
    }

    WindowHandle OwnerOf(WindowHandle window) const override {
        const FakeWindow* found = Find(window);
        return found != nullptr ? found->owner : kNoWindow;
    }

    bool IsVisible(WindowHandle window) const override {
        const FakeWindow* found = Find(window);
        return found != nullptr && found->visible;
    }

    std::optional<std::string> ReadAutomationText(
        std::string_view progId, std::span<const std::string_view> path) const override {
        ++automationReads;
        lastProgId = progId;
        lastPath.assign(path.begin(), path.end());
        return automationText;
    }

    AutomationTextAndNumber ReadAutomationTextAndNumber(
        std::string_view progId, std::span<const std::string_view> textPath,
        std::span<const std::string_view> numberPath) const override {
        ++automationReads;
        lastProgId = progId;
        lastPath.assign(textPath.begin(), textPath.end());
        lastNumberPath.assign(numberPath.begin(), numberPath.end());
        return {automationText, automationNumber};
    }

private:
    const FakeWindow* Find(WindowHandle window) const {
        const auto index = static_cast<std::size_t>(window);
        return index >= 1 && index <= windows.size() ? &windows[index - 1] : nullptr;
    }

    static bool SameIgnoringCase(const std::string& a, const std::string& b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    }

    static int Copy(const std::string& text, char* buffer, int size) {
        if (size <= 0) {
            return 0;
        }
        const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, text.data(), count);
        buffer[count] = '\0';
        return static_cast<int>(count);
    }
};

}  // namespace vesk::test
