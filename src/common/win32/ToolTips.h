#pragma once

// The tool tips of a dialog's controls: one tool tip window, made with the first hint and
// owned by the dialog, which destroys it with itself. A dialog made again from the same
// object gets a new one.
//
//   ToolTips tips_;
//   tips_.Add(Handle(), Item(IDC_NEW), kNewTip.Ansi());    // in OnInit

#include <windows.h>

#include <string>

namespace vesk {

class ToolTips {
public:
    // Hints wider than maxWidth pixels at 96 DPI wrap; 0: each hint on one line.
    explicit ToolTips(int maxWidth = 0) : maxWidth_(maxWidth) {}

    // The hint shown while the pointer rests on control, a child of dialog. Nothing when the
    // tool tip window cannot be made.
    void Add(HWND dialog, HWND control, const std::string& hint);

private:
    int maxWidth_;
    HWND window_ = nullptr;
};

}  // namespace vesk
