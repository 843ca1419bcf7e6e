// Vesk.exe at rest and at start-up, against idle_timer_program.exe, the least a program
// with a 1000 ms timer can be (a hidden window and the timer; IdleTimerProgram.cpp).
//
// Idle: Vesk runs from a temporary folder of its own with a Vesk.ini whose player class is
// that of a fake player window showing one song of its Vesk.csv, so that each tick of its
// 1000 ms title check reads and compares a real caption; once with its lyrics window open (the
// default) showing that song's lyrics, once with it closed. Beside it, over the same
// VESK_BENCH_IDLE_SECONDS seconds (default 60; figures are given per 60 s) after a settling
// time, run the reference program and, for comparison only, the reference program reading the
// player's caption each tick with a bare FindWindowA + GetWindowTextLengthA + GetWindowTextA
// ("reader"), as Vesk's title check reads it: the load of the shared machine falls on all
// three alike. After the run with the window open the player's caption changes and the window
// must follow, which proves that the check ran.
//
// CPU time: Wine's GetProcessTimes reports no user or kernel time for another process, so it is
// the sum of the run times of the threads of the program's Linux process, read from
// /proc/<pid>/task/<tid>/schedstat through drive Z: (in ns; utime and stime of /proc/<pid>/stat
// count 10 ms ticks, too coarse for a few milliseconds a minute). Memory: PeakWorkingSetSize of
// GetProcessMemoryInfo (Wine reports the process's VmHWM). "cpu_x", "peak_x" are Vesk's figures
// over the reference program's, "cpu_x_reader" over the reader's.
//
// Start: from CreateProcess until Vesk's icon is shown in Wine's standalone tray window and
// the shell knows the icon of Vesk's hidden "TaskTrayHandle" window; for the reference, until
// its window exists. Each program is started once untimed first, so files are in the cache.

#include <windows.h>

#include <benchmark/benchmark.h>
#include <shellapi.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "common/ProgramText.h"
#include "tools/WineTray.h"

