#pragma once

// Runs tests/tools' fake_player.exe: a player window of a given class in another process,
// whose caption the test changes through the player's command file.

#include <windows.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "TestFolder.h"

namespace vesk::test {

class FakePlayerProcess {
public:
    // programPath: fake_player.exe; className and caption in UTF-8 (ASCII is enough).
    FakePlayerProcess(const std::string& programPath, const std::string& className,
                      const std::string& caption)
        : commandFile_(folder_ / "player-commands") {
        char fullPath[MAX_PATH] = {};
        GetFullPathNameA(programPath.c_str(), MAX_PATH, fullPath, nullptr);
        std::string commandLine;
        for (const std::string& argument :
             {std::string(fullPath), className, caption, commandFile_}) {
            commandLine.append(commandLine.empty() ? "\"" : " \"").append(argument).append("\"");
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
            started_ = WaitDone(0);
        }
    }
    ~FakePlayerProcess() {
        if (process_ != nullptr) {
            if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_, 1);
                WaitForSingleObject(process_, 5000);
            }
            CloseHandle(process_);
        }
    }
    FakePlayerProcess(const FakePlayerProcess&) = delete;
    FakePlayerProcess& operator=(const FakePlayerProcess&) = delete;

    // The window exists and the player reads its commands.
    bool Started() const { return started_; }

    // Sets the caption (UTF-8) and waits until the player has done so.
    bool SetCaption(const std::string& utf8) { return Command("caption " + utf8); }

    // Gives the player one command of its command file ("hang 60000", "quit") and waits
    // until it is counted as done.
    bool Command(const std::string& line) {
        std::ofstream(commandFile_, std::ios::binary | std::ios::app) << line << "\n";
        return WaitDone(++commands_);
    }

    // Whether the process ended within the time given.
    bool Ended(DWORD milliseconds) const {
        return process_ != nullptr && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
    }

private:
    bool WaitDone(int count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            std::string done;
            std::ifstream(commandFile_ + ".done", std::ios::binary) >> done;
            if (done == std::to_string(count)) {
                return true;
            }
            if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    TestFolder folder_;
    std::string commandFile_;
    HANDLE process_ = nullptr;
    bool started_ = false;
    int commands_ = 0;
};

}  // namespace vesk::test
