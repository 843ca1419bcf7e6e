// The cost of synced lyrics: Vesk.exe showing an LRC song with a line every 2 s, once with
// synced display on and once with it off (the same song shown as still text), each over the
// same VESK_BENCH_IDLE_SECONDS seconds (default 60; figures are per 60 s) after a settling
// time. The single-instance guard lets only one Vesk run at a time, so the two runs follow
// each other in one benchmark run, and beside each runs the reference program
// (idle_timer_program.exe), whose figures show how loaded the shared machine was meanwhile.
// "sync_x" is the synced run's CPU time over the still one's: at most 1.5 is the target.
// After each run the lyrics window must show the lit line's colour exactly when synced, which
// proves that the setting took.
//
// CPU time as in AppBench.cpp: the run times of the Linux threads of the program's process.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "BenchProcess.h"
#include "ScreenCapture.h"
#include "common/ProgramText.h"

namespace vesk::bench {
namespace {

constexpr int kLineSeconds = 2;
// Lines enough for the settling time, the measurement and the checks after it.
constexpr int kLineCount = 90;
constexpr std::uint32_t kLitColor = 0x00CC6600;  // SyncColor's default

constexpr ProgramText kSongTitle{"同期の歌"};
constexpr ProgramText kSongCaption{"同期の歌 - 誰か"};
constexpr ProgramText kLine{"番目の行、夜空の星をかぞえながら歌う"};

// An LRC file with a line every kLineSeconds seconds.
std::string SongLrc() {
    std::string lrc = "[ti:" + kSongTitle.Ansi() + "]\r\n";
    for (int i = 0; i < kLineCount; ++i) {
        const int seconds = i * kLineSeconds;
        char tag[16];
        std::snprintf(tag, sizeof(tag), "[%02d:%02d.00]", seconds / 60, seconds % 60);
        lrc += tag + std::to_string(i + 1) + kLine.Ansi() + "\r\n";
    }
    return lrc;
}

// A program folder with Vesk.exe, the song and settings that watch the player's window.
VeskFolder MakeVeskFolder(const std::string& playerClass, bool sync) {
    return VeskFolder(kSongTitle.Ansi(), "song.lrc", SongLrc(),
                      "[TitleGet]\r\nGetClassName=" + playerClass +
                          "\r\nTopCut=0\r\n[Extension]\r\nSyncLyrics=" + (sync ? "1" : "0") +
                          "\r\n");
}

bool ShowsLitColour(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    const test::ScreenPicture picture = test::CaptureScreen(area);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == kLitColor) {
                return true;
            }
        }
    }
    return false;
}

struct RunFigures {
    double veskCpu = 0;
    double referenceCpu = 0;
};

// One run of Vesk beside the reference program; the error, if any, goes to state.
std::optional<RunFigures> MeasureRun(benchmark::State& state, const std::string& playerClass,
                                     bool sync) {
    const VeskFolder folder = MakeVeskFolder(playerClass, sync);
    const ProgramFolder referenceFolder;
    if (!folder.Ready() ||
        !referenceFolder.CopyIn(BenchmarkFolder() + kReferenceProgram, kReferenceProgram)) {
        state.SkipWithError("Vesk.exe or idle_timer_program.exe is missing beside the benchmark");
        return std::nullopt;
    }
    ChildProcess reference(referenceFolder.Path() + kReferenceProgram, "", referenceFolder.Path());
    ChildProcess vesk(folder.Program(), "", folder.Folder().Path());
    const bool started = PollUntil([&] { return vesk.Window(kLyricsWindowClass) != nullptr; },
                                   kStartTimeoutMilliseconds) &&
                         PollUntil([&] { return reference.Window(kReferenceClass) != nullptr; },
                                   kStartTimeoutMilliseconds);
    std::string error = "a program did not start";
    const std::optional<std::vector<LinuxCpu>> cpu =
        started ? CpuAtRest({{&vesk, folder.Folder().Name()}, {&reference, referenceFolder.Name()}},
                            error)
                : std::nullopt;
    HWND lyricsWindow = vesk.Window(kLyricsWindowClass);
    const bool shownAsSet = lyricsWindow != nullptr && ShowsLitColour(lyricsWindow) == sync;
    const bool closed = vesk.Close(kVeskMainClass) && reference.Close(kReferenceClass);
    if (!cpu) {
        state.SkipWithError(error.c_str());
        return std::nullopt;
    }
    if (!shownAsSet) {
        state.SkipWithError("the lyrics window does not show the song as the setting says");
        return std::nullopt;
    }
    if (!closed) {
        state.SkipWithError("Vesk or the reference program did not end through WM_CLOSE");
        return std::nullopt;
    }
    return RunFigures{(*cpu)[0].runMilliseconds, (*cpu)[1].runMilliseconds};
}

void BM_SyncedLyrics_Vesk(benchmark::State& state) {
    const std::string playerClass = "VeskSyncBench" + std::to_string(GetCurrentProcessId());
    ChildProcess player(BenchmarkFolder() + kPlayerProgram,
                        "\"" + playerClass + "\" \"" + kSongCaption.Ansi() + "\"", "");
    if (!PollUntil([&] { return player.Window(playerClass.c_str()) != nullptr; },
                   kStartTimeoutMilliseconds)) {
        state.SkipWithError("the fake player did not start");
        return;
    }
    for (auto _ : state) {
        const std::optional<RunFigures> still = MeasureRun(state, playerClass, false);
        if (!still) {
            break;
        }
        const std::optional<RunFigures> synced = MeasureRun(state, playerClass, true);
        if (!synced) {
            break;
        }
        state.SetIterationTime(synced->veskCpu / 1000);
        state.counters["sync_cpu_ms_60s"] = synced->veskCpu;
        state.counters["still_cpu_ms_60s"] = still->veskCpu;
        state.counters["sync_x"] = synced->veskCpu / still->veskCpu;
        state.counters["ref_cpu_ms_60s_sync"] = synced->referenceCpu;
        state.counters["ref_cpu_ms_60s_still"] = still->referenceCpu;
    }
    player.Close(playerClass.c_str());
}
BENCHMARK(BM_SyncedLyrics_Vesk)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vesk::bench
