#pragma once

// COM on the user-interface thread, entered when a feature first needs it (the Windows
// Media Player caption, the folder browser) rather than at start-up: COM's libraries then
// load only in a session that uses them.

namespace vesk {

// Enters a single-threaded apartment on this thread unless it has already done so; true
// when COM can be used on the thread (also when someone else entered it before).
bool EnterComApartment();

// Leaves the apartment at the end of its scope if EnterComApartment entered it on this
// thread meanwhile; the program's entry holds one for the user-interface thread.
class ComApartmentScope {
public:
    ComApartmentScope() = default;
    ~ComApartmentScope();
    ComApartmentScope(const ComApartmentScope&) = delete;
    ComApartmentScope& operator=(const ComApartmentScope&) = delete;
};

}  // namespace vesk
