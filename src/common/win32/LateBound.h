#pragma once

// Functions of system DLLs that only some features use (the dialogs' common controls, the
// file and colour dialogs, COM and OLE automation, HTTP for the online lyrics), bound at their
// first call instead of when the program loads: linked directly, those DLLs and everything they
// bring with them would be loaded and kept from start-up for the whole day, in every session, used
// or not. Also functions that only newer versions of Windows have (GetDpiForWindow): nullptr
// tells the caller to do without.
//
//     static const auto chooseColor = LateBound<decltype(ChooseColorA)>(kComDlg32, "ChooseColorA");
//     if (chooseColor != nullptr && chooseColor(&dialog)) ...

#include <windows.h>

namespace vesk {

inline constexpr char kComCtl32[] = "comctl32.dll";
inline constexpr char kComDlg32[] = "comdlg32.dll";
inline constexpr char kOle32[] = "ole32.dll";
inline constexpr char kOleAut32[] = "oleaut32.dll";
inline constexpr char kUser32[] = "user32.dll";
inline constexpr char kWinHttp[] = "winhttp.dll";

// The address of name in dll, which is loaded the first time and stays loaded; nullptr when
// either cannot be found.
FARPROC LateProcAddress(const char* dll, const char* name);

template <class Function>
Function* LateBound(const char* dll, const char* name) {
    // Through the generic function pointer type, which any function pointer converts from.
    return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(LateProcAddress(dll, name)));
}

}  // namespace vesk
