#pragma once

// What the program benchmarks need around the programs they measure: a program folder of
// their own, started programs that are always stopped again, their windows, and their CPU
// time and memory as the Linux kernel under Wine counts them.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ChildProcess.h"

namespace vesk::bench {

// The programs the benchmarks start, found beside them, and their windows' classes.
inline constexpr char kVeskProgram[] = "Vesk.exe";
inline constexpr char kReferenceProgram[] = "idle_timer_program.exe";
inline constexpr char kPlayerProgram[] = "fake_player.exe";
inline constexpr char kVeskMainClass[] = "TfrmMain";
inline constexpr char kLyricsWindowClass[] = "TfrmLyrics";
inline constexpr char kReferenceClass[] = "VeskIdleTimerProgram";

inline constexpr DWORD kStartTimeoutMilliseconds = 30000;
// Figures at rest are given per kReportSeconds, measured over MeasureSeconds()
// (VESK_BENCH_IDLE_SECONDS, default kReportSeconds) after kSettleMilliseconds.
inline constexpr double kReportSeconds = 60;
inline constexpr DWORD kSettleMilliseconds = 3000;
double MeasureSeconds();

// The folder of this benchmark program, with a trailing separator.
std::string BenchmarkFolder();

// Seconds since an arbitrary start, at the resolution of the performance counter.
double Seconds();

// Calls done every few milliseconds until it holds or the time is up.
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds,
               DWORD pollMilliseconds = 2);

// A fresh folder in the temporary folder, removed with its files at the end. Its name is
// unique on the machine, so it also tells this folder's programs apart in /proc.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // With a trailing separator.
    const std::string& Path() const { return path_; }
    const std::string& Name() const { return name_; }
    bool WriteFile(const std::string& fileName, std::string_view bytes) const;
    bool CopyIn(const std::string& from, const std::string& fileName) const;

private:
    std::string name_;
    std::string path_;
};

// A program folder with a copy of Vesk.exe, one lyrics file, a list that gives it to one
// title and the settings given (INI text).
class VeskFolder {
public:
    VeskFolder(const std::string& songTitle, const std::string& lyricsFileName,
               std::string_view lyricsBytes, const std::string& settings);
    bool Ready() const { return ready_; }
    std::string Program() const { return folder_.Path() + kVeskProgram; }
    const ProgramFolder& Folder() const { return folder_; }

private:
    ProgramFolder folder_;
    bool ready_ = false;
};

// A started program (tests/tools/ChildProcess.h) from its path, its arguments and its
// working folder (empty: the benchmark's).
class ChildProcess : public test::ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& arguments,
                 const std::string& workingFolder)
        : test::ChildProcess("\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments),
                             {workingFolder, false}) {}
};

// Peak and current working set in bytes (GetProcessMemoryInfo; under Wine VmHWM and VmRSS).
struct MemoryFigures {
    double peakBytes = 0;
    double currentBytes = 0;
};
std::optional<MemoryFigures> MemoryOf(HANDLE process);

// CPU time of a Linux process, read from /proc through drive Z: (Wine's GetProcessTimes
// gives no user or kernel time for other processes): the sum of its live threads' run times
// (schedstat, in ns).
struct LinuxCpu {
    double runMilliseconds = 0;
    int threads = 0;
};
std::optional<LinuxCpu> CpuOf(int linuxPid);

// A started program to measure at rest, and the name of its folder (which finds it in /proc).
struct MeasuredProgram {
    const ChildProcess* process;
    std::string folderName;
};

// The CPU time of programs at rest per kReportSeconds (their threads as at the end), all over
// the same MeasureSeconds() after the settling time, so that the load of the shared machine
// falls on them alike. Nothing, with the reason in error, when a program was not found, ended
// meanwhile or could not be read.
std::optional<std::vector<LinuxCpu>> CpuAtRest(const std::vector<MeasuredProgram>& programs,
                                               std::string& error);

// The Linux process whose command line contains text (case-insensitive): Wine shows a
// program's Windows command line there.
std::optional<int> LinuxPidByCommandLine(std::string_view text);

}  // namespace vesk::bench
