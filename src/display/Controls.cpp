#include "display/Controls.h"

#include <algorithm>

namespace vesk {

TControl::~TControl() {
    if (host_ != nullptr) {
        host_->Remove(*this);
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    ApplyBounds({left, top, left + std::max(0, width), top + std::max(0, height)});
    RecordAnchorRules();
}

void TControl::SetAnchors(TAnchors anchors) {
    anchors_ = anchors;
    RecordAnchorRules();
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    if (!visible && host_ != nullptr) {
        host_->InvalidateRect(bounds_, true);
    }
    visible_ = visible;
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Invalidate();
    }
}

void TControl::SetAutoSize(bool autoSize) {
    if (autoSize_ != autoSize) {
        autoSize_ = autoSize;
        AdjustSize();
    }
}

void TControl::Invalidate() {
    if (host_ != nullptr && visible_) {
        host_->InvalidateRect(bounds_, !IsOpaque());
    }
}

void TControl::AttachTo(TControlHost* host) {
    host_ = host;
    RecordAnchorRules();
}

void TControl::RecordAnchorRules() {
    anchorBounds_ = bounds_;
    anchorHostWidth_ = host_ != nullptr ? host_->ClientWidth() : 0;
    anchorHostHeight_ = host_ != nullptr ? host_->ClientHeight() : 0;
}

void TControl::HostResized(int width, int height) {
    if (anchorHostWidth_ <= 0 && anchorHostHeight_ <= 0) {
        // The distances were taken before the host had a size: take them now.
        RecordAnchorRules();
        return;
    }
    ApplyBounds(AnchoredBounds(anchorBounds_, anchors_, anchorHostWidth_, anchorHostHeight_, width,
                               height));
}

void TControl::ApplyBounds(const TRect& bounds) {
    if (bounds == bounds_) {
        return;
    }
    if (host_ != nullptr && visible_) {
        host_->InvalidateRect(bounds_, true);  // uncovers what was under the old place
    }
    bounds_ = bounds;
    Invalidate();
}

TControlHost::~TControlHost() {
    for (TControl* control : controls_) {
        control->host_ = nullptr;
    }
}

void TControlHost::Add(TControl& control) {
    if (control.host_ == this) {
        return;
    }
    if (control.host_ != nullptr) {
        control.host_->Remove(control);
    }
    controls_.push_back(&control);
    control.AttachTo(this);
    control.AdjustSize();
    control.Invalidate();
}

void TControlHost::Remove(TControl& control) {
    const auto found = std::find(controls_.begin(), controls_.end(), &control);
    if (found == controls_.end()) {
        return;
    }
    if (control.visible_) {
        InvalidateRect(control.bounds_, true);
    }
    controls_.erase(found);
    control.host_ = nullptr;
    if (captured_ == &control) {
        captured_ = nullptr;
        SetMouseCapture(false);
    }
}

TControl* TControlHost::ControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* control = *it;
        if (control->Visible() && control->Enabled() && control->BoundsRect().Contains(x, y)) {
            return control;
        }
    }
    return nullptr;
}

void TControlHost::SetClientSize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
}

void TControlHost::Resize(int width, int height) {
    if (width == clientWidth_ && height == clientHeight_) {
        return;
    }
    SetClientSize(width, height);
    for (TControl* control : controls_) {
        control->HostResized(width, height);
    }
}

// The event handlers may do anything, even destroy the control or the host: each is called
// from a copy, and nothing is touched after it.
bool TControlHost::MouseDown(TMouseButton button, int x, int y) {
    TControl* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
    if (target == nullptr) {
        return false;
    }
    if (captured_ == nullptr) {
        captured_ = target;
        SetMouseCapture(true);
    }
    const auto handler = target->OnMouseDown;
    if (handler) {
        handler(*target, button, x - target->Left(), y - target->Top());
    }
    return true;
}

bool TControlHost::MouseMove(int x, int y) {
    TControl* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
    if (target == nullptr) {
        return false;
    }
    const auto handler = target->OnMouseMove;
    if (handler) {
        handler(*target, x - target->Left(), y - target->Top());
    }
    return true;
}

bool TControlHost::MouseUp(TMouseButton button, int x, int y) {
    TControl* target = captured_ != nullptr ? captured_ : ControlAt(x, y);
    if (target == nullptr) {
        return false;
    }
    if (captured_ != nullptr) {
        captured_ = nullptr;
        SetMouseCapture(false);
    }
    const auto handler = target->OnMouseUp;
    if (handler) {
        handler(*target, button, x - target->Left(), y - target->Top());
    }
    return true;
}

void TControlHost::PaintControls(const TRect& dirty,
                                 const std::function<void(TControl&)>& paint) const {
    for (TControl* control : controls_) {
        if (control->Visible() && control->BoundsRect().Intersects(dirty)) {
            paint(*control);
        }
    }
}

}  // namespace vesk
