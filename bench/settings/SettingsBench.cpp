// The settings routines on a real file: every read reads Vesk.ini and every write replaces
// it in one step, so these are the costs of opening the lyrics window (one read routine)
// and of the settings dialog's apply (three write routines, 33 keys).

#include <benchmark/benchmark.h>

#include <filesystem>

#include "common/FileSystem.h"
#include "settings/VeskSettings.h"

namespace vesk {
namespace {

class BenchFile {
public:
    BenchFile() {
        folder_ = std::filesystem::temp_directory_path() / "vesk-settings-bench";
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "Vesk.ini").string();
        std::filesystem::remove(path_);
        // A file as the program leaves it: the dialog's apply with the window open, then exit.
        LyricsWindowState window;
        window.size = {280, 159};
        window.position = {205, 528};
        WriteDisplaySettings(path_, DisplaySettings{}, &window);
        WriteTitleGetSettings(path_, TitleGetSettings{});
        WriteConnectionSettings(path_, ConnectionSettings{});
        WriteLyricsWindowState(path_, window);
        WriteLyricShow(path_, true);
    }
    ~BenchFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::filesystem::path folder_;
    std::string path_;
};

void BM_LyricsWindowLoadSettings(benchmark::State& state) {
    BenchFile file;
    for (auto _ : state) {
        LyricsWindowSettings settings;
        ReadLyricsWindowSettings(file.Path(), settings);
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_LyricsWindowLoadSettings)->Unit(benchmark::kMicrosecond);

void BM_MainFormLoadMainSettings(benchmark::State& state) {
    BenchFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadMainFormSettings(file.Path()));
    }
}
BENCHMARK(BM_MainFormLoadMainSettings)->Unit(benchmark::kMicrosecond);

void BM_SettingsDialogApply(benchmark::State& state) {
    BenchFile file;
    LyricsWindowState window;
    DisplaySettings display;
    TitleGetSettings title;
    ConnectionSettings connection;
    std::int32_t n = 0;
    for (auto _ : state) {
        // 35 of the 38 keys change each time (not the face, style and colour of the font);
        // each changed key replaces the file.
        ++n;
        const bool odd = n % 2 != 0;
        const std::string text = std::to_string(n);
        window = {display.font, {n, n}, {n, n}, odd, n, odd};
        display = {display.font, odd, n, Color(n), odd, odd, odd, odd, n, Color(n), n, n, odd};
        display.font.size = n;
        title = {text, text, n, n, n, text, n, odd};
        connection = {odd, text, odd, odd, "\"" + text + "\"", text, odd, n};
        WriteDisplaySettings(file.Path(), display, &window);
        WriteTitleGetSettings(file.Path(), title);
        WriteConnectionSettings(file.Path(), connection);
    }
}
BENCHMARK(BM_SettingsDialogApply)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
