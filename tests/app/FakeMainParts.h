#pragma once

// Counting stand-ins for the title check's collaborators.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/untMain.h"

namespace vesk::test {

// The player's caption is whatever the test sets; the extraction is the real one.
class ScriptedTitleGet : public TTitleGet {
public:
    std::string caption;
    mutable int reads = 0;
    mutable std::string className;
    mutable std::string filter;

    // The player's position, as Windows Media Player tells it (none for other players).
    std::optional<double> position;
    mutable int positionReads = 0;

    std::string GetPlayerCaption(std::string_view cls, std::string_view flt) const override {
        ++reads;
        className = cls;
        filter = flt;
        return caption;
    }
    PlayerReading ReadPlayer(std::string_view cls, std::string_view flt) const override {
        ++positionReads;
        return {GetPlayerCaption(cls, flt), position};
    }
};

// A lyrics list that counts the display texts asked of it.
class CountingLyrics : public TLyricsList {
public:
    mutable std::vector<std::string> asked;
    std::string DisplayText(const std::string& title) const override {
        asked.push_back(title);
        return "text of " + title;
    }
};

// The main form with a lyrics list and a song title of the test's own making.
class TestMainForm : public TfrmMain {
public:
    using TfrmMain::TakeSongTitle;
    using TfrmMain::TfrmMain;
    using TfrmMain::UseLyricsList;
};

// Gives form its settings as change leaves them.
template <class Change>
void ChangeSettings(TfrmMain& form, Change change) {
    MainFormSettings settings = form.Settings();
    change(settings);
    form.ApplyMainSettings(std::move(settings));
}

// Records what the main form asks of the lyrics window, in order.
class RecordingLyricsWindow : public LyricsSink {
public:
    bool exists = false;
    std::vector<std::string> events;

    bool LyricsWindowExists() const override { return exists; }
    void ShowLyrics(const std::string& text) override { events.push_back("show " + text); }
    // "synced" or "moved", the text, and the lit bytes.
    void ShowSyncedLyrics(const std::string& text, std::size_t litBegin, std::size_t litEnd,
                          Color litColor, bool newText) override {
        static_cast<void>(litColor);
        events.push_back(std::string(newText ? "synced " : "moved ") + text + " [" +
                         std::to_string(litBegin) + "," + std::to_string(litEnd) + ")");
    }
    void CreateLyricsWindow() override {
        exists = true;
        events.push_back("create");
    }
    void ShowLyricsWindow() override { events.push_back("open"); }
    void CloseLyricsWindow() override {
        exists = false;
        events.push_back("close");
    }
};

}  // namespace vesk::test
