#pragma once

// The program put together in this process as WinMain does (application window, lyrics
// window reference, main form) on a program folder of its own. The form is made by the
// test (form->Create()), so that it can prepare the moment first; the form is closed, if
// still open, when this goes.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesktopKit.h"
#include "app/win32/ApplicationWindow.h"
#include "app/win32/MainWindow.h"
#include "app/win32/LyricsWindowSink.h"
#include "settings/VeskSettings.h"

namespace vesk::test {

class InProcessVesk {
public:
    // folder: the program folder, with its trailing separator.
    explicit InProcessVesk(const std::string& folder) : lyricsWindow(SettingsFilePathIn(folder)) {
        EXPECT_TRUE(application.Create());
        form = std::make_unique<TMainWindow>(application.Handle(), folder, lyricsWindow);
        lyricsWindow.AttachMainForm(*form);
    }
    ~InProcessVesk() {
        if (IsWindow(form->Handle())) {
            SendMessageA(form->Handle(), WM_CLOSE, 0, 0);
        }
        Pump(100);  // takes the end of the form's message loop out of this thread's queue
    }
    InProcessVesk(const InProcessVesk&) = delete;
    InProcessVesk& operator=(const InProcessVesk&) = delete;

    ApplicationWindow application;
    TLyricsWindowSink lyricsWindow;
    std::unique_ptr<TMainWindow> form;
};

}  // namespace vesk::test
