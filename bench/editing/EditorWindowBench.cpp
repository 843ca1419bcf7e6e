// The lyrics list editor on a list of 100,000 entries, under Wine, as the tray command and
// its OK use it, beside LoadListFile, loading the same list from its file:
// - OpenEditor: the window made, filled from the main list and shown (target: at most three
//   times LoadListFile);
// - EditorOk: the rows stored in the main list, the list saved, the lyrics refreshed and the
//   window closed (target: the same). Wine without a window manager waits two seconds for
//   the X server whenever a shown window goes, which its CPU time leaves out, and
//   EditorOkStore measures the same without closing the window;
// - ReadTitlesFromListView: one pass that reads the title of each of 10,000 rows through
//   the list view, as the rows of a list view are read (a baseline of editing_bench's
//   RepeatedTitles).

#include <windows.h>

#include <commctrl.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/untMain.h"
#include "app/win32/LyricsListWindow.h"
#include "common/FileSystem.h"
#include "common/TextPlatform.h"
#include "lyrics/untTLyricsList.h"
#include "title/untTitleGet.h"

namespace vesk {
namespace {

constexpr int kEntries = 100'000;

std::string Ansi(const char* utf8) {
    return CurrentTextPlatform().FromUtf8(utf8);
}

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A lyrics window that is open and takes every text.
class OpenLyricsWindow final : public LyricsSink {
public:
    bool LyricsWindowExists() const override { return true; }
    void ShowLyrics(const std::string& text) override { shown = text.size(); }
    void CreateLyricsWindow() override {}
    void ShowLyricsWindow() override {}
    void CloseLyricsWindow() override {}
    std::size_t shown = 0;
};

// The program's list file of 100,000 entries, the first one the song playing; the main form
// keeps its list in another file, which OK writes.
class Program {
public:
    Program() : main_(TitleGet(), lyricsWindow_, [](const std::string&) {}) {
        folder_ = std::filesystem::temp_directory_path() / "vesk-editor-bench";
        std::filesystem::create_directories(folder_);
        listFile_ = (folder_ / "list.csv").string();
        const std::string lyrics = (folder_ / "lyrics.txt").string();
        SystemFileSystem().ReplaceFile(lyrics, Ansi("夏の雨が降る\r\n街角で\r\n"));
        TLyricsList list;
        list.Add(Ansi("夏の雨"), lyrics, 0, 0);
        for (int i = 1; i < kEntries; ++i) {
            const std::string n = std::to_string(i);
            list.Add(Ansi("曲名 ") + n + Ansi(" - アーティスト") + std::to_string(i % 500),
                     Ansi("C:\\歌詞\\曲名") + n + ".txt", i % 10, i % 10 + 20);
        }
        list.SaveToFile(listFile_);
        main_.LoadLyricsList((folder_ / "Vesk.csv").string());
        main_.LyricsList = std::make_unique<TLyricsList>(listFile_);
        main_.SongTitle = Ansi("夏の雨");
        editor_ = std::make_unique<TLyricsListWindow>(main_, nullptr);
    }
    ~Program() {
        editor_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::string& ListFile() const { return listFile_; }
    TfrmMain& Main() { return main_; }
    TLyricsListWindow& Editor() { return *editor_; }
    // The editor as the tray command opens it, painted.
    TfrmLyricsList& Open() {
        editor_->Open();
        UpdateWindow(editor_->frmLyricsList()->Handle());
        return *editor_->frmLyricsList();
    }

private:
    OpenLyricsWindow lyricsWindow_;
    TfrmMain main_;
    std::filesystem::path folder_;
    std::string listFile_;
    std::unique_ptr<TLyricsListWindow> editor_;
};

Program& TheProgram() {
    static Program* program = new Program;  // kept: windows go with the process
    return *program;
}

void LoadListFile(benchmark::State& state) {
    for (auto _ : state) {
        TLyricsList list(TheProgram().ListFile());
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(LoadListFile)->Unit(benchmark::kMillisecond);

void OpenEditor(benchmark::State& state) {
    Program& program = TheProgram();
    for (auto _ : state) {
        benchmark::DoNotOptimize(program.Open().Rows().RowCount());
        state.PauseTiming();
        program.Editor().Close();
        Pump();
        state.ResumeTiming();
    }
}
BENCHMARK(OpenEditor)->Unit(benchmark::kMillisecond);

void EditorOk(benchmark::State& state) {
    Program& program = TheProgram();
    for (auto _ : state) {
        state.PauseTiming();
        TfrmLyricsList& editor = program.Open();
        Pump();
        state.ResumeTiming();
        editor.bbnOKClick();
        state.PauseTiming();
        Pump();
        state.ResumeTiming();
    }
}
BENCHMARK(EditorOk)->Unit(benchmark::kMillisecond);

void EditorOkStore(benchmark::State& state) {
    Program& program = TheProgram();
    TfrmLyricsList& editor = program.Open();
    TfrmMain& main = program.Main();
    for (auto _ : state) {
        main.ReplaceLyricsRows(editor.Rows());
    }
    program.Editor().Close();
    Pump();
}
BENCHMARK(EditorOkStore)->Unit(benchmark::kMillisecond);

void ReadTitlesFromListView(benchmark::State& state) {
    Program& program = TheProgram();
    const HWND list = program.Open().Item(IDC_LL_LIST);
    constexpr int kRows = 10'000;
    char text[260];
    for (auto _ : state) {
        for (int i = 0; i < kRows; ++i) {
            LVITEMA item{};
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            benchmark::DoNotOptimize(text[0]);
        }
    }
    program.Editor().Close();
    Pump();
}
BENCHMARK(ReadTitlesFromListView)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
