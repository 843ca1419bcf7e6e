#include "app/win32/OnlineSearch.h"

#include <mutex>
#include <utility>

#include "app/Version.h"
#include "online/win32/SearchWorker.h"

namespace vesk {

struct OnlineSearch::Inbox {
    std::mutex mutex;
    std::vector<SearchResult> results;
};

OnlineSearch::OnlineSearch(HWND window, UINT message)
    : window_(window), message_(message), inbox_(std::make_shared<Inbox>()) {}

OnlineSearch::~OnlineSearch() {
    Stop();
}

void OnlineSearch::Search(const std::string& serviceAddress, const std::string& title) {
    if (stopped_) {
        return;
    }
    if (!worker_) {
        HttpClientOptions options;
        options.userAgent = OnlineUserAgent();
        // The completion holds the inbox and the window's handle, never this object: a
        // worker thread that outlives Stop hands nothing over, and a handle outlives its
        // window harmlessly.
        worker_ = std::make_unique<SearchWorker>(
            std::move(options),
            [inbox = inbox_, window = window_, message = message_](SearchResult&& result) noexcept {
                try {
                    const std::lock_guard lock(inbox->mutex);
                    inbox->results.push_back(std::move(result));
                } catch (...) {
                    return;  // out of memory: the result is lost, as a failed search
                }
                PostMessageA(window, message, 0, 0);
            });
    }
    worker_->Search(serviceAddress, title);
}

std::vector<SearchResult> OnlineSearch::TakeResults() {
    const std::lock_guard lock(inbox_->mutex);
    return std::exchange(inbox_->results, {});
}

std::vector<std::string> OnlineSearch::DropQueued() {
    return worker_ ? worker_->DropQueued() : std::vector<std::string>();
}

void OnlineSearch::Stop() {
    stopped_ = true;
    if (worker_) {
        worker_->Stop();
    }
}

std::string OnlineUserAgent() {
    return "Vesk/" VESK_VERSION_SHORT;
}

}  // namespace vesk
