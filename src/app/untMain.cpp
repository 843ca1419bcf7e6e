#include "app/untMain.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

#include "app/LyricsFolder.h"
#include "app/MainCommands.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/SongTitle.h"
#include "online/LyricsFile.h"
#include "online/SearchRequest.h"
#include "settings/SettingRules.h"

namespace vesk {

namespace {

static_assert(keys::kOnlineLyricsUrl.defaultValue == kDefaultServiceAddress);

constexpr std::string_view kDefaultLyricsFolderName = "Lyrics\\";

// What a double quote of a title becomes in a command line (as in paste-assignment file
// names): the title comes from the song's tags, which anyone can write.
constexpr ProgramText kFullWidthQuote{"”"};

// A timer may fire up to a tick of the system's clock early: what is shown is what the song
// shows this much later, so that a change never waits for another timer.
constexpr std::int64_t kSyncLeadMs = 20;

// How many backslash characters end text (a backslash that is the second byte of a
// double-byte character is part of that character).
std::size_t TrailingBackslashes(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
        count = text[pos] == '\\' && CharSize(text, pos) == 1 ? count + 1 : 0;
    }
    return count;
}

}  // namespace

TfrmMain::TfrmMain(const TTitleGet& titleGet, LyricsSink& lyricsWindow, CommandRunner runCommand)
    : titleGet_(titleGet), lyricsWindow_(lyricsWindow), runCommand_(std::move(runCommand)) {}

void TfrmMain::tmrTitleCheckTimer() {
    if (checking_) {
        return;
    }
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(checking_);
    // Synced lyrics also want the player's position, where it tells one: three more calls
    // into the player, made each check only while a synced song is shown, and once when the
    // song changes (it may be a synced one), not at every check of still lyrics.
    const auto read = [this](bool withPosition) {
        return withPosition ? titleGet_.ReadPlayer(settings_.getClassName, settings_.getTitle)
                            : PlayerReading{titleGet_.GetPlayerCaption(settings_.getClassName,
                                                                       settings_.getTitle),
                                            std::nullopt};
    };
    const auto titleOf = [this](const PlayerReading& reading) {
        return titleGet_.GetSongTitle(reading.caption, settings_.delimiters, settings_.titlePos,
                                      settings_.topCut, settings_.bottomCut);
    };
    PlayerReading reading = read(settings_.syncLyrics && sync_.Showing());
    std::string title = titleOf(reading);
    if (settings_.syncLyrics && !sync_.Showing() && title != songTitle_) {
        reading = read(true);
        title = titleOf(reading);
    }
    if (settings_.syncLyrics) {
        TakeSyncClock(title, reading.positionSeconds);
    }
    TakeSongTitle(std::move(title));
    checkedOnce_ = true;
}

void TfrmMain::TakeSongTitle(std::string title) {
    // Byte for byte: a change in letter case alone is a new title.
    if (title != songTitle_) {
        songTitle_ = std::move(title);
        RefreshLyrics();
        SearchIfMissing();
    }
}

void TfrmMain::RefreshLyrics() {
    // With the window closed and no overlay only SongTitle is kept; the window shows it
    // when it opens.
    const bool windowOpen = lyricsWindow_.LyricsWindowExists();
    if ((!windowOpen && settings_.overlayTextFile.empty()) || LyricsList() == nullptr) {
        StopSync();
        return;
    }
    if (ShowSynced()) {
        return;
    }
    const std::string text = DisplayTextOf(songTitle_);
    if (windowOpen) {
        lyricsWindow_.ShowLyrics(text);
    }
    if (!settings_.overlayTextFile.empty()) {
        WriteOverlayText(text);
    }
}

std::string TfrmMain::FolderFileOf(const std::string& title) const {
    const std::string folder = LyricsFolderInUse();
    if (folder.empty() || title == kPlayerNotFound || LyricsList()->IndexOf(title) != -1) {
        return {};
    }
    return LyricsFolderFile(folder, title);
}

