#pragma once

// What the lyrics window tests share: a program folder of their own with its Vesk.ini and
// Vesk.csv, the main form and the program-wide reference to the window, message boxes
// answered by a second thread, and real mouse input.

#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <string>

#include "DesktopKit.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "app/win32/LyricsWindowSink.h"
#include "common/FileSystem.h"
#include "lyrics/untTLyricsList.h"
#include "title/untTitleGet.h"

namespace vesk::test {

// A program folder with the main form and the lyrics window's reference. The window is
// created by Open(); hidden windows (FormPos 3) cost nothing to destroy, visible ones
// about two seconds under Wine.
class LyricsRig {
public:
    explicit LyricsRig(const TPasteSave& pasteSave = PasteSave())
        : sink(folder / "Vesk.ini", pasteSave), main(TitleGet(), sink, [](const std::string&) {}) {
        main.LoadLyricsList(ListPath());
        sink.AttachMainForm(main);
    }

    std::string IniPath() const { return folder / "Vesk.ini"; }
    std::string ListPath() const { return folder / "Vesk.csv"; }

    // Vesk.ini with these lines in its "LyricsForm" section.
    void WriteSettings(const std::string& lines) const {
        ASSERT_TRUE(CurrentFileSystem().ReplaceFile(IniPath(), "[LyricsForm]\r\n" + lines));
    }
    // A file in the folder (ANSI name).
    std::string WriteFile(const std::string& name, const std::string& content) const {
        const std::string path = folder / name;
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(path, content));
        return path;
    }
    // A key of the settings file as the profile functions read it; "(none)" when missing.
    std::string IniValue(const std::string& key) const {
        char value[512] = {};
        GetPrivateProfileStringA("LyricsForm", key.c_str(), "(none)", value, sizeof(value),
                                 IniPath().c_str());
        return value;
    }

    TfrmLyrics& Open() {
        sink.CreateLyricsWindow();
        EXPECT_NE(sink.frmLyrics(), nullptr);
        return *sink.frmLyrics();
    }
    TfrmLyrics& Window() { return *sink.frmLyrics(); }
    HWND Handle() { return sink.frmLyrics()->Handle(); }

    TestFolder folder;
    TLyricsWindowSink sink;
    TestMainForm main;
};

// Handles the messages that have arrived, for about ms milliseconds.
inline void PumpMessages(int ms) {
    Pump(static_cast<DWORD>(ms));
}

// Real mouse input: the pointer to (x, y) on the screen, a left press or release there.
void MouseTo(int x, int y);
void LeftButton(bool down);

}  // namespace vesk::test
