#pragma once

// The main form's state and the title check: the current song title, the lyrics list and
// the settings that say where the player's window is and how the song title is cut out of
// its caption. The check needs no window system: the main window's timer calls
// tmrTitleCheckTimer, and the lyrics window is reached through LyricsSink.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/LyricsListFile.h"
#include "app/LyricsSync.h"
#include "app/OnlineLyricsReport.h"
#include "app/OverlayText.h"
#include "app/SyncCorrections.h"
#include "common/Color.h"
#include "editing/FileSelectRules.h"
#include "lyrics/ListViewRows.h"
#include "lyrics/untTLyricsList.h"
#include "online/SearchMemory.h"
#include "online/SearchResult.h"
#include "settings/VeskSettings.h"
#include "title/untTitleGet.h"

namespace vesk {

// The lyrics window as the main form sees it: the program-wide reference to it, which is
// set while the window exists, and what the main form asks of it.
class LyricsSink {
public:
    virtual ~LyricsSink() = default;
    virtual bool LyricsWindowExists() const = 0;
    // Shows a new display text (the window may fade out first, then fits itself to it).
    virtual void ShowLyrics(const std::string& text) = 0;
    // Shows lines of synced lyrics whose bytes [litBegin, litEnd) are the line being sung,
    // drawn in litColor (none when equal). A new text (another song, a reload) is shown as
    // ShowLyrics shows one; otherwise at once, the window fitted only when its lines changed.
    // A window that lights no line shows the text.
    virtual void ShowSyncedLyrics(const std::string& text, std::size_t litBegin, std::size_t litEnd,
                                  Color litColor, bool newText) {
        static_cast<void>(litBegin);
        static_cast<void>(litEnd);
        static_cast<void>(litColor);
        static_cast<void>(newText);
        ShowLyrics(text);
    }
    // Creates the lyrics window with its saved settings and sets the reference; the window
    // is not shown yet.
    virtual void CreateLyricsWindow() = 0;
    virtual void ShowLyricsWindow() = 0;
    // Asks the window to close: its own close handling saves its settings, frees it and
    // clears the reference.
    virtual void CloseLyricsWindow() = 0;
};

// Runs a command line and reports nothing (WinExec with SW_SHOW on Win32).
using CommandRunner = std::function<void(const std::string& commandLine)>;

// The placeholder of the Lyrics Master command template that the title replaces.
inline constexpr std::string_view kLyricsMasterTitleMark = "[title]";

// The assignment dialog reads the settings and runs the lyrics search through the form.
class TfrmMain : public FileSelectOwner {
public:
    // titleGet reads the player's caption and cuts the song title out of it (TitleGet() in
    // the program); lyricsWindow and runCommand must outlive the form.
    TfrmMain(const TTitleGet& titleGet, LyricsSink& lyricsWindow, CommandRunner runCommand);
    virtual ~TfrmMain() = default;
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // One title check: reads the player's caption, extracts the song title and, when it
    // differs from SongTitle byte for byte, stores it and runs RefreshLyrics. A tick that
    // comes while a check runs (a modal loop inside it: a slow automation call, an error
    // box) is skipped.
    virtual void tmrTitleCheckTimer();
    // Gives the lyrics window, if it exists, the display text of SongTitle, and puts that
    // text into the overlay text file, if one is set (whether the window is open or not).
    // With synced lyrics on and a lyrics file with time tags, the window gets the lines
    // around the line being sung instead, and the overlay file that line alone; the sync
    // timer then runs until what is shown changes next.
    virtual void RefreshLyrics();
    // Closes the lyrics window if it exists; otherwise creates it, gives it the current
    // text and only then shows it.
    virtual void ToggleLyricsWindow();
    virtual void CloseLyricsWindow();
    // Runs the Lyrics Master command for title (see LyricsMasterCommand).
    void SearchLyricsMaster(std::string_view title) override;
    bool LyricsMasterOn() const override { return settings_.lyricsMasterOn; }
    std::string PasteSavePath() const override { return settings_.pasteSavePath; }

    // Assign lyrics to this title: with no player, starts the player instead. Otherwise
    // opens the assignment dialog (unless it is open already) on the entry of SongTitle
    // and, on OK, assigns what the dialog ends with (AssignLyrics: an edited title never
    // renames the entry it started from).
    virtual void mitThisLyricClick();
    // The assignment dialog, made once the form is; until then the command does nothing.
    void AttachFileSelect(FileSelectDialog& dialog) { frmFileSelect_ = &dialog; }
    FileSelectDialog* FileSelect() const { return frmFileSelect_; }

    // Keeps the values LoadMainSettings read and gives the lyrics list its case
    // sensitivity. The check interval and the priority are the window's to apply. A new
    // lyrics folder or overlay file takes effect at once (RefreshLyrics), once the first
    // title check has run.
    void ApplyMainSettings(MainFormSettings settings);
    // What LoadMainSettings read, until then the settings file's defaults.
    const MainFormSettings& Settings() const { return settings_; }
    // The current song title; empty until a check finds another one.
    const std::string& SongTitle() const { return songTitle_; }

