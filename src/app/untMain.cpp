#include "app/untMain.h"

#include <optional>
#include <utility>

#include "app/LyricsFolder.h"
#include "app/MainCommands.h"
#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/SongTitle.h"
#include "lyrics/TextDecoding.h"

namespace vesk {

namespace {

// What a double quote of a title becomes in a command line (as in paste-assignment file
// names): the title comes from the song's tags, which anyone can write.
constexpr ProgramText kFullWidthQuote{"”"};

// How many backslash characters end text (a backslash that is the second byte of a
// double-byte character is part of that character).
std::size_t TrailingBackslashes(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
        count = text[pos] == '\\' && CharSize(text, pos) == 1 ? count + 1 : 0;
    }
    return count;
}

// Whether an empty list read from path may hide the user's entries: the file is there but
// cannot be read now (another program holds it), or it holds more than blank lines and
// still gave no entry (saved in another encoding, or damaged).
bool EmptyReadHidesEntries(const std::string& path) {
    const FileSystem& files = CurrentFileSystem();
    if (files.KindOf(path) != FileSystem::Kind::File) {
        return false;
    }
    std::optional<std::string> content = files.ReadFile(path);
    return !content ||
           DecodeText(std::move(*content)).ansi.find_first_not_of(" \t\r\n") != std::string::npos;
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
    const std::string caption =
        titleGet_.GetPlayerCaption(settings_.getClassName, settings_.getTitle);
    std::string title = titleGet_.GetSongTitle(caption, settings_.delimiters, settings_.titlePos,
                                               settings_.topCut, settings_.bottomCut);
    TakeSongTitle(std::move(title));
    checkedOnce_ = true;
}

void TfrmMain::TakeSongTitle(std::string title) {
    // Byte for byte: a change in letter case alone is a new title.
    if (title != songTitle_) {
        songTitle_ = std::move(title);
        RefreshLyrics();
    }
}

void TfrmMain::RefreshLyrics() {
    // With the window closed and no overlay only SongTitle is kept; the window shows it
    // when it opens.
    const bool windowOpen = lyricsWindow_.LyricsWindowExists();
    if ((!windowOpen && settings_.overlayTextFile.empty()) || lyricsList_ == nullptr) {
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
    if (settings_.lyricsFolder.empty() || title == kPlayerNotFound ||
        lyricsList_->IndexOf(title) != -1) {
        return {};
    }
    return LyricsFolderFile(settings_.lyricsFolder, title);
}

std::string TfrmMain::DisplayTextOf(const std::string& title) const {
    if (const std::string path = FolderFileOf(title); !path.empty()) {
        return LyricsFileDisplayText(path, 0, 0);
    }
    return lyricsList_->DisplayText(title);
}

std::string TfrmMain::LyricsFileOf(const std::string& title) const {
    if (lyricsList_ == nullptr) {
        return {};
    }
    const std::string path = FolderFileOf(title);
    return path.empty() ? lyricsList_->FileNameOf(title) : path;
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
    if (frmFileSelect_ == nullptr || frmFileSelect_->Showing() || lyricsList_ == nullptr) {
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
                                  settings.overlayTextFile != settings_.overlayTextFile;
    settings_ = std::move(settings);
    if (lyricsList_ != nullptr) {
        lyricsList_->SetCaseSensitive(settings_.sensetive);
    }
    // Before the first check there is no song yet: the check shows the lyrics.
    if (extensionChanged && checkedOnce_) {
        RefreshLyrics();
    }
}

std::optional<LyricsEntryFields> TfrmMain::EntryOf(const std::string& title) const {
    const std::int32_t index = lyricsList_ != nullptr ? lyricsList_->IndexOf(title) : -1;
    if (index == -1) {
        return std::nullopt;
    }
    const auto i = static_cast<std::size_t>(index);
    return LyricsEntryFields{title, lyricsList_->FileNames()[i], lyricsList_->StartLines()[i],
                             lyricsList_->EndLines()[i]};
}

bool TfrmMain::AssignLyrics(const LyricsEntryFields& entry) {
    if (lyricsList_ == nullptr) {
        return false;
    }
    const std::int32_t index = lyricsList_->IndexOf(entry.title);
    if (index == -1) {
        lyricsList_->Add(entry.title, entry.fileName, entry.startLine, entry.endLine);
    } else {
        lyricsList_->Update(index, entry.title, entry.fileName, entry.startLine, entry.endLine);
    }
    return ListChanged();
}

bool TfrmMain::ReplaceLyricsRows(const ListViewRows& rows) {
    if (lyricsList_ == nullptr) {
        return false;
    }
    lyricsList_->LoadFromListView(rows);
    return ListChanged();
}

bool TfrmMain::ListChanged() {
    const bool saved = SaveLyricsList();
    RefreshLyrics();
    return saved;
}

void TfrmMain::LoadLyricsList(const std::string& listPath) {
    listPath_ = listPath;
    lyricsList_ = std::make_unique<TLyricsList>(listPath);
    // Only an empty result can hide a read that failed.
    listUnread_ = lyricsList_->Count() == 0 && EmptyReadHidesEntries(listPath);
    listKeptAsRead_ = !lyricsList_->LoadedExactly();
}

bool TfrmMain::SaveLyricsList() {
    if (lyricsList_ == nullptr || listPath_.empty()) {
        return false;
    }
    // Replacing a file not read would lose the user's whole list.
    if (listUnread_ && !TakeInUnreadList()) {
        entriesWaiting_ = true;
        return false;
    }
    entriesWaiting_ = false;
    // Written in the ANSI code page, the file would lose the characters that it lacks.
    if (listKeptAsRead_) {
        TellListNotSaved();
        return false;
    }
    if (!lyricsList_->SaveToFile(listPath_)) {
        TellListNotSaved();
        return false;
    }
    return true;
}

void TfrmMain::SaveLyricsListAtExit() {
    // A list kept as read was told when a change could not be saved, if one was made.
    // Every change saves at once: entries still waiting were made while the file was unread.
    const bool waiting = entriesWaiting_;
    if (!listKeptAsRead_ && !SaveLyricsList() && waiting && listUnread_) {
        TellListNotSaved();
    }
    lyricsList_.reset();
}

void TfrmMain::TellListNotSaved() {
    if (!listNotSavedTold_) {
        listNotSavedTold_ = true;
        ShowListNotSaved(listPath_);
    }
}

bool TfrmMain::TakeInUnreadList() {
    auto merged = std::make_unique<TLyricsList>(listPath_);
    if (merged->Count() == 0 && EmptyReadHidesEntries(listPath_)) {
        return false;  // still held, or still nothing this program can read
    }
    merged->SetCaseSensitive(lyricsList_->CaseSensitive());
    for (std::int32_t i = 0; i < lyricsList_->Count(); ++i) {
        const std::string& title = lyricsList_->Titles()[i];
        const std::string& file = lyricsList_->FileNames()[i];
        const std::int32_t start = lyricsList_->StartLines()[i];
        const std::int32_t end = lyricsList_->EndLines()[i];
        const std::int32_t index = merged->IndexOf(title);
        if (index < 0) {
            merged->Add(title, file, start, end);
        } else {
            merged->Update(index, title, file, start, end);
        }
    }
    listKeptAsRead_ = !merged->LoadedExactly();
    lyricsList_ = std::move(merged);
    listUnread_ = false;
    return true;
}

std::string LyricsListPathIn(std::string_view programFolder) {
    return std::string(programFolder) + "Vesk.csv";
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
