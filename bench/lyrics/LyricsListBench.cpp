// The lyrics list at the size of a large collection (100,000 entries). PlainLineRead reads
// the same list file line by line into strings and nothing more: loading should cost at
// most three times as much.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "common/TextPlatform.h"
#include "lyrics/untTLyricsList.h"

namespace vesk {
namespace {

constexpr int kEntries = 100'000;
constexpr std::size_t kLyricsBytes = 60 * 1024;

std::string Ansi(const char* utf8) {
    return CurrentTextPlatform().FromUtf8(utf8);
}

// The files every benchmark uses, made once and removed at exit.
class BenchFiles {
public:
    BenchFiles() {
        folder_ = std::filesystem::temp_directory_path() / "vesk-lyrics-bench";
        std::filesystem::create_directories(folder_);
        listFile_ = (folder_ / "list.csv").string();
        savedFile_ = (folder_ / "saved.csv").string();
        lyricsFile_ = (folder_ / "lyrics.txt").string();

        const std::string line = Ansi("夏の雨が降る街角で君を待っている") + "\r\n";
        std::string lyrics;
        while (lyrics.size() + line.size() <= kLyricsBytes) {
            lyrics += line;
        }
        SystemFileSystem().ReplaceFile(lyricsFile_, lyrics);

        // Titles and paths as a player and a lyrics folder give them, some with commas
        // and quotes; the first entry is the one whose lyrics are shown.
        TLyricsList list;
        list.Add("Lyrics", lyricsFile_, 0, 0);
        const std::string song = Ansi("曲名");
        const std::string artist = Ansi("アーティスト");
        const std::string folder = Ansi("C:\\歌詞\\");
        for (int i = 1; i < kEntries; ++i) {
            const std::string n = std::to_string(i);
            std::string title = song + " " + n + " - " + artist + std::to_string(i % 500);
            if (i % 50 == 0) {
                title += ", \"Live\"";
            }
            list.Add(title, folder + artist + std::to_string(i % 500) + "\\" + song + n + ".txt",
                     i % 10 == 0 ? 2 : 0, i % 10 == 0 ? 20 : 0);
        }
        list.SaveToFile(listFile_);
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    const std::string& ListFile() const { return listFile_; }
    const std::string& SavedFile() const { return savedFile_; }

private:
    std::filesystem::path folder_;
    std::string listFile_;
    std::string savedFile_;
    std::string lyricsFile_;
};

const BenchFiles& Files() {
    static const BenchFiles files;
    return files;
}

void PlainLineRead(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(Files().ListFile(), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(std::move(line));
        }
        benchmark::DoNotOptimize(lines.data());
        state.counters["lines"] = static_cast<double>(lines.size());
    }
}
BENCHMARK(PlainLineRead)->Unit(benchmark::kMillisecond);

void LoadFromFile(benchmark::State& state) {
    for (auto _ : state) {
        TLyricsList list(Files().ListFile());
        benchmark::DoNotOptimize(list.Count());
        state.counters["entries"] = list.Count();
    }
}
BENCHMARK(LoadFromFile)->Unit(benchmark::kMillisecond);

void SaveToFile(benchmark::State& state) {
    const TLyricsList list(Files().ListFile());
    for (auto _ : state) {
        list.SaveToFile(Files().SavedFile());
    }
}
BENCHMARK(SaveToFile)->Unit(benchmark::kMillisecond);

void IndexOfAbsentTitle(benchmark::State& state) {
    TLyricsList list(Files().ListFile());
    list.SetCaseSensitive(state.range(0) != 0);
    const std::string absent = Ansi("曲名 100000 - 無い");
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.IndexOf(absent));
    }
}
BENCHMARK(IndexOfAbsentTitle)
    ->ArgName("caseSensitive")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

void DisplayText60KB(benchmark::State& state) {
    const TLyricsList list(Files().ListFile());
    for (auto _ : state) {
        const std::string text = list.DisplayText("Lyrics");
        benchmark::DoNotOptimize(text.data());
        state.counters["bytes"] = static_cast<double>(text.size());
    }
}
BENCHMARK(DisplayText60KB)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vesk
