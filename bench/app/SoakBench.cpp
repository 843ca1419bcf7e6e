// app_soak.exe [changes]: a long run of Vesk.exe (default 20,000 caption changes, about 40
// minutes; scripts/bench.sh --soak runs it). Prints its figures and exits with 0 when Vesk
// held no more at the end than after the first 1,000 changes and took the last caption of
// every burst.
//
// The player (fake_player.exe) changes its caption every 100 ms, in bursts of 40 changes;
// the last caption of a burst stands 600 ms longer: a caption set just after Vesk began a
// fade waits for that fade and the next check, which a loaded machine stretches. The
// captions cycle through eight songs of the list (lyrics files of 4 to 18 lines), each
// between two that are not in it: plain titles, captions with bytes that are no Shift_JIS
// (a lead byte before a blank or at the very end, bytes no character uses) and 1,000-byte
// captions. Vesk checks the caption every 50 ms (CheckTime=50) and fades its lyrics window
// out at each new text (FadeInOut=1).
//
// Which changes Vesk took: the lyrics window keeps its width and fits its height to the
// text. Before the run each caption of the cycle is shown alone and the window's size
// learnt; the titles not in the list are made longer until every caption has a size of its
// own. During the run the window's rectangle is read every few milliseconds: each new size
// names its caption, and so the latest change to that caption. A fade stops Vesk for about
// 260 ms (13 steps of 20 ms, in which no check runs), so within a burst it takes some of the
// changes, not all: a change is missed when its caption was gone by the time Vesk looked.
// What must hold is that the caption that stands at the end of each burst is taken, and that
// every size seen is explained by a change, in order.
//
// Resources (ProcessResources.h): handles, GDI objects, windows and working set, read after
// change 1,000 and at the end (each after the burst's pause), and every 1,000 changes.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "BenchProcess.h"
#include "ProcessResources.h"
#include "common/ProgramText.h"

namespace vesk::bench {
namespace {

constexpr int kDefaultChanges = 20000;
constexpr int kBaselineChange = 1000;
constexpr int kBurstChanges = 40;
constexpr double kChangeSeconds = 0.1;
constexpr double kBurstPauseSeconds = 0.6;
constexpr DWORD kPollMilliseconds = 3;
// A size counts as learnt when the window has kept it this long.
constexpr double kSettledSeconds = 0.8;
constexpr double kLearnTimeoutSeconds = 10;
constexpr std::size_t kLongCaptionBytes = 1000;
constexpr int kMostWords = 60;

constexpr ProgramText kSongLine{"ソーク試験の歌詞の行"};
constexpr ProgramText kJapaneseChar{"あ"};
constexpr ProgramText kNotListed{"知らない歌 - 誰か"};

struct Size {
    LONG width = 0;
    LONG height = 0;
    bool operator==(const Size&) const = default;
};

std::string SongTitle(int song) {
    return "Soak Song " + std::to_string(song);
}

constexpr int kSongs = 8;

int SongLines(int song) {
    return 4 + 2 * song;  // 4, 6, ... 18
}

// A caption made longer in its title by words put before it, so that its message takes more
// lines; a 1,000-byte caption keeps its length.
std::string Variant(const std::string& caption, int words) {
    std::string variant;
    for (int i = 0; i < words; ++i) {
        variant += "wwwwwwwwww ";
    }
    variant += caption;
    if (caption.size() >= kLongCaptionBytes) {
        variant.resize(caption.size());
    }
    return variant;
}

// One cycle of captions: each song once, each between two captions that are not in the
// list. Learn() makes those longer until every caption of the cycle has a size of its own.
std::vector<std::string> CaptionCycle() {
    const std::string jp = kJapaneseChar.Ansi();
    std::string longJapanese;
    while (longJapanese.size() < kLongCaptionBytes) {
        longJapanese += jp;
    }
    const std::vector<std::string> others = {
        "Not In The List - Band",
        std::string("Bad \x82\x20 lead - Band"),  // lead byte before a blank
        std::string(kLongCaptionBytes, 'L'),      // no delimiter in reach
        kNotListed.Ansi(),
        std::string("Undefined \xA0\xFD\xFE\xFF - Band"),  // bytes no character uses
        longJapanese,
        std::string("Cut lead \x81"),  // lead byte at the very end
        std::string(kLongCaptionBytes - 7, 'w') + " - Band",
    };
    std::vector<std::string> cycle;
    for (std::size_t i = 0; i < others.size(); ++i) {
        cycle.push_back(SongTitle(static_cast<int>(i)) + " - Soak Band");
        cycle.push_back(others[i]);
    }
    return cycle;
}

class Soak {
public:
    struct Seen {
        Size size;
        double time;
    };

    explicit Soak(int changes) : changes_(changes), cycle_(CaptionCycle()) {}

