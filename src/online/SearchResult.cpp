#include "online/SearchResult.h"

#include <utility>

#include "online/LyricsFile.h"

namespace vesk {

namespace {

constexpr unsigned kHttpOk = 200;
constexpr unsigned kHttpNotFound = 404;

}  // namespace

SearchResult ResultOfResponse(std::string title, const HttpResponse& response,
                              const TextPlatform& platform) {
    if (response.failure != SearchFailure::kNone) {
        return FailedSearch(std::move(title), response.failure);
    }
    SearchResult result;
    result.title = std::move(title);
    result.httpStatus = response.status;
    if (response.status == kHttpNotFound) {
        return result;
    }
    if (response.status != kHttpOk) {
        result.outcome = SearchOutcome::kFailed;
        result.failure = SearchFailure::kHttpStatus;
        return result;
    }
    if (response.tooLarge) {
        return result;
    }
    ChosenLyrics chosen = ChooseLyrics(response.body, result.title, platform);
    switch (chosen.kind) {
        case LyricsKind::kNone:
            break;
        case LyricsKind::kInstrumental:
            result.outcome = SearchOutcome::kInstrumental;
            break;
        case LyricsKind::kSynced:
        case LyricsKind::kPlain:
            result.outcome = SearchOutcome::kFound;
            result.lyrics = chosen.kind;
            result.fileBytes = OnlineLyricsFileBytes(chosen.text);
            break;
    }
    return result;
}

SearchResult FailedSearch(std::string title, SearchFailure failure) {
    SearchResult result;
    result.title = std::move(title);
    result.outcome = SearchOutcome::kFailed;
    result.failure = failure;
    return result;
}

}  // namespace vesk
