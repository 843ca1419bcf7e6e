#include "app/untMain.h"

#include <utility>

#include "common/AnsiText.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

// What a double quote of a title becomes in a command line (as in paste-assignment file
// names): the title comes from the song's tags, which anyone can write.
constexpr ProgramText kFullWidthQuote{"”"};

}  // namespace

TfrmMain::TfrmMain(const TTitleGet& titleGet, LyricsSink& lyricsWindow, CommandRunner runCommand)
    : titleGet_(titleGet), lyricsWindow_(lyricsWindow), runCommand_(std::move(runCommand)) {}

void TfrmMain::tmrTitleCheckTimer() {
    const std::string caption = titleGet_.GetPlayerCaption(PlayerClassName, TitleFilter);
    std::string title = titleGet_.GetSongTitle(caption, Delimiters, TitlePos, TopCut, BottomCut);
    // Byte for byte: a change in letter case alone is a new title.
    if (title != SongTitle) {
        SongTitle = std::move(title);
        RefreshLyrics();
    }
}

void TfrmMain::RefreshLyrics() {
    // With the window closed only SongTitle is kept; the window shows it when it opens.
    if (!lyricsWindow_.LyricsWindowExists() || LyricsList == nullptr) {
        return;
    }
    lyricsWindow_.ShowLyrics(LyricsList->DisplayText(SongTitle));
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
    runCommand_(LyricsMasterCommand(LyricsMasterPath, title));
}

std::string LyricsMasterCommand(std::string_view commandTemplate, std::string_view title) {
    const std::size_t mark = FindText(commandTemplate, kLyricsMasterTitleMark);
    if (mark == std::string_view::npos) {
        return std::string(commandTemplate);
    }
    // A double quote is never the second byte of a double-byte character.
    const std::string safeTitle = ReplaceBytes(title, "\"", kFullWidthQuote.Ansi());
    std::string command(commandTemplate.substr(0, mark));
    command += safeTitle;
    command += commandTemplate.substr(mark + kLyricsMasterTitleMark.size());
    return command;
}

}  // namespace vesk