namespace vesk::bench {
namespace {

constexpr char kVeskTrayClass[] = "TaskTrayHandle";
constexpr char kInstanceMutex[] = "EX_Mutex";
constexpr UINT kTrayIconId = 1;

constexpr DWORD kFollowTimeoutMilliseconds = 5000;
constexpr DWORD kTickOffsetMilliseconds = 333;

constexpr ProgramText kSongTitle{"夏の雨"};
constexpr ProgramText kSongCaption{"夏の雨 - 青空"};
constexpr ProgramText kOtherCaption{"知らない歌 - 誰か"};
constexpr ProgramText kLyrics{
    "夕立の前の静けさに\r\n"
    "窓を少しだけ開けておく\r\n"
    "遠くの雷 数えながら\r\n"
    "君の足音を待っている\r\n"
    "\r\n"
    "夏の雨 アスファルトの匂い\r\n"
    "傘を持たずに走り出す\r\n"
    "濡れた髪も 笑い声も\r\n"
    "今だけは空にあずけて\r\n"
    "\r\n"
    "雲の切れ間に青が戻る\r\n"
    "水たまりに映る夕焼け\r\n"};

// The player that Vesk watches: fake_player.exe, for the whole run.
class Player {
public:
    Player()
        : className_("VeskBenchPlayer" + std::to_string(GetCurrentProcessId())),
          process_(BenchmarkFolder() + kPlayerProgram,
                   "\"" + className_ + "\" \"" + kSongCaption.Ansi() + "\"", "") {
        PollUntil([this] { return Window() != nullptr; }, kStartTimeoutMilliseconds, 20);
    }
    ~Player() { process_.Close(className_.c_str()); }
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    const std::string& ClassName() const { return className_; }
    HWND Window() const { return process_.Window(className_.c_str()); }
    bool Running() const { return Window() != nullptr; }

private:
    std::string className_;
    ChildProcess process_;
};

Player& ThePlayer() {
    static Player player;
    return player;
}

// A program folder with Vesk.exe, a lyrics list of one song and settings that watch the
// player's window.
VeskFolder MakeVeskFolder(bool lyricsWindowOpen) {
    return VeskFolder(
        kSongTitle.Ansi(), "lyrics.txt", kLyrics.Ansi(),
        "[TitleGet]\r\nGetClassName=" + ThePlayer().ClassName() +
            "\r\nTopCut=0\r\n[MainForm]\r\nLyricShow=" + (lyricsWindowOpen ? "1" : "0") + "\r\n");
}

// The reference program, copied into a folder of its own as Vesk is.
class ReferenceFolder {
public:
    ReferenceFolder()
        : ready_(folder_.CopyIn(BenchmarkFolder() + kReferenceProgram, kReferenceProgram)) {}
    bool Ready() const { return ready_; }
    std::string Program() const { return folder_.Path() + kReferenceProgram; }
    const ProgramFolder& Folder() const { return folder_; }

private:
    ProgramFolder folder_;
    bool ready_;
};

bool VeskAlreadyRunning() {
    if (HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kInstanceMutex)) {
        CloseHandle(mutex);
        return true;
    }
    return false;
}

int ShownTrayIcons() {
    return static_cast<int>(test::TrayIconWindows().size());
}

bool ShellKnowsIcon(HWND hidden) {
    return test::ShellKnowsIcon(hidden, kTrayIconId);
}

// Starts Vesk (into vesk) and waits for its icon. Returns the seconds from the start to the
// icon and to the main window, or nothing when the icon did not come.
struct VeskStart {
    double icon = 0;
    double mainWindow = 0;
};
std::optional<VeskStart> StartVesk(std::optional<ChildProcess>& vesk, const VeskFolder& folder) {
    const int before = ShownTrayIcons();
    const double start = Seconds();
    vesk.emplace(folder.Program(), "", folder.Folder().Path());
    VeskStart times;
    const auto iconShown = [&] {
        if (times.mainWindow == 0 && vesk->Window(kVeskMainClass) != nullptr) {
            times.mainWindow = Seconds() - start;
        }
        if (ShownTrayIcons() <= before) {
            return false;
        }
        HWND hidden = vesk->Window(kVeskTrayClass);
        return hidden != nullptr && ShellKnowsIcon(hidden);
    };
    const bool shown = vesk->Started() && PollUntil(iconShown, kStartTimeoutMilliseconds);
    times.icon = Seconds() - start;
    if (!shown) {
        return std::nullopt;
    }
    return times;
}

// Ends Vesk through its exit command and waits until its icon has left the tray.
bool StopVesk(ChildProcess& vesk, int iconsBefore) {
    const bool closed = vesk.Close(kVeskMainClass);
    PollUntil([iconsBefore] { return ShownTrayIcons() <= iconsBefore; }, 5000, 10);
    return closed;
}

bool Prepared(benchmark::State& state, bool ready) {
    if (!ready) {
        state.SkipWithError(
            "Vesk.exe, fake_player.exe or idle_timer_program.exe is missing "
            "beside the benchmark");
        return false;
    }
    if (!ThePlayer().Running()) {
        state.SkipWithError("the fake player did not start");
        return false;
    }
    if (VeskAlreadyRunning()) {
        state.SkipWithError("another Vesk runs in this Wine session");
        return false;
    }
    return true;
}

void BM_StartToTrayIcon_Vesk(benchmark::State& state) {
    const VeskFolder folder = MakeVeskFolder(true);
    if (!Prepared(state, folder.Ready())) {
        return;
    }
    static bool warmedUp = false;
    if (!warmedUp) {
        warmedUp = true;
        const int icons = ShownTrayIcons();
        std::optional<ChildProcess> vesk;
        StartVesk(vesk, folder);
        StopVesk(*vesk, icons);
    }
    for (auto _ : state) {
        const int icons = ShownTrayIcons();
        std::optional<ChildProcess> vesk;
        const std::optional<VeskStart> times = StartVesk(vesk, folder);
        state.SetIterationTime(times ? times->icon : kStartTimeoutMilliseconds / 1000.0);
        const bool closed = StopVesk(*vesk, icons);
        if (!times) {
            state.SkipWithError("Vesk's icon did not appear in the tray");
            break;
        }
        if (!closed) {
            state.SkipWithError("Vesk did not end through its exit command");
            break;
        }
        state.counters["main_window_ms"] = times->mainWindow * 1000;
    }
}
BENCHMARK(BM_StartToTrayIcon_Vesk)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

std::optional<double> TimeReferenceStart(const ReferenceFolder& folder) {
    const double start = Seconds();
    ChildProcess program(folder.Program(), "", folder.Folder().Path());
    const bool shown =
        program.Started() && PollUntil([&] { return program.Window(kReferenceClass) != nullptr; },
                                       kStartTimeoutMilliseconds);
    const double elapsed = Seconds() - start;
    const bool closed = program.Close(kReferenceClass);
    if (!shown || !closed) {
        return std::nullopt;
    }
    return elapsed;
}

void BM_StartToWindow_IdleTimerProgram(benchmark::State& state) {
    const ReferenceFolder folder;
    if (!Prepared(state, folder.Ready())) {
        return;
    }
    static bool warmedUp = false;
    if (!warmedUp) {
        warmedUp = true;
        TimeReferenceStart(folder);
    }
    for (auto _ : state) {
        const std::optional<double> elapsed = TimeReferenceStart(folder);
        if (!elapsed) {
            state.SkipWithError(
                "the reference program's window did not appear, or it did not "
                "end on WM_CLOSE");
            break;
        }
        state.SetIterationTime(*elapsed);
    }
}
BENCHMARK(BM_StartToWindow_IdleTimerProgram)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);

