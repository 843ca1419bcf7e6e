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
        titleGet_.GetPlayerCaption(Settings.getClassName, Settings.getTitle);
    std::string title = titleGet_.GetSongTitle(caption, Settings.delimiters, Settings.titlePos,
                                               Settings.topCut, Settings.bottomCut);
    // Byte for byte: a change in letter case alone is a new title.
    if (title != SongTitle) {
        SongTitle = std::move(title);
        RefreshLyrics();
    }
    checkedOnce_ = true;
}

void TfrmMain::RefreshLyrics() {
    // With the window closed and no overlay only SongTitle is kept; the window shows it
    // when it opens.
    const bool windowOpen = lyricsWindow_.LyricsWindowExists();
    if ((!windowOpen && Settings.overlayTextFile.empty()) || LyricsList == nullptr) {
        return;
    }
    const std::string text = DisplayTextOf(SongTitle);
    if (windowOpen) {
        lyricsWindow_.ShowLyrics(text);
    }
    if (!Settings.overlayTextFile.empty()) {
        WriteOverlayText(text);
    }
}

std::string TfrmMain::FolderFileOf(const std::string& title) const {
    if (Settings.lyricsFolder.empty() || title == kPlayerNotFound ||
        LyricsList->IndexOf(title) != -1) {
        return {};
    }
    return LyricsFolderFile(Settings.lyricsFolder, title);
}

std::string TfrmMain::DisplayTextOf(const std::string& title) const {
    if (const std::string path = FolderFileOf(title); !path.empty()) {
        return LyricsFileDisplayText(path, 0, 0);
    }
    return LyricsList->DisplayText(title);
}

std::string TfrmMain::LyricsFileOf(const std::string& title) const {
    if (LyricsList == nullptr) {
        return {};
    }
    const std::string path = FolderFileOf(title);
    return path.empty() ? LyricsList->FileNameOf(title) : path;
}

void TfrmMain::WriteOverlayText(const std::string& text) {
    if (!overlay_.Write(Settings.overlayTextFile, text) && !overlayNotWrittenTold_) {
        overlayNotWrittenTold_ = true;
        ShowOverlayNotWritten(Settings.overlayTextFile);
    }
}

void TfrmMain::ClearOverlayText() {
    if (!Settings.overlayTextFile.empty()) {
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
    runCommand_(LyricsMasterCommand(Settings.lyricsMasterPath, title));
}

void TfrmMain::mitThisLyricClick() {
    if (SongTitle == kPlayerNotFound) {
        runCommand_(PlayerCommandLine(Settings.player));
        return;
    }
    if (frmFileSelect_ == nullptr || frmFileSelect_->Showing() || LyricsList == nullptr) {
        return;
    }
    LyricsEntryFields entry{SongTitle, {}, 0, 0};
    if (const std::int32_t index = LyricsList->IndexOf(SongTitle); index != -1) {
        const auto i = static_cast<std::size_t>(index);
        entry = {SongTitle, LyricsList->FileNames()[i], LyricsList->StartLines()[i],
                 LyricsList->EndLines()[i]};
    }
    const std::optional<LyricsEntryFields> edited = frmFileSelect_->Edit(entry);
    // The list is gone when the program closed while the dialog was open.
    if (!edited || LyricsList == nullptr) {
        return;
    }
    const std::int32_t index = LyricsList->IndexOf(edited->title);
    if (index == -1) {
        LyricsList->Add(edited->title, edited->fileName, edited->startLine, edited->endLine);
    } else {
        LyricsList->Update(index, edited->title, edited->fileName, edited->startLine,
                           edited->endLine);
    }
    // Saved first: a list file that could not be read at start-up is taken in by the save,
    // and the lyrics shown come from the list as kept. The song may have changed while the
    // dialog was open; the window shows the one playing now.
    SaveLyricsList();
    RefreshLyrics();
}

void TfrmMain::ApplyMainSettings(MainFormSettings settings) {
    const bool extensionChanged = settings.lyricsFolder != Settings.lyricsFolder ||
                                  settings.overlayTextFile != Settings.overlayTextFile;
    Settings = std::move(settings);
    if (LyricsList != nullptr) {
        LyricsList->SetCaseSensitive(Settings.sensetive);
    }
    // Before the first check there is no song yet: the check shows the lyrics.
    if (extensionChanged && checkedOnce_) {
        RefreshLyrics();
    }
}

void TfrmMain::LoadLyricsList(const std::string& listPath) {
    listPath_ = listPath;
    LyricsList = std::make_unique<TLyricsList>(listPath);
    // Only an empty result can hide a read that failed.
    listUnread_ = LyricsList->Count() == 0 && EmptyReadHidesEntries(listPath);
    listKeptAsRead_ = !LyricsList->LoadedExactly();
}

bool TfrmMain::SaveLyricsList() {
    if (LyricsList == nullptr || listPath_.empty()) {
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
    if (!LyricsList->SaveToFile(listPath_)) {
        TellListNotSaved();
        return false;
    }
    return true;
}

void TfrmMain::SaveLyricsListAtExit() {
    // A list kept as read was told when a change could not be saved, if one was made.
    if (listKeptAsRead_) {
        return;
    }
    // Every change saves at once: entries still waiting were made while the file was unread.
    const bool waiting = entriesWaiting_;
    if (!SaveLyricsList() && waiting && listUnread_) {
        TellListNotSaved();
    }
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
    merged->SetCaseSensitive(LyricsList->CaseSensitive());
    for (std::int32_t i = 0; i < LyricsList->Count(); ++i) {
        const std::string& title = LyricsList->Titles()[i];
        const std::string& file = LyricsList->FileNames()[i];
        const std::int32_t start = LyricsList->StartLines()[i];
        const std::int32_t end = LyricsList->EndLines()[i];
        const std::int32_t index = merged->IndexOf(title);
        if (index < 0) {
            merged->Add(title, file, start, end);
        } else {
            merged->Update(index, title, file, start, end);
        }
    }
    listKeptAsRead_ = !merged->LoadedExactly();
    LyricsList = std::move(merged);
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