    int Run() {
        if (!Prepare()) {
            return 2;
        }
        if (!Learn()) {
            return 2;
        }
        const bool ran = Change();
        const int result = ran ? Report() : 2;
        vesk_->Close(kVeskMainClass);
        player_->Close(playerClass_.c_str());
        return result;
    }

private:
    bool Prepare() {
        std::string list;
        bool ready = folder_.CopyIn(BenchmarkFolder() + kVeskProgram, kVeskProgram);
        for (int song = 0; song < kSongs; ++song) {
            const std::string file = "song" + std::to_string(song) + ".txt";
            std::string lyrics;
            for (int line = 1; line <= SongLines(song); ++line) {
                lyrics += kSongLine.Ansi() + " " + std::to_string(line) + "\r\n";
            }
            ready = ready && folder_.WriteFile(file, lyrics);
            list += "\"" + SongTitle(song) + "\",\"" + folder_.Path() + file + "\",0,0\r\n";
        }
        playerClass_ = "VeskSoakPlayer" + std::to_string(GetCurrentProcessId());
        const std::string settings = "[TitleGet]\r\nGetClassName=" + playerClass_ +
                                     "\r\nTopCut=0\r\nCheckTime=50\r\n"
                                     "[LyricsForm]\r\nFadeInOut=1\r\n"
                                     "[MainForm]\r\nLyricShow=1\r\n";
        ready =
            ready && folder_.WriteFile("Vesk.csv", list) && folder_.WriteFile("Vesk.ini", settings);
        if (!ready) {
            std::printf("error: the program folder could not be made\n");
            return false;
        }
        player_.emplace(BenchmarkFolder() + kPlayerProgram,
                        "\"" + playerClass_ + "\" \"Soak Start - Band\"", "");
        vesk_.emplace(folder_.Path() + kVeskProgram, "", folder_.Path());
        const bool started = PollUntil(
            [&] {
                return player_->Window(playerClass_.c_str()) != nullptr &&
                       vesk_->Window(kLyricsWindowClass) != nullptr;
            },
            kStartTimeoutMilliseconds, 20);
        if (!started) {
            std::printf("error: the player or Vesk's lyrics window did not appear\n");
            return false;
        }
        playerWindow_ = player_->Window(playerClass_.c_str());
        lyricsWindow_ = vesk_->Window(kLyricsWindowClass);
        return true;
    }

    std::optional<Size> WindowSize() const {
        RECT rect{};
        if (!GetWindowRect(lyricsWindow_, &rect)) {
            return std::nullopt;
        }
        return Size{rect.right - rect.left, rect.bottom - rect.top};
    }

    // The size the window settles at for a caption.
    std::optional<Size> SettledSize(const std::string& caption) {
        SetWindowTextA(playerWindow_, caption.c_str());
        const double start = Seconds();
        std::optional<Size> last = WindowSize();
        double since = start;
        while (Seconds() - since < kSettledSeconds) {
            if (Seconds() - start > kLearnTimeoutSeconds || !vesk_->Running()) {
                std::printf("error: the lyrics window did not settle\n");
                return std::nullopt;
            }
            Sleep(10);
            const std::optional<Size> now = WindowSize();
            if (!(now == last)) {
                last = now;
                since = Seconds();
            }
        }
        return last;
    }

    bool Known(const Size& size) const {
        for (const Size& known : sizes_) {
            if (known == size) {
                return true;
            }
        }
        return false;
    }

    // Learns the size of each caption of the cycle, making the captions that are not in the
    // list longer until each size is the only one of its caption: a size seen then tells
    // which caption Vesk took.
    bool Learn() {
        for (std::size_t i = 0; i < cycle_.size(); ++i) {
            const std::string base = cycle_[i];
            const bool song = i % 2 == 0;
            for (int words = 0;; ++words) {
                if (words > kMostWords || (song && words > 0)) {
                    std::printf("error: caption %zu has no size of its own\n", i);
                    return false;
                }
                cycle_[i] = Variant(base, words);
                const std::optional<Size> size = SettledSize(cycle_[i]);
                if (!size) {
                    return false;
                }
                if (!Known(*size)) {
                    sizes_.push_back(*size);
                    break;
                }
            }
            std::printf("caption %2zu (%4zu bytes): %ld x %ld\n", i, cycle_[i].size(),
                        sizes_[i].width, sizes_[i].height);
        }
        std::fflush(stdout);
        return true;
    }

    std::optional<ProcessResources> Resources() const {
        return ResourcesOf(vesk_->Handle(), vesk_->Id());
    }

    static void Print(const char* label, const ProcessResources& r) {
        std::printf("%-14s handles %4ld  gdi %4ld  windows %3ld  working set %8.1f KiB\n", label,
                    r.handles, r.gdi, r.windows, r.workingSetBytes / 1024);
        std::fflush(stdout);
    }

    // Watches the window until the given time, noting each new size.
    void WatchUntil(double until) {
        do {
            const std::optional<Size> now = WindowSize();
            if (now && !(*now == seen_.back().size)) {
                seen_.push_back({*now, Seconds()});
            }
            Sleep(kPollMilliseconds);
        } while (Seconds() < until);
    }