// A program at rest, per 60 s.
struct IdleFigures {
    double cpuMilliseconds = 0;
    double peakMiB = 0;
    int threads = 0;
};

// Programs at rest over the same time (CpuAtRest); on failure the state carries the error.
std::optional<std::vector<IdleFigures>> MeasureIdle(benchmark::State& state,
                                                    const std::vector<MeasuredProgram>& programs) {
    std::string error;
    const std::optional<std::vector<LinuxCpu>> cpu = CpuAtRest(programs, error);
    if (!cpu) {
        state.SkipWithError(error.c_str());
        return std::nullopt;
    }
    std::vector<IdleFigures> figures;
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const std::optional<MemoryFigures> memory = MemoryOf(programs[i].process->Handle());
        if (!memory) {
            state.SkipWithError("a program's memory could not be read");
            return std::nullopt;
        }
        figures.push_back(
            {(*cpu)[i].runMilliseconds, memory->peakBytes / (1024.0 * 1024.0), (*cpu)[i].threads});
    }
    return figures;
}

// Starts the reference program (reading the player's caption or not) and waits for its
// window.
bool StartReference(std::optional<ChildProcess>& program, const ReferenceFolder& folder,
                    bool readCaption) {
    program.emplace(folder.Program(), readCaption ? ThePlayer().ClassName() : "",
                    folder.Folder().Path());
    return PollUntil([&] { return program->Window(kReferenceClass) != nullptr; },
                     kStartTimeoutMilliseconds);
}

// Changes the player's caption to a song not in the list and back: the open lyrics window
// must show the other text (and so change its size) within a few ticks.
bool LyricsWindowFollowsPlayer(HWND lyricsWindow) {
    HWND player = ThePlayer().Window();
    RECT shown{};
    GetWindowRect(lyricsWindow, &shown);
    SetWindowTextA(player, kOtherCaption.Ansi().c_str());
    const bool followed = PollUntil(
        [&] {
            RECT now{};
            GetWindowRect(lyricsWindow, &now);
            return !EqualRect(&now, &shown);
        },
        kFollowTimeoutMilliseconds, 20);
    SetWindowTextA(player, kSongCaption.Ansi().c_str());
    return followed;
}