std::string TfrmMain::DisplayTextOf(const std::string& title) const {
    if (const std::string path = FolderFileOf(title); !path.empty()) {
        return LyricsFileDisplayText(path, 0, 0);
    }
    if (!instrumental_.empty() && instrumental_.contains(title) &&
        LyricsList()->IndexOf(title) == -1) {
        return InstrumentalNote(title);
    }
    return LyricsList()->DisplayText(title);
}

std::string TfrmMain::LyricsFolderInUse() const {
    if (!settings_.lyricsFolder.empty()) {
        return settings_.lyricsFolder;
    }
    // The folder beside the program is the online search's: one of that name the user kept
    // before is not looked in while the search is off, unless this run saved into it.
    const bool inUse = defaultFolderExists_ && (settings_.onlineLyrics || savedInDefaultFolder_);
    return inUse ? defaultLyricsFolder_ : std::string();
}

void TfrmMain::SetDefaultLyricsFolder(std::string folder) {
    defaultLyricsFolder_ = std::move(folder);
}

void TfrmMain::SearchIfMissing() {
    if (!settings_.onlineLyrics || LyricsList() == nullptr || !IsSearchableTitle(songTitle_) ||
        LyricsList()->IndexOf(songTitle_) != -1 || !FolderFileOf(songTitle_).empty() ||
        searching_.contains(songTitle_)) {
        return;
    }
    if (searched_.TryBegin(songTitle_)) {
        StartSearch(songTitle_, false);
    }
}

void TfrmMain::mitSearchOnlineClick() {
    if (!IsSearchableTitle(songTitle_)) {
        return;
    }
    searched_.Remember(songTitle_);
    // A search of the title under way answers the user as well.
    if (const auto running = searching_.find(songTitle_); running != searching_.end()) {
        running->second = true;
        return;
    }
    StartSearch(songTitle_, true);
}

void TfrmMain::StartSearch(const std::string& title, bool askedByUser) {
    searching_[title] = askedByUser;
    StartOnlineSearch(settings_.onlineLyricsUrl, title);
}

void TfrmMain::DropWaitingSearches() {
    for (const std::string& title : DropQueuedOnlineSearches()) {
        const auto waiting = searching_.find(title);
        const bool askedByUser = waiting != searching_.end() && waiting->second;
        if (waiting != searching_.end()) {
            searching_.erase(waiting);
        }
        if (askedByUser) {
            StartSearch(title, true);
        } else {
            searched_.Forget(title);
        }
    }
}

void TfrmMain::TakeSearchResult(const SearchResult& result) {
    bool askedByUser = false;
    if (const auto running = searching_.find(result.title); running != searching_.end()) {
        askedByUser = running->second;
        searching_.erase(running);
    }
    // Begun before the setting was turned off: nothing comes of it.
    if (!askedByUser && !settings_.onlineLyrics) {
        return;
    }
    OnlineSave save = OnlineSave::kNotSaved;
    std::string path;
    bool shown = false;
    if (result.outcome == SearchOutcome::kFound) {
        save = SaveFoundLyrics(result, path);
        shown = save == OnlineSave::kSaved;
        // The list's entry comes before the folder: the user who asked learns where it went.
        if (shown && LyricsList() != nullptr && LyricsList()->IndexOf(result.title) != -1) {
            save = OnlineSave::kBesideEntry;
        }
    } else if (result.outcome == SearchOutcome::kInstrumental) {
        instrumental_.insert(result.title);
        shown = true;
    }
    // A title that no longer plays keeps its file for the next time.
    if (shown && result.title == songTitle_) {
        RefreshLyrics();
    }
    if (askedByUser) {
        if (const SearchReport report = TraySearchReport(result, save, path);
            !report.text.empty()) {
            ShowSearchReport(report.text, report.problem);
        }
    }
}