    // The display text of title: the lyrics list's, except that a title with no entry whose
    // lyrics file is in the lyrics folder (LyricsFolderFile) shows that file, whole, and one
    // with neither that the service knows as a song without words shows InstrumentalNote.
    // Nothing is added to the list.
    std::string DisplayTextOf(const std::string& title) const;
    // The lyrics file shown for title (what "メモ帳で開く" opens): its entry's, or for a
    // title with no entry its file in the lyrics folder; empty when there is none.
    std::string LyricsFileOf(const std::string& title) const;
    // The program's exit: the overlay text file, if one is set, is emptied, since nothing
    // is shown any more.
    void ClearOverlayText();

    // Synced lyrics. Whether a synced song is shown (in the window or the overlay file).
    bool SyncedSongShown() const { return sync_.Showing(); }
    // The sync timer has fired: what is shown follows the song's clock.
    void SyncTimerTick();
    // The user's correction of the synced song shown (tray items, arrow keys): deltaMs is
    // added to its title's correction (positive shows lines earlier), which is saved at once
    // in the corrections file. Nothing while no synced song is shown.
    void AdjustSyncCorrection(std::int32_t deltaMs);
    // The corrections file (VeskSync.csv beside Vesk.ini); it is read when a synced song is
    // first shown.
    void SetSyncCorrectionsPath(std::string path) { correctionsPath_ = std::move(path); }
    // The exit: corrections that could not be saved are tried once more.
    void SaveSyncCorrectionsAtExit();

    // The lyrics list. It changes only through the operations below, each of which saves
    // it through the one guarded save (TLyricsListFile: a list file that could not be read
    // is never written over, one changed by another program is read again first) and then
    // shows the current song's lyrics from the list as kept.
    // The list, for reading; nullptr before LoadLyricsList and after the exit's save.
    const TLyricsList* LyricsList() const { return listFile_.List(); }
    // The first entry of title, if it has one.
    std::optional<LyricsEntryFields> EntryOf(const std::string& title) const;
    // Updates the first entry of entry.title, or adds one, over the list file as it is now.
    // Whether the list file now holds the list; a failure is told to the user.
    bool AssignLyrics(const LyricsEntryFields& entry);
    // The list editor's OK: the list becomes the rows, whatever the file holds now (the
    // editor asks first when it changed since: LyricsListChangedSince).
    bool ReplaceLyricsRows(const ListViewRows& rows);
    // What the list last read or wrote of its file, and whether the file differs from that
    // now (another program changed it).
    const ListFileStamp& LyricsListStamp() const { return listFile_.Stamp(); }
    bool LyricsListChangedSince(const ListFileStamp& stamp) const {
        return listFile_.ChangedSince(stamp);
    }
    // The list file's folder has changed: a list file changed by another program is read
    // again and the lyrics of the current song shown from it. false when the file is held
    // by its writer and must be looked at again later.
    bool ListFileChanged();

    // Makes the list that of the file at listPath (empty when there is none). A file that
    // is there but cannot be read (another program holds it) is remembered as unread.
    void LoadLyricsList(const std::string& listPath);
    // The save at exit, behind the same check for changes made outside; entries made while
    // the file stayed unread, which are lost now, are told to the user. A failure is told
    // unless one was told already in this run. The list is freed after it.
    void SaveLyricsListAtExit();
    // Whether the list file was there at start-up but has not been read yet: another
    // program held it, or it gave no entries while holding more than blank lines.
    bool LyricsListUnread() const { return listFile_.Unread(); }
    // Whether the list file, in UTF-8 or UTF-16, holds characters the ANSI code page lacks:
    // it is then kept as read and never written (a save is told to the user as failed).
    bool LyricsListKeptAsRead() const { return listFile_.KeptAsRead(); }

    // Lyrics found online. With the setting on, a title that has neither an entry nor a file
    // in the lyrics folder is searched once per run, when the title check finds it (or the
    // setting is turned on while it plays). Until the result comes the window shows what it
    // shows for any title without lyrics.
    // The tray's "歌詞をインターネットで探す(&I)": searches the song playing now, also with
    // the setting off, and tells the user what came of it unless the lyrics were saved.
    virtual void mitSearchOnlineClick();
    // A search's end: lyrics found are saved as the title's file in the lyrics folder (made
    // if it is the default one), never over a file there, and shown at once if the title
    // still plays; a song without words shows InstrumentalNote while it has no lyrics;
    // nothing else is saved or shown, and only a search the user asked for is told.
    void TakeSearchResult(const SearchResult& result);
    // Where lyrics found online go while no lyrics folder is set (DefaultLyricsFolderIn the
    // program folder), with its trailing separator; empty: nowhere.
    void SetDefaultLyricsFolder(std::string folder);
    // The folder of the lyrics-folder look-up: the one set, else the default one once it
    // exists (looked for when settings are applied, and made by the first save).
    std::string LyricsFolderInUse() const;

protected:
    // Tells the user that the list could not be saved to path (the window layer shows
    // "歌詞リストを保存できません：" and the path).
    virtual void ShowListNotSaved(const std::string& path) { static_cast<void>(path); }
    // Tells the user that the overlay text file at path cannot be written; called at most
    // once per run.
    virtual void ShowOverlayNotWritten(const std::string& path) { static_cast<void>(path); }
    // Starts the search of title at the service address (the window layer: a worker
    // thread); its result is to come to TakeSearchResult.
    virtual void StartOnlineSearch(const std::string& serviceAddress, const std::string& title) {
        static_cast<void>(serviceAddress);
        static_cast<void>(title);
    }
    // Drops the searches not yet begun (they give no result); their titles.
    virtual std::vector<std::string> DropQueuedOnlineSearches() { return {}; }
    // Tells the user what came of the search they asked for (the window layer: a box);
    // problem: the search or the save failed.
    virtual void ShowSearchReport(const std::string& text, bool problem) {
        static_cast<void>(text);
        static_cast<void>(problem);
    }

