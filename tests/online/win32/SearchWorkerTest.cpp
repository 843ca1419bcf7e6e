// The search worker and its WinHTTP client against the fake lyrics service
// (tests/tools/fake-lyrics-service.py), which the test's command runs on the loopback and
// which logs every request it gets. Arguments: the service's address and its log file.

#include "online/win32/SearchWorker.h"

#include <tlhelp32.h>
#include <windows.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <mutex>
#include <optional>
#include <vector>

#include "TestArguments.h"
#include "TestText.h"

namespace vesk {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::Ansi;

constexpr char kUserAgent[] = "Vesk/9.8.7 (+https://example.invalid/vesk)";
constexpr unsigned kShortTimeoutMs = 1500;
constexpr auto kResultWait = 20s;

std::string ServiceUrl() {
    return test::Arguments().at(0);
}

// The requests the fake service has logged so far, oldest first.
std::vector<nlohmann::json> LoggedRequests() {
    std::ifstream log(test::Arguments().at(1), std::ios::binary);
    std::vector<nlohmann::json> requests;
    for (std::string line; std::getline(log, line);) {
        requests.push_back(nlohmann::json::parse(line));
    }
    return requests;
}

std::string Hex(std::string_view bytes) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0x0F];
    }
    return hex;
}

// The results the worker hands over, for the test's thread to wait on.
class Results {
public:
    SearchWorker::Completion Completion() {
        return [this](SearchResult&& result) {
            {
                const std::lock_guard lock(mutex_);
                results_.push_back(std::move(result));
            }
            arrived_.notify_all();
        };
    }

    std::optional<SearchResult> Next(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, timeout, [this] { return !results_.empty(); })) {
            return std::nullopt;
        }
        SearchResult result = std::move(results_.front());
        results_.pop_front();
        return result;
    }

    std::size_t Waiting() {
        const std::lock_guard lock(mutex_);
        return results_.size();
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<SearchResult> results_;
};

HttpClientOptions Options(unsigned timeoutMs) {
    HttpClientOptions options;
    options.userAgent = kUserAgent;
    options.timeouts = {timeoutMs, timeoutMs, timeoutMs, timeoutMs};
    options.answerMs = 2 * timeoutMs;
    return options;
}

TEST(SearchWorker, EachAnswerOfTheServiceComesToItsResult) {
    struct Row {
        std::string address;  // after the service's: the fake's kind of answer
        SearchOutcome outcome;
        SearchFailure failure;
        unsigned status;
        LyricsKind lyrics;
        std::string fileBytes;
    };
    using enum SearchOutcome;
    constexpr auto kNoFailure = SearchFailure::kNone;
    const std::string mark = "\xEF\xBB\xBF";
    const Row rows[] = {
        {"/synced", kFound, kNoFailure, 200, LyricsKind::kSynced,
         mark + "[00:01.00]一行目\r\n[00:02.50]二行目 & more\r\n"},
        {"/plain/", kFound, kNoFailure, 200, LyricsKind::kPlain,
         mark + "plain line 1\r\nplain line 2\r\n"},
        {"/instrumental", kInstrumental, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/empty", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/404", kNotFound, kNoFailure, 404, LyricsKind::kNone, ""},
        {"/500", kFailed, SearchFailure::kHttpStatus, 500, LyricsKind::kNone, ""},
        {"/malformed", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/wrongtypes", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/badutf8", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/large", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/largestream", kNotFound, kNoFailure, 200, LyricsKind::kNone, ""},
        {"/hang", kFailed, SearchFailure::kTimedOut, 0, LyricsKind::kNone, ""},
        // A byte inside every receive time-out: the answer's deadline ends it.
        {"/trickle", kFailed, SearchFailure::kTimedOut, 0, LyricsKind::kNone, ""},
    };
    Results results;
    SearchWorker worker(Options(kShortTimeoutMs), results.Completion());
    const std::string title = "Rain";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        const Clock::time_point start = Clock::now();
        worker.Search(ServiceUrl() + row.address, title);
        const std::optional<SearchResult> result = results.Next(kResultWait);
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->title, title);
        EXPECT_EQ(result->outcome, row.outcome);
        EXPECT_EQ(result->failure, row.failure);
        EXPECT_EQ(result->httpStatus, row.status);
        EXPECT_EQ(result->lyrics, row.lyrics);
        EXPECT_EQ(result->fileBytes, row.fileBytes);
        // The hang ends at the receive time-out and the trickle at the answer's deadline, not
        // when the server gives up.
        EXPECT_LT(Clock::now() - start, 8s);
    }
    const std::vector<nlohmann::json> requests = LoggedRequests();
    ASSERT_EQ(requests.size(), std::size(rows));
    for (std::size_t i = 0; i < requests.size(); ++i) {
        std::string kind = rows[i].address.substr(1);
        kind = kind.substr(0, kind.find('/'));
        EXPECT_EQ(requests[i]["kind"], kind);
        EXPECT_EQ(requests[i]["path"], "/" + kind + "/api/search?q=Rain");
        EXPECT_EQ(requests[i]["user_agent"], kUserAgent);
    }

    // Addresses that give no request to anyone.
    const std::pair<std::string, SearchFailure> failures[] = {
        {"http://example.invalid", SearchFailure::kNotHttps},
        {"lrclib.net", SearchFailure::kBadAddress},
        {"http://127.0.0.1:1", SearchFailure::kCannotConnect},  // no server there
    };
    for (const auto& [address, failure] : failures) {
        worker.Search(address, title);
        const std::optional<SearchResult> result = results.Next(kResultWait);
        ASSERT_TRUE(result.has_value()) << address;
        EXPECT_EQ(result->outcome, SearchOutcome::kFailed) << address;
        EXPECT_EQ(result->failure, failure) << address;
    }
    EXPECT_EQ(LoggedRequests().size(), std::size(rows));
}