OnlineSave TfrmMain::SaveFoundLyrics(const SearchResult& result, std::string& path) {
    const FileSystem& files = CurrentFileSystem();
    std::string folder = settings_.lyricsFolder;
    if (folder.empty()) {
        folder = defaultLyricsFolder_;
        path = folder;
        if (folder.empty() || !files.CreateFolder(folder)) {
            return OnlineSave::kNotSaved;
        }
        defaultFolderExists_ = true;
        savedInDefaultFolder_ = true;
    }
    // A ".txt" of the title is what the look-up shows: it is kept as well.
    if (std::string existing = LyricsFolderFile(folder, result.title); !existing.empty()) {
        path = std::move(existing);
        return OnlineSave::kExists;
    }
    path = PasteFolderOf(folder) + OnlineLyricsFileName(result.title);
    if (files.CreateNewFile(path, result.fileBytes)) {
        return OnlineSave::kSaved;
    }
    return files.KindOf(path) == FileSystem::Kind::Missing ? OnlineSave::kNotSaved
                                                           : OnlineSave::kExists;
}

std::string TfrmMain::LyricsFileOf(const std::string& title) const {
    if (LyricsList() == nullptr) {
        return {};
    }
    const std::string path = FolderFileOf(title);
    return path.empty() ? LyricsList()->FileNameOf(title) : path;
}

void TfrmMain::WriteOverlayText(const std::string& text) {
    if (!overlay_.Write(settings_.overlayTextFile, text) && !overlayNotWrittenTold_) {
        overlayNotWrittenTold_ = true;
        ShowOverlayNotWritten(settings_.overlayTextFile);
    }
}

void TfrmMain::ClearOverlayText() {
    if (!settings_.overlayTextFile.empty()) {
        WriteOverlayText({});
    }
}

std::int64_t TfrmMain::NowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void TfrmMain::TakeSyncClock(const std::string& title, std::optional<double> positionSeconds) {
    const std::int64_t now = NowMs();
    const bool sameSong = title == songTitle_;
    if (!sameSong) {
        sync_.Clock().Start(now);
    }
    if (positionSeconds) {
        sync_.Clock().TakePosition(*positionSeconds, now);
        // The player may have moved on, back or stopped: a new song is shown by the refresh.
        if (sameSong && sync_.Showing()) {
            ShowSyncedView(false);
        }
    }
}

std::optional<LrcTimeline> TfrmMain::SyncedTimelineOf(const std::string& title) const {
    if (title == kPlayerNotFound) {
        return std::nullopt;
    }
    std::optional<LrcTimeline> timeline;
    if (const std::string path = FolderFileOf(title); !path.empty()) {
        timeline = ReadLrcTimeline(path, 0, 0);
    } else if (const std::optional<LyricsEntryFields> entry = EntryOf(title)) {
        timeline = ReadLrcTimeline(entry->fileName, entry->startLine, entry->endLine);
    }
    if (!timeline || !timeline->HasTimeTags()) {
        return std::nullopt;
    }
    return timeline;
}

bool TfrmMain::ShowSynced() {
    std::optional<LrcTimeline> timeline =
        settings_.syncLyrics ? SyncedTimelineOf(songTitle_) : std::nullopt;
    if (!timeline) {
        StopSync();
        return false;
    }
    sync_.Show(std::move(*timeline), Corrections().Correction(songTitle_));
    ShowSyncedView(true);
    return true;
}

void TfrmMain::ShowSyncedView(bool newText) {
    const std::int64_t viewMs = NowMs() + kSyncLeadMs;
    SyncedView view = sync_.ViewAt(viewMs, settings_.syncLines);
    if (newText || view != shownView_) {
        if (lyricsWindow_.LyricsWindowExists()) {
            lyricsWindow_.ShowSyncedLyrics(view.text, view.litBegin, view.litEnd,
                                           settings_.syncColor, newText);
        }
        if (!settings_.overlayTextFile.empty()) {
            WriteOverlayText(std::string(view.LitLine()));
        }
        shownView_ = std::move(view);
    }
    ScheduleSync(viewMs);
}

