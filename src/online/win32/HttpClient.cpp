#include "online/win32/HttpClient.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/win32/WideText.h"
#include "online/win32/WinHttpApi.h"

namespace vesk {

namespace {

constexpr unsigned kHttpOk = 200;
constexpr DWORD kReadChunkBytes = 64 * 1024;

const DWORD kSecureChannelErrors[] = {
    ERROR_WINHTTP_SECURE_FAILURE,           ERROR_WINHTTP_SECURE_CHANNEL_ERROR,
    ERROR_WINHTTP_SECURE_INVALID_CA,        ERROR_WINHTTP_SECURE_INVALID_CERT,
    ERROR_WINHTTP_SECURE_CERT_DATE_INVALID, ERROR_WINHTTP_SECURE_CERT_CN_INVALID,
    ERROR_WINHTTP_SECURE_CERT_REV_FAILED,   ERROR_WINHTTP_SECURE_CERT_REVOKED,
    ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE,  ERROR_WINHTTP_CLIENT_AUTH_CERT_NEEDED,
};

SearchFailure FailureOf(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            return SearchFailure::kNameNotResolved;
        case ERROR_WINHTTP_CANNOT_CONNECT:
        case WSAECONNREFUSED:
            return SearchFailure::kCannotConnect;
        case ERROR_WINHTTP_TIMEOUT:
        case WSAETIMEDOUT:  // Wine's WinHTTP passes on its socket's error
        case ERROR_TIMEOUT:
            return SearchFailure::kTimedOut;
        default:
            break;
    }
    for (const DWORD secure : kSecureChannelErrors) {
        if (error == secure) {
            return SearchFailure::kSecureChannel;
        }
    }
    return SearchFailure::kNetwork;
}

HttpResponse Failed(SearchFailure failure) {
    HttpResponse response;
    response.failure = failure;
    return response;
}

// The failure of the WinHTTP call that has just returned false.
HttpResponse LastFailure() {
    return Failed(FailureOf(GetLastError()));
}

}  // namespace

HttpClient::HttpClient(HttpClientOptions options) : options_(std::move(options)) {}

HttpClient::~HttpClient() {
    Close(request_);
    Close(connection_);
    Close(session_);
}

HINTERNET HttpClient::Current(HINTERNET& slot) {
    const std::lock_guard lock(mutex_);
    return slot;
}

bool HttpClient::Adopt(HINTERNET& slot, HINTERNET handle) {
    const std::lock_guard lock(mutex_);
    if (aborted_) {
        WinHttp()->closeHandle(handle);
        return false;
    }
    slot = handle;
    return true;
}

void HttpClient::Close(HINTERNET& slot) {
    const std::lock_guard lock(mutex_);
    if (slot != nullptr) {
        WinHttp()->closeHandle(slot);
        slot = nullptr;
    }
}

void HttpClient::Abort() {
    {
        const std::lock_guard lock(mutex_);
        aborted_ = true;
    }
    // Closing the request's handle ends a call that waits on it in another thread.
    Close(request_);
    Close(connection_);
    Close(session_);
}

bool HttpClient::OpenSession() {
    if (Current(session_) != nullptr) {
        return true;
    }
    const WinHttpApi& api = *WinHttp();
    HINTERNET session =
        api.open(Widen(options_.userAgent).c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                 WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
    if (session == nullptr) {
        return false;
    }
    const HttpTimeouts& t = options_.timeouts;
    api.setTimeouts(session, static_cast<int>(t.resolveMs), static_cast<int>(t.connectMs),
                    static_cast<int>(t.sendMs), static_cast<int>(t.receiveMs));
    if (!Adopt(session_, session)) {
        SetLastError(ERROR_WINHTTP_OPERATION_CANCELLED);
        return false;
    }
    return true;
}

HttpResponse HttpClient::Get(const SearchRequest& request) {
    if (WinHttp() == nullptr) {
        return Failed(SearchFailure::kNoWinHttp);
    }
    HttpResponse response = Exchange(request, GetTickCount64() + options_.answerMs);
    // The connection goes with the request: the next search may ask another server.
    Close(request_);
    Close(connection_);
    return response;
}

HttpResponse HttpClient::Exchange(const SearchRequest& request, ULONGLONG deadline) {
    const WinHttpApi& api = *WinHttp();
    if (!OpenSession()) {
        return LastFailure();
    }
    const ServiceAddress& address = request.address;
    HINTERNET connection =
        api.connect(Current(session_), Widen(address.host).c_str(), address.port, 0);
    if (connection == nullptr) {
        return LastFailure();
    }
    if (!Adopt(connection_, connection)) {
        return Failed(SearchFailure::kNetwork);
    }
    // The path is sent as made: it is already escaped, and WinHTTP's own escaping would
    // take its "%" for text.
    DWORD flags = WINHTTP_FLAG_ESCAPE_DISABLE | WINHTTP_FLAG_ESCAPE_DISABLE_QUERY;
    if (address.https) {
        flags |= WINHTTP_FLAG_SECURE;
    }
    HINTERNET handle =
        api.openRequest(connection, L"GET", Widen(request.pathAndQuery).c_str(), nullptr,
                        WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
    if (handle == nullptr) {
        return LastFailure();
    }
    if (!Adopt(request_, handle)) {
        return Failed(SearchFailure::kNetwork);
    }
    DWORD headersTimeout = options_.timeouts.receiveMs;
    api.setOption(handle, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersTimeout,
                  sizeof(headersTimeout));
    if (!address.https) {
        // HTTPS is never redirected to HTTP (WinHTTP's default); plain HTTP to the loopback
        // must not be sent on to another host either.
        DWORD disable = WINHTTP_DISABLE_REDIRECTS;
        api.setOption(handle, WINHTTP_OPTION_DISABLE_FEATURE, &disable, sizeof(disable));
    }
    if (!api.sendRequest(handle, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                         0) ||
        !api.receiveResponse(handle, nullptr)) {
        return LastFailure();
    }
    return ReadAnswer(handle, deadline);
}

HttpResponse HttpClient::ReadAnswer(HINTERNET request, ULONGLONG deadline) {
    const WinHttpApi& api = *WinHttp();
    HttpResponse response;
    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!api.queryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return LastFailure();
    }
    response.status = status;
    if (status != kHttpOk) {
        return response;  // its body is of no use
    }
    DWORD length = 0;
    size = sizeof(length);
    if (api.queryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                         WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX) &&
        length > options_.maxBodyBytes) {
        response.tooLarge = true;
        return response;
    }
    std::vector<char> buffer(kReadChunkBytes);
    for (;;) {
        // What has arrived, so that each step returns with the first bytes and the deadline
        // is looked at however slowly they come.
        DWORD available = 0;
        if (!api.queryDataAvailable(request, &available)) {
            return LastFailure();
        }
        if (available != 0 && GetTickCount64() > deadline) {
            return Failed(SearchFailure::kTimedOut);
        }
        DWORD read = 0;
        if (!api.readData(request, buffer.data(), std::min(available, kReadChunkBytes), &read)) {
            return LastFailure();
        }
        if (read == 0) {
            return response;
        }
        if (response.body.size() + read > options_.maxBodyBytes) {
            response.tooLarge = true;
            response.body.clear();
            return response;
        }
        response.body.append(buffer.data(), read);
    }
}

}  // namespace vesk
