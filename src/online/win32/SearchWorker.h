#pragma once

// Searches of the lyrics service away from the thread that runs windows: one worker thread,
// started at the first search, asks for one title at a time in the order they were given.
// Each result goes to a completion that the owner supplies, on the worker thread; the owner
// hands it on to its own thread (the program posts a window message). Nothing here knows
// about windows.

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "online/SearchResult.h"
#include "online/win32/HttpClient.h"

namespace vesk {

class SearchWorker {
public:
    // Called on the worker thread, once for each search that ends before Stop, never after
    // Stop has returned. It must return soon, must not throw and must not call the worker.
    using Completion = std::function<void(SearchResult&&)>;

    // The text platform in use now converts titles and names on the worker thread.
    SearchWorker(HttpClientOptions options, Completion completion);
    ~SearchWorker();  // Stop
    SearchWorker(const SearchWorker&) = delete;
    SearchWorker& operator=(const SearchWorker&) = delete;

    // Queues the search of title (ANSI) at the service address (the setting's text, read
    // by ParseServiceAddress). Does nothing after Stop.
    void Search(std::string serviceAddress, std::string title);

    // Drops the searches not yet begun; their titles, oldest first. The one under way ends
    // as it would.
    std::vector<std::string> DropQueued();

    // Drops the searches not yet begun, aborts the one under way (closing its WinHTTP
    // handles) and waits a short while for the thread to end. A thread that WinHTTP still
    // holds then ends by itself, at the latest when its time-out passes, and frees what it
    // used; its result is dropped. Returns within half a second in any case.
    void Stop();

private:
    struct Shared;
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace vesk