void TfrmMain::ScheduleSync(std::int64_t viewMs) {
    if (std::optional<std::int64_t> delay = sync_.DelayToNextChange(viewMs)) {
        // From now: showing may have taken a while (a fade).
        *delay = std::max<std::int64_t>(viewMs + *delay - NowMs(), 1);
        syncTimerSet_ = true;
        SetSyncTimer(delay);
    } else if (syncTimerSet_) {
        syncTimerSet_ = false;
        SetSyncTimer(std::nullopt);
    }
}

void TfrmMain::StopSync() {
    sync_.Stop();
    shownView_.reset();
    if (syncTimerSet_) {
        syncTimerSet_ = false;
        SetSyncTimer(std::nullopt);
    }
}

void TfrmMain::SyncTimerTick() {
    syncTimerSet_ = true;  // it fired: stopped below unless set again
    if (!sync_.Showing() ||
        (!lyricsWindow_.LyricsWindowExists() && settings_.overlayTextFile.empty())) {
        StopSync();
        return;
    }
    ShowSyncedView(false);
}

TSyncCorrections& TfrmMain::Corrections() {
    if (!corrections_) {
        corrections_.emplace(correctionsPath_);
        corrections_->Load();
    }
    return *corrections_;
}

void TfrmMain::AdjustSyncCorrection(std::int32_t deltaMs) {
    if (!sync_.Showing()) {
        return;
    }
    TSyncCorrections& corrections = Corrections();
    sync_.SetCorrection(corrections.Adjust(songTitle_, deltaMs));
    // A file held by another program: the change is kept and saved with the next one.
    correctionsUnsaved_ = !corrections.Save();
    ShowSyncedView(false);
}

void TfrmMain::SaveSyncCorrectionsAtExit() {
    if (corrections_ && correctionsUnsaved_) {
        correctionsUnsaved_ = !corrections_->Save();
    }
}

void TfrmMain::ToggleLyricsWindow() {
    if (lyricsWindow_.LyricsWindowExists()) {
        lyricsWindow_.CloseLyricsWindow();
        return;
    }
    lyricsWindow_.CreateLyricsWindow();
    // The text first, so that the window opens with it.
    RefreshLyrics();
    lyricsWindow_.ShowLyricsWindow();
}

void TfrmMain::CloseLyricsWindow() {
    if (lyricsWindow_.LyricsWindowExists()) {
        lyricsWindow_.CloseLyricsWindow();
    }
}

void TfrmMain::SearchLyricsMaster(std::string_view title) {
    runCommand_(LyricsMasterCommand(settings_.lyricsMasterPath, title));
}

void TfrmMain::mitThisLyricClick() {
    if (songTitle_ == kPlayerNotFound) {
        runCommand_(PlayerCommandLine(settings_.player));
        return;
    }
    if (frmFileSelect_ == nullptr || frmFileSelect_->Showing() || LyricsList() == nullptr) {
        return;
    }
    const LyricsEntryFields entry =
        EntryOf(songTitle_).value_or(LyricsEntryFields{songTitle_, {}, 0, 0});
    // The song may have changed while the dialog was open; the window then shows the one
    // playing now. The list is gone when the program closed meanwhile.
    if (const std::optional<LyricsEntryFields> edited = frmFileSelect_->Edit(entry)) {
        AssignLyrics(*edited);
    }
}

void TfrmMain::ApplyMainSettings(MainFormSettings settings) {
    const bool extensionChanged = settings.lyricsFolder != settings_.lyricsFolder ||
                                  settings.overlayTextFile != settings_.overlayTextFile ||
                                  settings.syncLyrics != settings_.syncLyrics ||
                                  settings.syncLines != settings_.syncLines ||
                                  settings.syncColor != settings_.syncColor;
    const bool searchesGo = (settings_.onlineLyrics && !settings.onlineLyrics) ||
                            settings.onlineLyricsUrl != settings_.onlineLyricsUrl;
    if (settings.syncLyrics && !settings_.syncLyrics) {
        // The clock was not kept while synced lyrics were off: the song starts now.
        sync_.Clock().Start(NowMs());
    }
    settings_ = std::move(settings);
    listFile_.SetCaseSensitive(settings_.sensetive);
    if (searchesGo) {
        DropWaitingSearches();
    }
    // A default folder made or removed by hand since is seen from now on.
    if (settings_.lyricsFolder.empty() && !defaultLyricsFolder_.empty()) {
        defaultFolderExists_ =
            CurrentFileSystem().KindOf(defaultLyricsFolder_) == FileSystem::Kind::Directory;
    }
    // Before the first check there is no song yet: the check shows the lyrics.
    if (extensionChanged && checkedOnce_) {
        RefreshLyrics();
    }
    if (checkedOnce_) {
        SearchIfMissing();
    }
}

