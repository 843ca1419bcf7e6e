#include "app/SyncCorrections.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/IntText.h"
#include "lyrics/LyricsCsv.h"
#include "lyrics/TextDecoding.h"
#include "lyrics/TextLines.h"

namespace vesk {

namespace {

constexpr std::string_view kSyncCorrectionsFileName = "VeskSync.csv";

std::int32_t Held(std::int64_t ms) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(ms, -kMaxSyncCorrectionMs, kMaxSyncCorrectionMs));
}

// A title as the file keeps it: CR, LF and NUL are written as spaces (AppendCsvQuoted), so a
// caption holding one is looked up as written.
std::string KeyOf(std::string title) {
    std::replace_if(
        title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; },
        ' ');
    return title;
}

// The rows of the file's content: the first row of a title counts, rows of 0 say nothing.
// A title is in double quotes as written here, or, as a spreadsheet saves it, without them
// up to the last comma.
std::map<std::string, std::int32_t> ReadRows(std::string content) {
    std::map<std::string, std::int32_t> rows;
    const std::string text = DecodeText(std::move(content)).ansi;
    for (const std::string_view line : SplitTextLines(text)) {
        std::string title;
        std::string_view rest;
        if (!line.empty() && line.front() == '"') {
            std::optional<CsvQuotedField> quoted = ReadCsvQuoted(line);
            if (!quoted) {
                continue;
            }
            title = std::move(quoted->text);
            rest = quoted->rest;
        } else if (const std::size_t comma = line.rfind(','); comma != std::string_view::npos) {
            title = line.substr(0, comma);
            rest = line.substr(comma);
        }
        if (rest.empty() || rest[0] != ',') {
            continue;
        }
        const std::optional<std::int32_t> ms = ParseInt32(TrimBlanks(rest.substr(1)));
        if (ms && *ms != 0) {
            rows.emplace(std::move(title), Held(*ms));
        }
    }
    return rows;
}

}  // namespace

void TSyncCorrections::Load() {
    corrections_.clear();
    changes_.clear();
    try {
        if (std::optional<std::string> content = CurrentFileSystem().ReadFile(path_)) {
            corrections_ = ReadRows(std::move(*content));
        }
    } catch (const std::exception&) {
        corrections_.clear();
    }
}

std::int32_t TSyncCorrections::Correction(const std::string& title) const {
    const auto found = corrections_.find(KeyOf(title));
    return found == corrections_.end() ? 0 : found->second;
}

void TSyncCorrections::Set(const std::string& title, std::int32_t ms) {
    const std::int32_t held = Held(ms);
    const std::string key = KeyOf(title);
    changes_[key] = held;
    if (held == 0) {
        corrections_.erase(key);
    } else {
        corrections_[key] = held;
    }
}

std::int32_t TSyncCorrections::Adjust(const std::string& title, std::int32_t deltaMs) {
    Set(title, Held(std::int64_t{Correction(title)} + deltaMs));
    return Correction(title);
}

bool TSyncCorrections::Save() {
    try {
        // Read again, so that rows written by hand since the load stay.
        const FileSystem& files = CurrentFileSystem();
        std::map<std::string, std::int32_t> rows;
        if (std::optional<std::string> content = files.ReadFile(path_)) {
            rows = ReadRows(std::move(*content));
        } else if (files.KindOf(path_) == FileSystem::Kind::File) {
            return false;  // held by another program: replacing it would lose its rows
        }
        for (const auto& [title, ms] : changes_) {
            if (ms == 0) {
                rows.erase(title);
            } else {
                rows[title] = ms;
            }
        }
        std::string bytes;
        for (const auto& [title, ms] : rows) {
            AppendCsvQuoted(bytes, title);
            bytes += ',';
            bytes += IntToText(ms);
            bytes += "\r\n";
        }
        if (!files.ReplaceFile(path_, bytes)) {
            return false;
        }
        corrections_ = std::move(rows);
        changes_.clear();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string SyncCorrectionsPathIn(std::string_view programFolder) {
    return std::string(programFolder) + std::string(kSyncCorrectionsFileName);
}

}  // namespace vesk
