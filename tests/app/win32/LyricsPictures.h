#pragma once

// Pictures of the lyrics window for the end-to-end tests: the program's own window class,
// drawing in the test process, shows what Vesk.exe's window must look like.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesktopKit.h"
#include "ScreenCapture.h"
#include "TestFolder.h"
#include "TestText.h"
#include "app/FakeMainParts.h"
#include "app/untMain.h"
#include "app/win32/LyricsWindowSink.h"
#include "app/win32/VeskDriver.h"
#include "common/FileSystem.h"
#include "lyrics/untTLyricsList.h"
#include "title/untTitleGet.h"

namespace vesk::test {

// The lyrics window settings of the picture test; only the position differs between the
// program's window and the reference.
inline constexpr char kLyricsWindowKeys[] =
    "Font.Name=ＭＳ Ｐゴシック\r\nFont.Size=12\r\nFormSize.XSize=360\r\nFormSize.YSize=60\r\n"
    "FormPos=1\r\n";

// The program's own lyrics window class, drawing in this process: the reference picture of
// a display text. Made once and never destroyed, since Wine takes two seconds to destroy a
// visible window.
class ReferenceLyrics {
public:
    static ReferenceLyrics& Instance() {
        static ReferenceLyrics* reference = new ReferenceLyrics;
        return *reference;
    }

    ScreenPicture Show(const std::string& utf8Text) {
        sink_->frmLyrics()->ShowLyrics(Ansi(utf8Text));
        Pump(100);
        return PictureOf(sink_->frmLyrics()->Handle());
    }

private:
    ReferenceLyrics() {
        // The window reads its settings when it is made and writes them only when it
        // closes, which it never does: the folder can go at once.
        const TestFolder folder;
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(
            folder / "Vesk.ini", Ansi(std::string("[LyricsForm]\r\n") + kLyricsWindowKeys +
                                      "FormClientPos.X=700\r\nFormClientPos.Y=560\r\n")));
        sink_ = std::make_unique<TLyricsWindowSink>(folder / "Vesk.ini");
        auto main = std::make_unique<TestMainForm>(TitleGet(), *sink_, [](const std::string&) {});
        main->UseLyricsList(std::make_unique<TLyricsList>());
        main_ = std::move(main);
        sink_->AttachMainForm(*main_);
        sink_->CreateLyricsWindow();
        sink_->ShowLyricsWindow();
    }

    std::unique_ptr<TLyricsWindowSink> sink_;
    std::unique_ptr<TfrmMain> main_;
};

// Waits until the window shows the picture; saves both pictures when it does not.
inline void ExpectShows(HWND window, const ScreenPicture& expected, const std::string& name) {
    ScreenPicture shown;
    if (!PumpUntil(
            [&] {
                shown = PictureOf(window);
                return SamePicture(shown, expected);
            },
            10000)) {
        ADD_FAILURE() << "the lyrics window does not show " << name;
        SaveForInspection(shown, name + "_shown");
        SaveForInspection(expected, name + "_expected");
    }
}

}  // namespace vesk::test