std::optional<LyricsEntryFields> TfrmMain::EntryOf(const std::string& title) const {
    const TLyricsList* list = LyricsList();
    const std::int32_t index = list != nullptr ? list->IndexOf(title) : -1;
    if (index == -1) {
        return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(index);
    return LyricsEntryFields{title, list->FileNames()[i], list->StartLines()[i],
                             list->EndLines()[i]};
}

bool TfrmMain::AssignLyrics(const LyricsEntryFields& entry) {
    return LyricsList() != nullptr && ListChanged(listFile_.Assign(entry));
}

bool TfrmMain::ReplaceLyricsRows(const ListViewRows& rows) {
    return LyricsList() != nullptr && ListChanged(listFile_.Replace(rows));
}

bool TfrmMain::ListChanged(TLyricsListFile::SaveResult result) {
    // The user asked for this save: a failure is told every time.
    if (result == TLyricsListFile::SaveResult::kNotSaved) {
        listNotSavedTold_ = true;
        ShowListNotSaved(listFile_.Path());
    }
    RefreshLyrics();
    return result == TLyricsListFile::SaveResult::kSaved;
}

bool TfrmMain::ListFileChanged() {
    using OutsideChange = TLyricsListFile::OutsideChange;
    const OutsideChange change = listFile_.TakeInOutsideChange();
    if (change == OutsideChange::kTaken) {
        RefreshLyrics();
    }
    return change != OutsideChange::kHeld;
}

void TfrmMain::LoadLyricsList(const std::string& listPath) {
    listFile_.Load(listPath);
}

void TfrmMain::SaveLyricsListAtExit() {
    using SaveResult = TLyricsListFile::SaveResult;
    const bool waiting = listFile_.ChangesWaiting();
    const SaveResult result = listFile_.SaveAtExit();
    // Entries still waiting now are lost; nothing else is told twice in a run.
    if (result == SaveResult::kNotSaved || (result == SaveResult::kWaiting && waiting)) {
        TellListNotSaved();
    }
    listFile_.Free();
}

void TfrmMain::TellListNotSaved() {
    if (!listNotSavedTold_) {
        listNotSavedTold_ = true;
        ShowListNotSaved(listFile_.Path());
    }
}

std::string LyricsListPathIn(std::string_view programFolder) {
    return std::string(programFolder) + "Vesk.csv";
}

std::string DefaultLyricsFolderIn(std::string_view programFolder) {
    return std::string(programFolder).append(kDefaultLyricsFolderName);
}

std::string LyricsMasterCommand(std::string_view commandTemplate, std::string_view title) {
    const std::size_t mark = FindText(commandTemplate, kLyricsMasterTitleMark);
    if (mark == std::string_view::npos) {
        return std::string(commandTemplate);
    }
    // A double quote is never the second byte of a double-byte character.
    std::string safeTitle = ReplaceBytes(title, "\"", kFullWidthQuote.Ansi());
    const std::string_view rest = commandTemplate.substr(mark + kLyricsMasterTitleMark.size());
    if (!rest.empty() && rest.front() == '"') {
        // Backslashes before a quote escape it: a title ending in "\" would join the rest of
        // the command line to its argument. Doubled, they stand for themselves.
        safeTitle += std::string(TrailingBackslashes(safeTitle), '\\');
    }
    std::string command(commandTemplate.substr(0, mark));
    command += safeTitle;
    command += rest;
    return command;
}

}  // namespace vesk
