#include "common/win32/ErrorReport.h"

namespace vesk {

const char* ApplicationTitle() {
    return "Vesk";
}

void ReportError(HWND owner, const std::exception& error) {
    MessageBoxA(owner, error.what(), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

void ReportError(HWND owner, const std::exception_ptr& error) {
    if (!error) {
        return;
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ReportError(owner, e);
    }
}

void ReportError(HWND owner, const std::string& message) {
    MessageBoxA(owner, message.c_str(), ApplicationTitle(), MB_OK | MB_ICONERROR);
}

}  // namespace vesk
