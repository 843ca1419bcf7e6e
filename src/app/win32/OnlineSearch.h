#pragma once

// The main form's searches of the lyrics service, away from the thread that runs windows: a
// SearchWorker (one thread, one request at a time) made at the first search. Its results
// are handed over to the window's thread through a queue of their own and a message posted
// to the window, so that the worker never touches a window object, and nothing comes after
// Stop, the program's exit.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "online/SearchResult.h"

namespace vesk {

class SearchWorker;

class OnlineSearch {
public:
    // window gets message (no parameters) whenever results wait in TakeResults.
    OnlineSearch(HWND window, UINT message);
    ~OnlineSearch();  // Stop
    OnlineSearch(const OnlineSearch&) = delete;
    OnlineSearch& operator=(const OnlineSearch&) = delete;

    // Queues the search of title (ANSI) at the service address. Nothing after Stop.
    void Search(const std::string& serviceAddress, const std::string& title);
    // Drops the searches not yet begun (SearchWorker::DropQueued).
    std::vector<std::string> DropQueued();
    // The results handed over so far, oldest first; on the window's thread.
    std::vector<SearchResult> TakeResults();
    // Ends the searches within half a second (a request WinHTTP still holds ends by itself,
    // and its result is dropped); no result is handed over after it.
    void Stop();

private:
    struct Inbox;

    const HWND window_;
    const UINT message_;
    const std::shared_ptr<Inbox> inbox_;
    std::unique_ptr<SearchWorker> worker_;
    bool stopped_ = false;
};

// The User-Agent of the requests: the program's name and version, as the service asks of
// its clients.
std::string OnlineUserAgent();

}  // namespace vesk