TEST(SearchWorker, TitlesReachTheServiceAsUtf8) {
    const std::string titles[] = {
        "夏の雨 サマー",  "Rock & Roll", "1+1=2", "No. #1",    "100% Pure",
        "  two  blanks ", "ｱｲｳ",         "表示",  "a=b;c/d?e",
    };
    Results results;
    SearchWorker worker(Options(kShortTimeoutMs), results.Completion());
    const std::size_t before = LoggedRequests().size();
    for (const std::string& title : titles) {
        worker.Search(ServiceUrl() + "/empty", Ansi(title));
    }
    for (const std::string& title : titles) {
        const std::optional<SearchResult> result = results.Next(kResultWait);
        ASSERT_TRUE(result.has_value()) << title;
        EXPECT_EQ(result->title, Ansi(title));
        EXPECT_EQ(result->outcome, SearchOutcome::kNotFound) << title;
    }
    const std::vector<nlohmann::json> requests = LoggedRequests();
    ASSERT_EQ(requests.size(), before + std::size(titles));
    for (std::size_t i = 0; i < std::size(titles); ++i) {
        EXPECT_EQ(requests[before + i]["q_hex"], Hex(titles[i])) << titles[i];
    }
}

TEST(SearchWorker, AsksForOneTitleAtATimeInOrder) {
    Results results;
    SearchWorker worker(Options(kShortTimeoutMs), results.Completion());
    const std::size_t before = LoggedRequests().size();
    // Without a kind in the address the fake answers by the title's first word.
    for (const char* title : {"hang first", "synced second", "plain third"}) {
        worker.Search(ServiceUrl(), title);
    }
    const std::pair<const char*, SearchOutcome> expected[] = {
        {"hang first", SearchOutcome::kFailed},
        {"synced second", SearchOutcome::kFound},
        {"plain third", SearchOutcome::kFound},
    };
    for (const auto& [title, outcome] : expected) {
        const std::optional<SearchResult> result = results.Next(kResultWait);
        ASSERT_TRUE(result.has_value()) << title;
        EXPECT_EQ(result->title, title);
        EXPECT_EQ(result->outcome, outcome) << title;
    }
    const std::vector<nlohmann::json> requests = LoggedRequests();
    ASSERT_EQ(requests.size(), before + 3);
    EXPECT_EQ(requests[before]["kind"], "hang");
    EXPECT_EQ(requests[before + 1]["kind"], "synced");
    EXPECT_EQ(requests[before + 2]["kind"], "plain");
    // The second was not asked until the first had timed out.
    const double waited =
        requests[before + 1]["time"].get<double>() - requests[before]["time"].get<double>();
    EXPECT_GE(waited, (kShortTimeoutMs - 300) / 1000.0);
}

// Threads of this process.
std::size_t ThreadCount() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    std::size_t count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    }
    CloseHandle(snapshot);
    return count;
}

TEST(SearchWorker, StopsPromptlyDuringAHangAndHandsOverNothingAfter) {
    constexpr unsigned kTimeoutMs = 3000;
    Results results;
    const std::size_t threadsBefore = ThreadCount();
    SearchWorker worker(Options(kTimeoutMs), results.Completion());
    EXPECT_EQ(ThreadCount(), threadsBefore);  // no thread before the first search

    const std::size_t before = LoggedRequests().size();
    worker.Search(ServiceUrl() + "/hang", "stop");
    const Clock::time_point deadline = Clock::now() + 10s;
    while (LoggedRequests().size() == before && Clock::now() < deadline) {
        Sleep(20);
    }
    ASSERT_EQ(LoggedRequests().size(), before + 1);
    Sleep(200);  // inside the read of the body

    const Clock::time_point start = Clock::now();
    worker.Stop();
    EXPECT_LT(Clock::now() - start, 1000ms);  // long before the time-out
    worker.Search(ServiceUrl() + "/synced", "after");
    // Past the time-out, which ends the read where closing the handles did not: its
    // result is not handed over.
    Sleep(kTimeoutMs + 500);
    EXPECT_EQ(LoggedRequests().size(), before + 1);
    EXPECT_EQ(results.Waiting(), 0u);
}

}  // namespace
}  // namespace vesk
