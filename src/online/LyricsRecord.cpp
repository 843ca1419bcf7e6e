#include "online/LyricsRecord.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <span>

#include "common/AnsiText.h"
#include "common/TextPlatform.h"

namespace vesk {

namespace {

using nlohmann::json;

// Levels of the answer: the array of records (0), a record (1), a record's field (2).
constexpr int kRecordLevel = 1;
constexpr int kFieldLevel = 2;
// The service answers with a few records, best first.
constexpr std::size_t kMaxRecords = 100;

constexpr std::string_view kTrackName = "trackName";
constexpr std::string_view kArtistName = "artistName";
constexpr std::string_view kInstrumental = "instrumental";
constexpr std::string_view kSyncedLyrics = "syncedLyrics";
constexpr std::string_view kPlainLyrics = "plainLyrics";
constexpr std::string_view kReadFields[] = {kTrackName, kArtistName, kInstrumental, kSyncedLyrics,
                                            kPlainLyrics};

bool IsReadField(const json& key) {
    const std::string_view name = key.get_ref<const std::string&>();
    for (const std::string_view field : kReadFields) {
        if (name == field) {
            return true;
        }
    }
    return false;
}

constexpr std::string_view kNameSeparator = " - ";

struct RecordLyrics {
    LyricsKind kind = LyricsKind::kNone;
    std::string_view text;
};

// A text field up to its first NUL character; empty when it is missing or not a string.
std::string_view TextField(const json& record, std::string_view name) {
    const auto field = record.find(name);
    if (field == record.end() || !field->is_string()) {
        return {};
    }
    const std::string_view text = field->get_ref<const std::string&>();
    return text.substr(0, text.find('\0'));
}

RecordLyrics LyricsOf(const json& record) {
    const auto instrumental = record.find(kInstrumental);
    if (instrumental != record.end() && instrumental->is_boolean() && instrumental->get<bool>()) {
        return {LyricsKind::kInstrumental, {}};
    }
    if (const std::string_view synced = TextField(record, kSyncedLyrics);
        !TrimBlanks(synced).empty()) {
        return {LyricsKind::kSynced, synced};
    }
    if (const std::string_view plain = TextField(record, kPlainLyrics);
        !TrimBlanks(plain).empty()) {
        return {LyricsKind::kPlain, plain};
    }
    return {};
}

bool NameEquals(std::string_view utf8Name, std::string_view title, const TextPlatform& platform) {
    return platform.Equal(platform.FromUtf8(utf8Name), title, true);
}

bool NamesTitle(const json& record, std::string_view title, const TextPlatform& platform) {
    const std::string_view track = TextField(record, kTrackName);
    if (track.empty()) {
        return false;
    }
    if (NameEquals(track, title, platform)) {
        return true;
    }
    const std::string_view artist = TextField(record, kArtistName);
    return !artist.empty() &&
           NameEquals(std::string(artist).append(kNameSeparator).append(track), title, platform);
}

ChosenLyrics Chosen(const RecordLyrics& lyrics) {
    return {lyrics.kind, std::string(lyrics.text)};
}

ChosenLyrics ChooseAmong(std::span<const json> records, std::string_view title,
                         const TextPlatform& platform) {
    std::optional<RecordLyrics> firstWithLyrics;
    for (const json& record : records) {
        if (!record.is_object()) {
            continue;
        }
        const RecordLyrics lyrics = LyricsOf(record);
        if (lyrics.kind == LyricsKind::kNone) {
            continue;
        }
        if (NamesTitle(record, title, platform)) {
            return Chosen(lyrics);
        }
        if (!firstWithLyrics && lyrics.kind != LyricsKind::kInstrumental) {
            firstWithLyrics = lyrics;
        }
    }
    return firstWithLyrics ? Chosen(*firstWithLyrics) : ChosenLyrics{};
}

}  // namespace

ChosenLyrics ChooseLyrics(std::string_view body, std::string_view title,
                          const TextPlatform& platform) noexcept {
    try {
        // Only what is read is kept, as it is parsed: the array, its first records, and of
        // each the fields read, with values that are no arrays or objects. So a body of 2 MB
        // never becomes more than a few kilobytes of values, however it nests.
        std::size_t records = 0;
        const auto keepReadParts = [&records](int depth, json::parse_event_t event, json& parsed) {
            switch (event) {
                case json::parse_event_t::array_start:
                    return depth == 0;
                case json::parse_event_t::object_start:
                    return depth == kRecordLevel && ++records <= kMaxRecords;
                case json::parse_event_t::key:
                    return depth == kFieldLevel && IsReadField(parsed);
                case json::parse_event_t::value:
                    return depth != kRecordLevel;  // a record is an object
                default:
                    return true;
            }
        };
        const json answer = json::parse(body.begin(), body.end(), keepReadParts, false);
        if (!answer.is_array()) {
            return {};  // not JSON (discarded), or not an array of records
        }
        return ChooseAmong(answer.get_ref<const json::array_t&>(), title, platform);
    } catch (...) {
        // Nothing a record holds can make the parser throw when told not to; memory can run
        // out, and a search that cannot be read is one that found nothing.
        return {};
    }
}

}  // namespace vesk
