#pragma once

// A program the tests and benchmarks start: ended by force if it still runs at the end,
// optionally inside a job that counts the programs it starts in turn.

#include <windows.h>

#include <optional>
#include <string>

namespace vesk::test {

class ChildProcess {
public:
    struct Options {
        std::string workingFolder;  // empty: the caller's
        bool inJob = false;         // count the programs it starts (ProgramsStarted)
    };

    // commandLine: the program's path, quoted where it has blanks, and its arguments.
    explicit ChildProcess(std::string commandLine, const Options& options);
    explicit ChildProcess(std::string commandLine) : ChildProcess(std::move(commandLine), {}) {}
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return process_ != nullptr; }
    bool Running() const;
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return id_; }
    // The program's top-level window of that class, or null.
    HWND Window(const char* className) const;
    // Programs the program has started so far (those that ended included); needs inJob.
    std::optional<DWORD> ProgramsStarted() const;

    // Waits for the end; the exit code, or nullopt when it did not end in time. With pump,
    // this thread's messages are handled meanwhile (its windows stay responsive).
    std::optional<DWORD> WaitEnd(DWORD milliseconds, bool pump = false) const;
    // Posts WM_CLOSE to the program's window of that class (its own exit command) and waits
    // for the end; false when there is no such window or it did not end in time (it is then
    // ended by force).
    bool Close(const char* className, DWORD milliseconds = 20000);
    void Kill();

private:
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// "program" "argument" ...: each part quoted.
std::string QuotedCommandLine(std::initializer_list<std::string> parts);

}  // namespace vesk::test
