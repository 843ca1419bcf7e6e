#pragma once

// One GET at a time to the lyrics service over WinHTTP (synchronous, on the caller's
// thread), which another thread can abort at any moment by closing its handles.

#include <windows.h>
#include <winhttp.h>

#include <cstddef>
#include <mutex>
#include <string>

#include "online/SearchRequest.h"
#include "online/SearchResult.h"

namespace vesk {

inline constexpr unsigned kDefaultHttpTimeoutMs = 10000;
inline constexpr unsigned kDefaultAnswerMs = 60000;
// A search answer is a few kilobytes per record; more than this is no answer of the service.
inline constexpr std::size_t kMaxAnswerBytes = 2 * 1024 * 1024;

struct HttpTimeouts {
    unsigned resolveMs = kDefaultHttpTimeoutMs;
    unsigned connectMs = kDefaultHttpTimeoutMs;
    unsigned sendMs = kDefaultHttpTimeoutMs;
    // For the status line and headers, and for each read of the body.
    unsigned receiveMs = kDefaultHttpTimeoutMs;
};

struct HttpClientOptions {
    // Names the program and its version, as the service asks of its clients:
    // "Vesk/1.3.1 (+https://example.invalid/vesk)". ASCII.
    std::string userAgent;
    HttpTimeouts timeouts;
    // The whole answer, from the request to the body's last byte: a server that sends a
    // byte just inside each receive time-out would otherwise hold the one worker for ever.
    unsigned answerMs = kDefaultAnswerMs;
    std::size_t maxBodyBytes = kMaxAnswerBytes;
};

class HttpClient {
public:
    explicit HttpClient(HttpClientOptions options);
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // GET request.pathAndQuery from request.address (whose problem must be kNone): HTTPS
    // unless the address is plain HTTP to the loopback, where redirects are not followed
    // either. A body longer than maxBodyBytes is not read further (tooLarge); one still
    // coming after answerMs is a time-out. Blocks until the answer, a failure or Abort.
    HttpResponse Get(const SearchRequest& request);

    // From any thread: closes the handles of the exchange in progress, which makes it fail
    // at once, and makes every later Get fail without a request.
    void Abort();

private:
    // The handle in a slot, or null after Abort.
    HINTERNET Current(HINTERNET& slot);
    // Keeps a new handle where Abort can close it; false (and the handle closed) after Abort.
    bool Adopt(HINTERNET& slot, HINTERNET handle);
    void Close(HINTERNET& slot);
    bool OpenSession();
    HttpResponse Exchange(const SearchRequest& request, ULONGLONG deadline);
    HttpResponse ReadAnswer(HINTERNET request, ULONGLONG deadline);

    const HttpClientOptions options_;
    std::mutex mutex_;  // guards the handles and aborted_
    bool aborted_ = false;
    HINTERNET session_ = nullptr;
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

}  // namespace vesk
