// The cost of one title check (GetPlayerCaption + GetSongTitle + the comparison with the
// current title) against a bare FindWindowA + GetWindowTextLengthA + GetWindowTextA on the
// same window, with
// the player window in this process and in another one (the fake player); and with a caption
// filter among 200 top-level windows, against a bare enumeration that does the same reads.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "title/untTitleGet.h"

namespace vesk {
namespace {

constexpr char kLocalClass[] = "VeskBench.Player";
constexpr char kFilteredClass[] = "VeskBench.Filtered";
constexpr char kCaption[] = "Summer Rain - Blue Sky [playing]";
constexpr int kCrowd = 200;

HWND MakeWindow(const char* className, const char* caption) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExA(GetModuleHandleA(nullptr), className, &existing)) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassExA(&windowClass);
    }
    return CreateWindowExA(0, className, caption, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

// One player window of this process.
void EnsureLocalPlayer() {
    static const HWND window = MakeWindow(kLocalClass, kCaption);
    benchmark::DoNotOptimize(window);
}

// 200 top-level windows in front of the player, of the player's class and of others, so
// that the filtered search reads every class name and many captions.
void EnsureCrowd() {
    static const bool made = [] {
        MakeWindow(kFilteredClass, kCaption);  // created first: at the back
        for (int i = 0; i < kCrowd - 1; ++i) {
            const std::string caption = "Other window " + std::to_string(i);
            MakeWindow(i % 4 == 0 ? kFilteredClass : "VeskBench.Crowd", caption.c_str());
        }
        return true;
    }();
    benchmark::DoNotOptimize(made);
}

// The fake player of tests/tools, started once, beside the benchmark's build folder.
class RemotePlayer {
public:
    RemotePlayer() {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string program = path;
        program.erase(program.find_last_of('\\') + 1);
        program += "..\\..\\tests\\tools\\fake_player.exe";
        className_ = "VeskBench.Remote." + std::to_string(GetCurrentProcessId());
        process_.emplace(test::QuotedCommandLine({program, className_, std::string(kCaption)}));
        for (int i = 0;
             i < 200 && process_->Running() && FindWindowA(className_.c_str(), nullptr) == nullptr;
             ++i) {
            Sleep(50);
        }
    }
    const std::string& ClassName() const { return className_; }
    bool Running() const { return FindWindowA(className_.c_str(), nullptr) != nullptr; }

private:
    std::string className_;
    std::optional<test::ChildProcess> process_;
};

RemotePlayer& Remote() {
    static RemotePlayer player;
    return player;
}

// The caption as the title reader reads it: its length first, then the text.
void BareRead(benchmark::State& state, const char* className) {
    char buffer[256];
    for (auto _ : state) {
        HWND window = FindWindowA(className, nullptr);
        const int length = GetWindowTextLengthA(window);
        benchmark::DoNotOptimize(
            GetWindowTextA(window, buffer, length < 256 ? length + 1 : 256));
    }
}

void TitleCheck(benchmark::State& state, const std::string& className, const std::string& filter) {
    const TTitleGet& get = TitleGet();
    std::string songTitle = "Summer Rain";
    for (auto _ : state) {
        const std::string caption = get.GetPlayerCaption(className, filter);
        std::string title = get.GetSongTitle(caption, "-", 1, 0, 0);
        if (title != songTitle) {
            songTitle = std::move(title);
        }
        benchmark::DoNotOptimize(songTitle);
    }
    if (songTitle != "Summer Rain") {
        state.SkipWithError("the player's window was not found");
    }
}

void BM_BareFindAndRead_Local(benchmark::State& state) {
    EnsureLocalPlayer();
    BareRead(state, kLocalClass);
}
BENCHMARK(BM_BareFindAndRead_Local);

void BM_TitleCheck_Local(benchmark::State& state) {
    EnsureLocalPlayer();
    TitleCheck(state, kLocalClass, "");
}
BENCHMARK(BM_TitleCheck_Local);

void BM_BareFindAndRead_OtherProcess(benchmark::State& state) {
    if (!Remote().Running()) {
        state.SkipWithError("fake_player.exe not found beside the tests");
        return;
    }
    BareRead(state, Remote().ClassName().c_str());
}
BENCHMARK(BM_BareFindAndRead_OtherProcess);

void BM_TitleCheck_OtherProcess(benchmark::State& state) {
    if (!Remote().Running()) {
        state.SkipWithError("fake_player.exe not found beside the tests");
        return;
    }
    TitleCheck(state, Remote().ClassName(), "");
}
BENCHMARK(BM_TitleCheck_OtherProcess);

struct BareSearch {
    HWND found = nullptr;
    char caption[256];
};

BOOL CALLBACK VisitForBareSearch(HWND window, LPARAM parameter) {
    auto& s = *reinterpret_cast<BareSearch*>(parameter);
    char className[100];
    GetClassNameA(window, className, sizeof(className));
    if (std::strcmp(className, kFilteredClass) != 0) {
        return TRUE;
    }
    // The caption as the title reader reads it: its length first, then the text.
    const int length = GetWindowTextLengthA(window);
    if (length >= static_cast<int>(sizeof(s.caption)) ||
        GetWindowTextA(window, s.caption, length + 1) != length ||
        std::strstr(s.caption, "[playing]") == nullptr) {
        return TRUE;
    }
    s.found = window;
    return FALSE;
}

// The same reads the filtered search makes, written directly against Win32.
void BM_BareFilteredSearch_200Windows(benchmark::State& state) {
    EnsureCrowd();
    for (auto _ : state) {
        BareSearch search;
        EnumWindows(VisitForBareSearch, reinterpret_cast<LPARAM>(&search));
        benchmark::DoNotOptimize(GetWindowTextA(search.found, search.caption, 256));
    }
}
BENCHMARK(BM_BareFilteredSearch_200Windows);

void BM_TitleCheck_Filtered_200Windows(benchmark::State& state) {
    EnsureCrowd();
    TitleCheck(state, kFilteredClass, "[playing]");
}
BENCHMARK(BM_TitleCheck_Filtered_200Windows);

}  // namespace
}  // namespace vesk
