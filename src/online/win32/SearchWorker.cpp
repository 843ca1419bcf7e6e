#include "online/win32/SearchWorker.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <future>
#include <mutex>
#include <system_error>
#include <utility>

#include "common/TextPlatform.h"

namespace vesk {

namespace {

// How long Stop waits for the thread once its request is aborted: WinHTTP ends an aborted
// call at once on Windows. Wine's does not (a read goes on to its time-out), and the thread
// is left to end by itself.
constexpr auto kStopWait = std::chrono::milliseconds(500);

struct Job {
    std::string serviceAddress;
    std::string title;
};

}  // namespace

struct SearchWorker::Shared {
    Shared(HttpClientOptions options, Completion done, const TextPlatform& textPlatform)
        : client(std::move(options)), completion(std::move(done)), platform(textPlatform) {}

    HttpClient client;
    const Completion completion;
    const TextPlatform& platform;

    std::mutex mutex;  // guards jobs and stopping
    std::condition_variable wake;
    std::deque<Job> jobs;
    bool stopping = false;

    // Held while a result is handed over, so that Stop can be sure none is handed over
    // after it returns.
    std::mutex deliveryMutex;
    bool delivering = true;

    std::promise<void> ended;
};

namespace {

SearchResult RunSearch(HttpClient& client, const Job& job, const TextPlatform& platform) {
    const SearchRequest request = MakeSearchRequest(job.serviceAddress, job.title, platform);
    switch (request.address.problem) {
        case AddressProblem::kNone:
            break;
        case AddressProblem::kInvalid:
            return FailedSearch(job.title, SearchFailure::kBadAddress);
        case AddressProblem::kNotHttps:
            return FailedSearch(job.title, SearchFailure::kNotHttps);
    }
    return ResultOfResponse(job.title, client.Get(request), platform);
}

}  // namespace

SearchWorker::SearchWorker(HttpClientOptions options, Completion completion)
    : shared_(std::make_shared<Shared>(std::move(options), std::move(completion),
                                       CurrentTextPlatform())) {}

SearchWorker::~SearchWorker() {
    Stop();
}

void SearchWorker::Search(std::string serviceAddress, std::string title) {
    Shared& shared = *shared_;
    {
        const std::lock_guard lock(shared.mutex);
        if (shared.stopping) {
            return;
        }
        shared.jobs.push_back({std::move(serviceAddress), std::move(title)});
    }
    shared.wake.notify_one();
    if (thread_.joinable()) {
        return;
    }
    try {
        thread_ = std::thread(Run, shared_);
    } catch (const std::system_error&) {
        // No thread now: the search waits in the queue for the next one to start it.
    }
}

std::vector<std::string> SearchWorker::DropQueued() {
    std::vector<std::string> titles;
    const std::lock_guard lock(shared_->mutex);
    for (Job& job : shared_->jobs) {
        titles.push_back(std::move(job.title));
    }
    shared_->jobs.clear();
    return titles;
}

// The thread keeps the shared part alive: it may outlive the worker (see Stop).
void SearchWorker::Run(std::shared_ptr<Shared> shared) {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
            if (shared->stopping) {
                break;
            }
            job = std::move(shared->jobs.front());
            shared->jobs.pop_front();
        }
        SearchResult result;
        try {
            result = RunSearch(shared->client, job, shared->platform);
        } catch (const std::exception&) {
            result = FailedSearch(job.title, SearchFailure::kNetwork);  // out of memory
        }
        const std::lock_guard delivery(shared->deliveryMutex);
        if (!shared->delivering) {
            break;
        }
        shared->completion(std::move(result));
    }
    shared->ended.set_value();
}

void SearchWorker::Stop() {
    Shared& shared = *shared_;
    {
        const std::lock_guard lock(shared.mutex);
        if (shared.stopping) {
            return;
        }
        shared.stopping = true;
        shared.jobs.clear();
    }
    shared.wake.notify_all();
    shared.client.Abort();
    {
        // Waits for a result being handed over; none is after this.
        const std::lock_guard delivery(shared.deliveryMutex);
        shared.delivering = false;
    }
    if (!thread_.joinable()) {
        return;
    }
    if (shared.ended.get_future().wait_for(kStopWait) == std::future_status::ready) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

}  // namespace vesk
