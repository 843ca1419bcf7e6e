#include "ChildProcess.h"

#include <utility>

namespace vesk::test {

namespace {

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    if (process == search->process && lstrcmpA(className, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

bool Ended(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

}  // namespace

ChildProcess::ChildProcess(std::string commandLine, const Options& options) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (options.inJob) {
        job_ = CreateJobObjectA(nullptr, nullptr);
    }
    // Suspended until it is in its job, so that nothing it starts escapes the count.
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE,
                        options.inJob ? CREATE_SUSPENDED : 0, nullptr,
                        options.workingFolder.empty() ? nullptr : options.workingFolder.c_str(),
                        &startup, &info)) {
        return;
    }
    if (job_ != nullptr) {
        AssignProcessToJobObject(job_, info.hProcess);
        ResumeThread(info.hThread);
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    Kill();
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
    if (job_ != nullptr) {
        CloseHandle(job_);
    }
}

bool ChildProcess::Running() const {
    return process_ != nullptr && !Ended(process_);
}

HWND ChildProcess::Window(const char* className) const {
    WindowSearch search{id_, className, nullptr};
    if (process_ != nullptr) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::optional<DWORD> ChildProcess::ProgramsStarted() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    if (job_ == nullptr ||
        !QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                   sizeof(accounting), nullptr) ||
        accounting.TotalProcesses == 0) {
        return std::nullopt;
    }
    return accounting.TotalProcesses - 1;
}

std::optional<DWORD> ChildProcess::WaitEnd(DWORD milliseconds, bool pump) const {
    if (process_ == nullptr) {
        return std::nullopt;
    }
    const DWORD start = GetTickCount();
    while (!Ended(process_)) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) {
            return std::nullopt;
        }
        if (!pump) {
            WaitForSingleObject(process_, milliseconds - spent);
            continue;
        }
        MsgWaitForMultipleObjects(1, &process_, FALSE, 10, QS_ALLINPUT);
        MSG msg{};
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

bool ChildProcess::Close(const char* className, DWORD milliseconds) {
    const HWND window = Window(className);
    if (window == nullptr) {
        Kill();
        return false;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitEnd(milliseconds)) {
        return true;
    }
    Kill();
    return false;
}

void ChildProcess::Kill() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

std::string QuotedCommandLine(std::initializer_list<std::string> parts) {
    std::string commandLine;
    for (const std::string& part : parts) {
        commandLine.append(commandLine.empty() ? "\"" : " \"").append(part).append("\"");
    }
    return commandLine;
}

}  // namespace vesk::test
