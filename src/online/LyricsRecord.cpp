#include "online/LyricsRecord.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <span>

#include "common/AnsiText.h"
#include "common/TextPlatform.h"

namespace vesk {

namespace {

using nlohmann::json;

// The answer's array is level 0, a record level 1, a record's fields level 2: an array or
// object that starts deeper is of no use and is skipped while parsing.
constexpr int kDeepestContainer = 1;

constexpr std::string_view kNameSeparator = " - ";

struct RecordLyrics {
    LyricsKind kind = LyricsKind::kNone;
    std::string_view text;
};

// A text field up to its first NUL character; empty when it is missing or not a string.
std::string_view TextField(const json& record, const char* name) {
    const auto field = record.find(name);
    if (field == record.end() || !field->is_string()) {
        return {};
    }
    const std::string_view text = field->get_ref<const std::string&>();
    return text.substr(0, text.find('\0'));
}

RecordLyrics LyricsOf(const json& record) {
    const auto instrumental = record.find("instrumental");
    if (instrumental != record.end() && instrumental->is_boolean() && instrumental->get<bool>()) {
        return {LyricsKind::kInstrumental, {}};
    }
    if (const std::string_view synced = TextField(record, "syncedLyrics");
        !TrimBlanks(synced).empty()) {
        return {LyricsKind::kSynced, synced};
    }
    if (const std::string_view plain = TextField(record, "plainLyrics");
        !TrimBlanks(plain).empty()) {
        return {LyricsKind::kPlain, plain};
    }
    return {};
}

bool NameEquals(std::string_view utf8Name, std::string_view title, const TextPlatform& platform) {
    return platform.Equal(platform.FromUtf8(utf8Name), title, true);
}

bool NamesTitle(const json& record, std::string_view title, const TextPlatform& platform) {
    const std::string_view track = TextField(record, "trackName");
    if (track.empty()) {
        return false;
    }
    if (NameEquals(track, title, platform)) {
        return true;
    }
    const std::string_view artist = TextField(record, "artistName");
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
        const auto keepShallow = [](int depth, json::parse_event_t event, json&) {
            return depth <= kDeepestContainer || (event != json::parse_event_t::object_start &&
                                                  event != json::parse_event_t::array_start);
        };
        const json answer = json::parse(body.begin(), body.end(), keepShallow, false);
        if (answer.is_array()) {
            return ChooseAmong(answer.get_ref<const json::array_t&>(), title, platform);
        }
        if (answer.is_object()) {
            return ChooseAmong(std::span(&answer, 1), title, platform);
        }
        return {};  // not JSON (discarded), or a lone number, text or null
    } catch (...) {
        // Nothing a record holds can make the parser throw when told not to; memory can run
        // out, and a search that cannot be read is one that found nothing.
        return {};
    }
}

}  // namespace vesk