// Vesk at rest beside the reference program and the bare caption reader, all three over the
// same time. Their timers are started a third of a second apart, so their ticks do not meet.
void IdleVesk(benchmark::State& state, bool lyricsWindowOpen) {
    const VeskFolder folder = MakeVeskFolder(lyricsWindowOpen);
    const ReferenceFolder referenceFolder;
    const ReferenceFolder readerFolder;
    if (!Prepared(state, folder.Ready() && referenceFolder.Ready() && readerFolder.Ready())) {
        return;
    }
    for (auto _ : state) {
        std::optional<ChildProcess> reference;
        std::optional<ChildProcess> reader;
        const bool referenceStarted = StartReference(reference, referenceFolder, false);
        Sleep(kTickOffsetMilliseconds);
        const bool readerStarted = StartReference(reader, readerFolder, true);
        Sleep(kTickOffsetMilliseconds);
        if (!referenceStarted || !readerStarted) {
            state.SkipWithError("the reference program's window did not appear");
            break;
        }
        const int icons = ShownTrayIcons();
        std::optional<ChildProcess> vesk;
        if (!StartVesk(vesk, folder)) {
            StopVesk(*vesk, icons);
            state.SkipWithError("Vesk's icon did not appear in the tray");
            break;
        }
        const std::optional<std::vector<IdleFigures>> figures =
            MeasureIdle(state, {{&*vesk, folder.Folder().Name()},
                                {&*reference, referenceFolder.Folder().Name()},
                                {&*reader, readerFolder.Folder().Name()}});
        HWND lyricsWindow = vesk->Window(kLyricsWindowClass);
        const bool windowAsSet = (lyricsWindow != nullptr) == lyricsWindowOpen;
        const bool followed =
            !lyricsWindowOpen || !windowAsSet || LyricsWindowFollowsPlayer(lyricsWindow);
        const bool closed = StopVesk(*vesk, icons);
        const bool referencesClosed =
            reference->Close(kReferenceClass) && reader->Close(kReferenceClass);
        if (!figures) {
            break;
        }
        if (!windowAsSet) {
            state.SkipWithError("Vesk's lyrics window is not as its settings say");
            break;
        }
        if (!followed) {
            state.SkipWithError("Vesk's lyrics window did not follow the player's caption");
            break;
        }
        if (!closed || !referencesClosed) {
            state.SkipWithError("Vesk or the reference program did not end through WM_CLOSE");
            break;
        }
        const IdleFigures& v = (*figures)[0];
        const IdleFigures& r = (*figures)[1];
        const IdleFigures& c = (*figures)[2];
        state.SetIterationTime(v.cpuMilliseconds / 1000);
        state.counters["cpu_ms_60s"] = v.cpuMilliseconds;
        state.counters["ref_cpu_ms_60s"] = r.cpuMilliseconds;
        state.counters["cpu_x"] = v.cpuMilliseconds / r.cpuMilliseconds;
        state.counters["peak_MiB"] = v.peakMiB;
        state.counters["ref_peak_MiB"] = r.peakMiB;
        state.counters["peak_x"] = v.peakMiB / r.peakMiB;
        state.counters["reader_cpu_ms_60s"] = c.cpuMilliseconds;
        state.counters["cpu_x_reader"] = v.cpuMilliseconds / c.cpuMilliseconds;
        state.counters["threads"] = v.threads;
    }
}

void BM_Idle_Vesk_LyricsWindowOpen(benchmark::State& state) {
    IdleVesk(state, true);
}
BENCHMARK(BM_Idle_Vesk_LyricsWindowOpen)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_Idle_Vesk_LyricsWindowClosed(benchmark::State& state) {
    IdleVesk(state, false);
}
BENCHMARK(BM_Idle_Vesk_LyricsWindowClosed)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace vesk::bench
