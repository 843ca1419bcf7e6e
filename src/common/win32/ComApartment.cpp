#include "common/win32/ComApartment.h"

#include <windows.h>

#include <objbase.h>

#include "common/win32/LateBound.h"

namespace vesk {
namespace {

// Whether this thread entered the apartment through EnterComApartment; once entered it
// stays until ComApartmentScope ends.
thread_local bool t_entered = false;

}  // namespace

bool EnterComApartment() {
    if (t_entered) {
        return true;
    }
    static const auto coInitializeEx =
        LateBound<decltype(CoInitializeEx)>(kOle32, "CoInitializeEx");
    if (coInitializeEx == nullptr) {
        return false;
    }
    const HRESULT result = coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(result)) {  // S_FALSE too: it counts and must be balanced
        t_entered = true;
        return true;
    }
    // Another apartment kind entered by someone else: COM is usable all the same.
    return result == RPC_E_CHANGED_MODE;
}

ComApartmentScope::~ComApartmentScope() {
    if (t_entered) {
        t_entered = false;
        // Entered, so ole32 is loaded and has the function.
        LateBound<decltype(CoUninitialize)>(kOle32, "CoUninitialize")();
    }
}

}  // namespace vesk
