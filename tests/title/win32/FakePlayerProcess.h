#pragma once

// Runs tests/tools' fake_player.exe: a player window of a given class in another process,
// whose caption the test changes through the player's command file.

#include <windows.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

#include "ChildProcess.h"
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
        process_.emplace(QuotedCommandLine({fullPath, className, caption, commandFile_}));
        started_ = process_->Started() && WaitDone(0);
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
    bool Ended(DWORD milliseconds) const { return process_->WaitEnd(milliseconds).has_value(); }

private:
    bool WaitDone(int count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            std::string done;
            std::ifstream(commandFile_ + ".done", std::ios::binary) >> done;
            if (done == std::to_string(count)) {
                return true;
            }
            if (!process_->Running()) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    TestFolder folder_;
    std::string commandFile_;
    std::optional<ChildProcess> process_;
    bool started_ = false;
    int commands_ = 0;
};

}  // namespace vesk::test
