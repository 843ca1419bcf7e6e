#pragma once

// The program-wide reference to a window that exists at most once (the lyrics window, the
// settings dialog, the list editor, the class search): empty while the window does not
// exist, set when it is made, emptied by the window itself when it is destroyed. The object
// is deleted then, or, when the window was destroyed from inside its own code (the program
// ended while one of its nested loops ran), once that code has returned (WindowLifetime.h).
// W is a Window or a Dialog.
//
//   SingleWindow<TfrmSetting> frmSetting;
//   if (!frmSetting) {
//       auto dialog = std::make_unique<TfrmSetting>(...);
//       if (dialog->CreateModeless(owner)) frmSetting.Set(std::move(dialog));
//   }
//   if (frmSetting) frmSetting->Show();

#include <memory>
#include <utility>

#include "common/win32/WindowLifetime.h"

namespace vesk {

template <class W>
class SingleWindow {
public:
    SingleWindow() = default;
    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;

    W* Get() const { return window_.get(); }
    W* operator->() const { return window_.get(); }
    explicit operator bool() const { return window_ != nullptr; }

    // Takes a window whose window has been made; it is forgotten when that is destroyed.
    W& Set(std::unique_ptr<W> window) {
        window_.reset(window.release());
        window_->SetDestroyedHandler([this] { window_.reset(); });
        return *window_;
    }

private:
    std::unique_ptr<W, DeleteWhenIdle> window_;
};

}  // namespace vesk
