#pragma once

// What a search of the lyrics service comes to, from the answer the HTTP client got: the
// bytes of the lyrics file to save, a note that the song has no words, nothing found, or
// why the search failed (so that a search the user asked for can say why).

#include <string>
#include <string_view>

#include "online/LyricsRecord.h"

namespace vesk {

class TextPlatform;

enum class SearchOutcome {
    kFound,         // fileBytes holds the lyrics file
    kInstrumental,  // the service knows the song as one without words: nothing to save
    kNotFound,      // no record with lyrics, 404, a body that is not JSON or is too large
    kFailed,        // no answer, or an answer of another status: see SearchFailure
};

enum class SearchFailure {
    kNone,
    kBadAddress,       // the service address is not one (ServiceAddress::problem kInvalid)
    kNotHttps,         // plain HTTP to a host other than the loopback
    kNoWinHttp,        // the system's HTTP library could not be loaded
    kNameNotResolved,  // the server's name is unknown (or there is no network)
    kCannotConnect,    // the server did not take the connection
    kTimedOut,         // a step of the exchange took longer than its time-out
    kSecureChannel,    // the TLS handshake or the server's certificate failed
    kNetwork,          // any other failure of the exchange
    kHttpStatus,       // the server answered with a status other than 200 and 404
};

// What the HTTP client got for a request.
struct HttpResponse {
    SearchFailure failure = SearchFailure::kNone;  // kNone: an answer came
    unsigned status = 0;
    bool tooLarge = false;  // the body passed the size limit and was not read further
    std::string body;
};

struct SearchResult {
    std::string title;  // as it was asked for (ANSI)
    SearchOutcome outcome = SearchOutcome::kNotFound;
    SearchFailure failure = SearchFailure::kNone;  // kFailed only
    unsigned httpStatus = 0;                       // the answer's status, 0 without one
    LyricsKind lyrics = LyricsKind::kNone;         // kFound: kSynced or kPlain
    std::string fileBytes;                         // kFound: OnlineLyricsFileBytes
};

// A status of 200 is read for lyrics (ChooseLyrics) unless the body was too large; 404 is
// the service's "not found"; any other status is a failure.
SearchResult ResultOfResponse(std::string title, const HttpResponse& response,
                              const TextPlatform& platform);

// A search that failed before or without an answer.
SearchResult FailedSearch(std::string title, SearchFailure failure);

}  // namespace vesk
