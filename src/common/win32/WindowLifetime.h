#pragma once

// When a window object may be deleted. A window's own code can be far down the stack when
// the program decides to close it: a handler that opened a folder browser, a file dialog or
// a message box runs that nested loop, and the loop goes on dispatching the tray's "終了".
// The rule: an object is deleted only after the outermost call of its own window procedure
// has returned. Window and Dialog count those calls (OwnCall); an owner that lets go of an
// object (SingleWindow) asks for DeleteWhenIdle, which deletes it at once when none of its
// calls is on the stack and otherwise when the last one returns.
//
// An object deleted while its own code runs is a fault of the program: it is counted
// (LifetimeFaults, which the program's exit code reports), and the window procedure that
// finds its object gone touches it no more.

namespace vesk {

class WindowLifetime {
public:
    virtual ~WindowLifetime();
    WindowLifetime(const WindowLifetime&) = delete;
    WindowLifetime& operator=(const WindowLifetime&) = delete;

    // Deletes the object (made with new) now, or when the outermost call of its own code,
    // or of a child whose lifetime it holds, returns.
    void DeleteWhenIdle();
    // Whether a call of the object's own code is on the stack.
    bool InOwnCode() const { return calls_ > 0; }

protected:
    WindowLifetime();

    // A child window object held by this one (a settings page held by its dialog): a call of
    // the child's code counts as a call of this object's too.
    void SetLifetimeOwner(WindowLifetime* owner) { owner_ = owner; }

    // One call of the object's own code, for as long as this lives on the stack.
    class OwnCall {
    public:
        explicit OwnCall(WindowLifetime& object);
        ~OwnCall();
        OwnCall(const OwnCall&) = delete;
        OwnCall& operator=(const OwnCall&) = delete;

        // false once the object has been deleted against the rule.
        bool ObjectAlive() const;

    private:
        static constexpr int kMaxChain = 4;
        WindowLifetime* chain_[kMaxChain] = {};
        int length_ = 0;
    };

private:
    int calls_ = 0;
    bool deletePending_ = false;
    WindowLifetime* owner_ = nullptr;
};

// What SingleWindow and other owners delete window objects with.
struct DeleteWhenIdle {
    void operator()(WindowLifetime* object) const {
        if (object != nullptr) {
            object->DeleteWhenIdle();
        }
    }
};

// How many window objects this process deleted while their own code ran.
int LifetimeFaults();

}  // namespace vesk
