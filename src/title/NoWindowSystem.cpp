#include "title/WindowSystem.h"

namespace vesk {

namespace {

// Outside Windows there is no desktop to search: no windows, no automation servers.
class NoWindowSystem final : public WindowSystem {
public:
    WindowHandle FindFirstOfClass(const std::string&) const override { return kNoWindow; }
    void EnumerateTopLevel(const std::function<bool(WindowHandle)>&) const override {}
    int ReadClassName(WindowHandle, char* buffer, int size) const override {
        return Empty(buffer, size);
    }
    int CaptionLength(WindowHandle) const override { return 0; }
    int ReadCaption(WindowHandle, char* buffer, int size) const override {
        return Empty(buffer, size);
    }
    WindowHandle OwnerOf(WindowHandle) const override { return kNoWindow; }
    bool IsVisible(WindowHandle) const override { return false; }
    std::optional<std::string> ReadAutomationText(
        std::string_view, std::span<const std::string_view>) const override {
        return std::nullopt;
    }

private:
    static int Empty(char* buffer, int size) {
        if (size > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
};

}  // namespace

const WindowSystem& SystemWindowSystem() {
    static const NoWindowSystem windowSystem;
    return windowSystem;
}

}  // namespace vesk
