#pragma once

#include <windows.h>

#include "editing/untPasteSave.h"

namespace vesk {

// The desktop's clipboard (its CF_TEXT form, which the system converts to the ANSI code
// page) and message boxes.
class Win32PasteUi final : public PasteUi {
public:
    // The boxes belong to owner, so that they stay above it (a dialog that keeps itself on
    // top); without one they come to the front on their own.
    explicit Win32PasteUi(HWND owner = nullptr) : owner_(owner) {}

    bool ClipboardHasText() const override;
    std::optional<std::string> ClipboardText() const override;
    void ShowMessage(const std::string& text, const std::string& caption) const override;
    bool Confirm(const std::string& text, const std::string& caption) const override;

private:
    UINT BoxFlags() const;

    HWND owner_;
};

}  // namespace vesk