    bool Change() {
        seen_.push_back({*WindowSize(), Seconds()});
        const double start = Seconds();
        double at = start;
        for (int change = 1; change <= changes_; ++change) {
            const std::size_t index = static_cast<std::size_t>(change - 1) % cycle_.size();
            SetWindowTextA(playerWindow_, cycle_[index].c_str());
            setAt_.push_back(Seconds());
            at += kChangeSeconds;
            const bool burstEnd = change % kBurstChanges == 0;
            if (burstEnd) {
                at += kBurstPauseSeconds;
            }
            WatchUntil(at);
            if (!vesk_->Running()) {
                std::printf("error: Vesk ended at change %d\n", change);
                return false;
            }
            if (change % 1000 == 0 || change == changes_) {
                const std::optional<ProcessResources> r = Resources();
                if (!r) {
                    std::printf("error: Vesk's resources could not be read\n");
                    return false;
                }
                const std::string label = "change " + std::to_string(change);
                Print(label.c_str(), *r);
                if (change == kBaselineChange) {
                    baseline_ = r;
                }
                last_ = r;
            }
        }
        // The last text may still be fading in.
        WatchUntil(Seconds() + 1.0);
        std::printf("%d changes in %.0f s\n", changes_, Seconds() - start);
        return true;
    }

    int Report() {
        // Each size seen names its caption; it was the latest change to that caption before
        // the window showed it. Vesk takes changes in order, so each is later than the last.
        const std::size_t period = cycle_.size();
        std::vector<bool> taken(setAt_.size(), false);
        std::size_t unexplained = 0;
        std::optional<std::size_t> last;
        double mostLag = 0;
        double lagSum = 0;
        for (std::size_t n = 1; n < seen_.size(); ++n) {
            std::size_t caption = period;
            for (std::size_t c = 0; c < period; ++c) {
                caption = sizes_[c] == seen_[n].size ? c : caption;
            }
            const auto setBefore = static_cast<std::size_t>(
                std::upper_bound(setAt_.begin(), setAt_.end(), seen_[n].time) - setAt_.begin());
            if (caption == period || setBefore == 0 || setBefore - 1 < caption) {
                ++unexplained;
                continue;
            }
            const std::size_t latest = setBefore - 1;
            const std::size_t change = latest - (latest - caption) % period;
            if (last && change <= *last) {
                ++unexplained;
                continue;
            }
            taken[change] = true;
            last = change;
            const double lag = seen_[n].time - setAt_[change];
            mostLag = std::max(mostLag, lag);
            lagSum += lag;
        }
        int takenCount = 0;
        int burstEnds = 0;
        int burstEndsTaken = 0;
        for (std::size_t i = 0; i < taken.size(); ++i) {
            takenCount += taken[i] ? 1 : 0;
            if ((i + 1) % kBurstChanges == 0 || i + 1 == taken.size()) {
                ++burstEnds;
                burstEndsTaken += taken[i] ? 1 : 0;
            }
        }
        std::printf(
            "changes taken: %d of %zu; last caption of a burst taken: %d of %d; "
            "sizes not matched: %zu\n",
            takenCount, setAt_.size(), burstEndsTaken, burstEnds, unexplained);
        if (takenCount > 0) {
            std::printf(
                "from a change to its text in the window: %.0f ms on average, at most "
                "%.0f ms\n",
                1000 * lagSum / takenCount, 1000 * mostLag);
        }
        bool held = true;
        if (baseline_ && last_) {
            Print("after 1,000", *baseline_);
            Print("at the end", *last_);
            held = last_->handles <= baseline_->handles && last_->gdi <= baseline_->gdi &&
                   last_->windows <= baseline_->windows;
            std::printf("working set growth: %+.1f KiB\n",
                        (last_->workingSetBytes - baseline_->workingSetBytes) / 1024);
        }
        const bool followed = burstEndsTaken == burstEnds && unexplained == 0;
        std::printf("%s\n", held && followed ? "PASS" : "FAIL");
        return held && followed ? 0 : 1;
    }

    const int changes_;
    std::vector<std::string> cycle_;
    ProgramFolder folder_;
    std::string playerClass_;
    std::optional<ChildProcess> player_;
    std::optional<ChildProcess> vesk_;
    HWND playerWindow_ = nullptr;
    HWND lyricsWindow_ = nullptr;
    std::vector<Size> sizes_;    // per caption of the cycle
    std::vector<double> setAt_;  // when each change was made
    std::vector<Seen> seen_;     // the window's sizes, in order
    std::optional<ProcessResources> baseline_;
    std::optional<ProcessResources> last_;
};

}  // namespace
}  // namespace vesk::bench

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const int changes = argc > 1 ? std::atoi(argv[1]) : vesk::bench::kDefaultChanges;
    if (changes < 1) {
        std::printf("usage: app_soak.exe [changes]\n");
        return 2;
    }
    return vesk::bench::Soak(changes).Run();
}
