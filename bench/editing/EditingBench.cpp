// The editor's work on its rows at the sizes of large collections, each beside the plain
// work it should stay near:
// - RepeatedTitles (10,000 rows) against ReadEveryTitle, one pass that copies every row's
//   title (target: at most three times); RepeatedTitlesPairwise shows the rule that
//   compares every pair on 1,000 rows;
// - SortByTitle (100,000 rows) against StableSortTitles, std::stable_sort of the same
//   titles with the same comparison (target: at most three times).
// Under Wine the comparison is the system's CompareStringA.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/TextPlatform.h"
#include "editing/LyricsListRules.h"
#include "editing/LyricsRows.h"

namespace vesk {
namespace {

std::string Ansi(const char* utf8) {
    return CurrentTextPlatform().FromUtf8(utf8);
}

// Titles as players give them: Japanese and English words, long vowel marks, numbers; one
// in twenty repeats an earlier title, one in a hundred in other letter case.
std::vector<ListViewRow> Rows(std::size_t count) {
    const std::string words[] = {
        Ansi("夏の雨"),         Ansi("ラブ・ストーリー"),  Ansi("さくら"),     Ansi("アイノカタチ"),
        "Summer Rain",          Ansi("星に願いを"),        Ansi("ハナミズキ"), "Let It Be",
        Ansi("Ｒａｉｎｂｏｗ"), Ansi("夜明けのスキャット")};
    const std::string artist = Ansi("アーティスト");
    std::vector<ListViewRow> rows;
    rows.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::string title;
        if (i % 20 == 19) {
            title = rows[i / 2].title;
        } else if (i % 100 == 37) {
            title = rows[i / 3].title;
            std::transform(title.begin(), title.end(), title.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
        } else {
            title = words[i % 10] + " " + std::to_string(i * 7919 % 100003) + " - " + artist +
                    std::to_string(i % 500);
        }
        rows.push_back({title, "C:\\lyrics\\" + std::to_string(i) + ".txt", std::to_string(i % 10),
                        std::to_string(i % 10 + 20)});
    }
    return rows;
}

const std::vector<ListViewRow>& DedupeRows() {
    static const std::vector<ListViewRow> rows = Rows(10'000);
    return rows;
}

const std::vector<ListViewRow>& SortRows() {
    static const std::vector<ListViewRow> rows = Rows(100'000);
    return rows;
}

void Fill(LyricsRows& rows, const std::vector<ListViewRow>& cells, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        rows.AppendRow(cells[i]);
    }
}

void ReadEveryTitle(benchmark::State& state) {
    const std::vector<ListViewRow>& cells = DedupeRows();
    for (auto _ : state) {
        for (const ListViewRow& row : cells) {
            std::string title = row.title;
            benchmark::DoNotOptimize(title.data());
        }
    }
}
BENCHMARK(ReadEveryTitle)->Unit(benchmark::kMillisecond);

void RepeatedTitles(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        LyricsRows rows;
        Fill(rows, DedupeRows(), DedupeRows().size());
        state.ResumeTiming();
        benchmark::DoNotOptimize(rows.RemoveRepeatedTitles().size());
    }
}
BENCHMARK(RepeatedTitles)->Unit(benchmark::kMillisecond);

void RepeatedTitlesPairwise(benchmark::State& state) {
    const TextPlatform& text = CurrentTextPlatform();
    for (auto _ : state) {
        std::vector<std::string> titles;
        for (std::size_t i = 0; i < 1000; ++i) {
            titles.push_back(DedupeRows()[i].title);
        }
        for (std::size_t i = 0; i < titles.size(); ++i) {
            for (std::size_t j = titles.size() - 1; j > i; --j) {
                if (text.Equal(titles[j], titles[i], false)) {
                    titles.erase(titles.begin() + static_cast<std::ptrdiff_t>(j));
                }
            }
        }
        benchmark::DoNotOptimize(titles.size());
    }
}
BENCHMARK(RepeatedTitlesPairwise)->Unit(benchmark::kMillisecond);

void SortByTitle(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        LyricsRows rows;
        Fill(rows, SortRows(), SortRows().size());
        state.ResumeTiming();
        benchmark::DoNotOptimize(rows.Sort(kTitleColumn, false).size());
    }
}
BENCHMARK(SortByTitle)->Unit(benchmark::kMillisecond);

void StableSortTitles(benchmark::State& state) {
    const TextPlatform& text = CurrentTextPlatform();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> titles;
        titles.reserve(SortRows().size());
        for (const ListViewRow& row : SortRows()) {
            titles.push_back(row.title);
        }
        state.ResumeTiming();
        std::stable_sort(titles.begin(), titles.end(),
                         [&](const std::string& a, const std::string& b) {
                             return text.Compare(a, b, true) < 0;
                         });
        benchmark::DoNotOptimize(titles.data());
    }
}
BENCHMARK(StableSortTitles)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