    // The title check's end: title becomes the current song and, when it differs from
    // SongTitle byte for byte, its lyrics are shown.
    void TakeSongTitle(std::string title);
    // A steady clock in milliseconds, for the song's clock.
    virtual std::int64_t NowMs() const;
    // Sets the sync timer to fire once, after delayMs, in place of a set one; none stops it.
    // The window layer's; synced lyrics show nothing new without it.
    virtual void SetSyncTimer(std::optional<std::int64_t> delayMs) { static_cast<void>(delayMs); }
    // Takes list as the lyrics list without reading or writing a file (a list of the
    // derived form's own making).
    void UseLyricsList(std::unique_ptr<TLyricsList> list) { listFile_.Use(std::move(list)); }

private:
    // Every change of the list ends here: a failed save is told, then the lyrics of the
    // song playing now come from the list as kept (the save may have read the file again).
    bool ListChanged(TLyricsListFile::SaveResult result);
    void TellListNotSaved();

    const TTitleGet& titleGet_;
    MainFormSettings settings_;
    TLyricsListFile listFile_;
    std::string songTitle_;
    // The title's file in the lyrics folder when it has no entry; empty otherwise.
    std::string FolderFileOf(const std::string& title) const;
    void WriteOverlayText(const std::string& text);

    // With the setting on: searches the current song if it has no lyrics and was not
    // searched in this run.
    void SearchIfMissing();
    void StartSearch(const std::string& title, bool askedByUser);
    // The setting turned off or the address changed: the searches not yet begun go, except
    // those the user asked for, which are asked again at the address now set.
    void DropWaitingSearches();
    // path: the file written, the one there already, or the one that could not be made.
    OnlineSave SaveFoundLyrics(const SearchResult& result, std::string& path);

    SearchMemory searched_;
    // The titles whose search is under way, and whether the user asked for it.
    std::map<std::string, bool> searching_;
    // Titles the service knows as songs without words, in this run.
    std::set<std::string> instrumental_;
    std::string defaultLyricsFolder_;
    bool defaultFolderExists_ = false;
    bool savedInDefaultFolder_ = false;  // in this run
    // Synced lyrics: the clock follows the title check, the song shown through the timer.
    void TakeSyncClock(const std::string& title, std::optional<double> positionSeconds);
    std::optional<LrcTimeline> SyncedTimelineOf(const std::string& title) const;
    bool ShowSynced();
    void ShowSyncedView(bool newText);
    // Sets the timer for the first change after viewMs, the time what is shown shows.
    void ScheduleSync(std::int64_t viewMs);
    void StopSync();
    TSyncCorrections& Corrections();

    TLyricsSync sync_;
    std::optional<SyncedView> shownView_;
    bool syncTimerSet_ = false;
    std::string correctionsPath_;
    std::optional<TSyncCorrections> corrections_;
    bool correctionsUnsaved_ = false;

    bool listNotSavedTold_ = false;
    bool overlayNotWrittenTold_ = false;
    bool checking_ = false;
    bool checkedOnce_ = false;
    TOverlayText overlay_;
    FileSelectDialog* frmFileSelect_ = nullptr;
    LyricsSink& lyricsWindow_;
    CommandRunner runCommand_;
};

// The program's lyrics list file: its folder (with the trailing separator) and "Vesk.csv".
std::string LyricsListPathIn(std::string_view programFolder);
// Where lyrics found online go while no lyrics folder is set: the folder "Lyrics" in the
// program's folder, with its trailing separator.
std::string DefaultLyricsFolderIn(std::string_view programFolder);

// The Lyrics Master command for title: the template with its first "[title]" (case
// counting, at a character start) replaced by the title, in which every double quote has
// become "”" so that the title cannot end a quoted argument and add arguments of its own;
// a run of backslashes that ends the title before a quote of the template is doubled, so
// that it cannot escape that quote.
// A template without "[title]" stays as it is.
std::string LyricsMasterCommand(std::string_view commandTemplate, std::string_view title);

}  // namespace vesk
