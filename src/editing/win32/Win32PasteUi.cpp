#include "editing/win32/Win32PasteUi.h"

#include <windows.h>

#include <cstring>

#include "common/win32/WinHandles.h"

namespace vesk {

namespace {

// Message boxes of a program without a visible main window: come to the front.
constexpr UINT kBoxFlags = MB_SETFOREGROUND | MB_TASKMODAL;

}  // namespace

bool Win32PasteUi::ClipboardHasText() const {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

std::optional<std::string> Win32PasteUi::ClipboardText() const {
    ClipboardScope clipboard(nullptr);
    if (!clipboard.IsOpen()) {
        return std::nullopt;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    if (data == nullptr) {
        return std::nullopt;
    }
    GlobalLockScope lock(data);
    const char* text = static_cast<const char*>(lock.Data());
    if (text == nullptr) {
        return std::nullopt;
    }
    // Never read past the block, even when its NUL is missing.
    const void* nul = std::memchr(text, '\0', lock.Size());
    return std::string(text, nul != nullptr ? static_cast<const char*>(nul) - text : lock.Size());
}

UINT Win32PasteUi::BoxFlags() const {
    return owner_ != nullptr ? MB_APPLMODAL : kBoxFlags;
}

void Win32PasteUi::ShowMessage(const std::string& text, const std::string& caption) const {
    MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OK | BoxFlags());
}

bool Win32PasteUi::Confirm(const std::string& text, const std::string& caption) const {
    return MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OKCANCEL | BoxFlags()) == IDOK;
}

const TPasteSave& PasteSave() {
    static const Win32PasteUi ui;
    static const TPasteSave pasteSave(ui);
    return pasteSave;
}

}  // namespace vesk
