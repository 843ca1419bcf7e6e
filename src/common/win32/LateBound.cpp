#include "common/win32/LateBound.h"

namespace vesk {

FARPROC LateProcAddress(const char* dll, const char* name) {
    // A DLL already loaded is only looked up; one loaded here is never freed, as the
    // functions taken from it are kept for the rest of the run.
    HMODULE module = GetModuleHandleA(dll);
    if (module == nullptr) {
        module = LoadLibraryA(dll);
    }
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

}  // namespace vesk
