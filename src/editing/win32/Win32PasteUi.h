#pragma once

#include "editing/untPasteSave.h"

namespace vesk {

// The desktop's clipboard (its CF_TEXT form, which the system converts to the ANSI code
// page) and message boxes.
class Win32PasteUi final : public PasteUi {
public:
    bool ClipboardHasText() const override;
    std::optional<std::string> ClipboardText() const override;
    void ShowMessage(const std::string& text, const std::string& caption) const override;
    bool Confirm(const std::string& text, const std::string& caption) const override;
};

}  // namespace vesk
