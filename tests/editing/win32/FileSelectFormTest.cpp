// The assignment dialog shown for real: the calling protocol, the number fields' arrows and
// keys, drops, the buttons the settings show, paste assignment, the layout, and staying on
// top of another program's topmost window. Few shows: each costs Wine about two seconds.
// Argument: fake_player.exe.

#include "editing/win32/untFileSelectForm.h"

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DesktopKit.h"
#include "TestArguments.h"
#include "TestFolder.h"
#include "TestText.h"
#include "common/FileSystem.h"
#include "title/win32/FakePlayerProcess.h"

namespace vesk {
namespace {

using test::Ansi;
using test::PumpUntil;

class RecordingOwner final : public FileSelectOwner {
public:
    bool lyricsMasterOn = false;
    std::string pasteSavePath;
    std::vector<std::string> searches;

    bool LyricsMasterOn() const override { return lyricsMasterOn; }
    std::string PasteSavePath() const override { return pasteSavePath; }
    void SearchLyricsMaster(std::string_view title) override { searches.emplace_back(title); }
};

// Runs a script from the modal loop once the dialog shows, while the object lives. The
// script ends the dialog.
std::function<void()> g_script;
TfrmFileSelect* g_dialog = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_dialog != nullptr && g_dialog->Showing() && IsWindowVisible(g_dialog->Handle())) {
        KillTimer(nullptr, timer);
        g_script();
    }
}

struct WhileShown {
    WhileShown(TfrmFileSelect& dialog, std::function<void()> script)
        : timer(SetTimer(nullptr, 0, 20, RunScript)) {
        g_dialog = &dialog;
        g_script = std::move(script);
    }
    ~WhileShown() { KillTimer(nullptr, timer); }
    UINT_PTR timer;
};

RECT Bounds(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int Width(HWND window) {
    return Bounds(window).right - Bounds(window).left;
}

// A press of the up or down arrow of an up-down control with the mouse.
void ClickArrow(HWND upDown, bool up) {
    const RECT r = Bounds(upDown);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, up ? 2 : r.bottom - r.top - 3);
    SendMessageA(upDown, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(upDown, WM_LBUTTONUP, 0, at);
}

void PostKey(HWND target, UINT key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// Files dropped from the shell, as the shell hands them over.
HDROP Drop(const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths) {
        list += path + '\0';
    }
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size() + 1);
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(files + 1, list.c_str(), list.size() + 1);  // ends with a second NUL
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) {
            return true;
        }
    }
    return false;
}

class FileSelectForm : public testing::Test {
protected:
    std::string Write(const std::string& utf8Name, const std::string& utf8Content) {
        const std::string path = folder / Ansi(utf8Name);
        EXPECT_TRUE(CurrentFileSystem().ReplaceFile(path, Ansi(utf8Content)));
        return path;
    }
    HWND Item(int id) const { return dialog.Item(id); }

    test::TestFolder folder;
    RecordingOwner owner;
    TfrmFileSelect dialog{owner, nullptr};
};

TEST_F(FileSelectForm, EditsAnEntryWithArrowsKeysDropsAndPasteAssignment) {
    const std::string song = Write("夏の雨.txt", "雨の音が\r\n窓をたたく\r\n夜が明ける\r\n");
    const std::string other = Write("星.txt", "星がひとつ\n");
    owner.lyricsMasterOn = true;
    owner.pasteSavePath = folder.Path();
    ASSERT_TRUE(test::PutTextOnClipboard(Ansi("貼り付けた歌詞\n二行目\n")));
    auto preview = [&] { return dialog.ItemText(IDC_FS_PREVIEW); };
    auto numbers = [&] {
        return dialog.ItemText(IDC_FS_START_LINE) + ".." + dialog.ItemText(IDC_FS_END_LINE);
    };

    const WhileShown script(dialog, [&] {
        const HWND form = dialog.Handle();
        char caption[64] = {};
        GetWindowTextA(form, caption, sizeof(caption));
        EXPECT_EQ(std::string(caption), Ansi("歌詞ファイル割り当て"));
        EXPECT_EQ(dialog.ItemText(IDC_FS_TITLE) + "|" + dialog.ItemText(IDC_FS_FILE),
                  Ansi("夏の雨|") + song);
        EXPECT_EQ(numbers(), "0..0");
        EXPECT_EQ(preview(), PreviewText(song, 0, 0));
        EXPECT_TRUE(IsWindowVisible(Item(IDC_FS_LYRICS_MASTER)));
        EXPECT_TRUE(IsWindowVisible(Item(IDC_FS_PASTE_SAVE)));
        EXPECT_EQ(Width(Item(IDC_FS_TITLE)), 153);
        EXPECT_EQ(Width(form), 395);
        EXPECT_EQ(Bounds(form).bottom - Bounds(form).top, 323);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Item(IDC_FS_PREVIEW), WM_GETFONT, 0, 0)),
                   sizeof(font), &font);
        EXPECT_EQ(std::string(font.lfFaceName), Ansi("ＭＳ ゴシック"));

        // The start by the mouse, the end by the keys; each change shows at once.
        ClickArrow(Item(IDC_FS_START_UPDOWN), true);
        ClickArrow(Item(IDC_FS_START_UPDOWN), true);
        PostKey(Item(IDC_FS_END_LINE), VK_UP);
        PostKey(Item(IDC_FS_END_LINE), VK_UP);
        EXPECT_TRUE(PumpUntil([&] { return numbers() == "2..2"; }));
        EXPECT_EQ(preview(), Ansi("  2|窓をたたく\r\n"));
        ClickArrow(Item(IDC_FS_START_UPDOWN), false);
        EXPECT_EQ(preview(), Ansi("  1|雨の音が\r\n  2|窓をたたく\r\n"));

        // Two files dropped: the first one counts. A folder is no lyrics file.
        SendMessageA(form, WM_DROPFILES, reinterpret_cast<WPARAM>(Drop({other, song})), 0);
        EXPECT_EQ(preview(), Ansi("  1|星がひとつ\r\n"));
        SendMessageA(form, WM_DROPFILES, reinterpret_cast<WPARAM>(Drop({folder.Path()})), 0);
        EXPECT_EQ(dialog.ItemText(IDC_FS_FILE), other);

        // The title as the user edits it goes to the search and names the pasted file.
        SetWindowTextA(Item(IDC_FS_TITLE), Ansi("雨/空?").c_str());
        SendMessageA(Item(IDC_FS_LYRICS_MASTER), BM_CLICK, 0, 0);
        EXPECT_EQ(owner.searches, std::vector<std::string>{Ansi("雨/空?")});
        auto box = test::AnswerBox(Ansi("貼り付け割り当て"), IDOK);
        SendMessageA(Item(IDC_FS_PASTE_SAVE), BM_CLICK, 0, 0);
        EXPECT_TRUE(box.get().found);
        EXPECT_EQ(preview(), Ansi("  1|貼り付けた歌詞\r\n  2|二行目\r\n"));
        SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.Edit({Ansi("夏の雨"), song, 0, 0}),
              (LyricsEntryFields{Ansi("雨/空?"), folder / Ansi("雨／空？.txt"), 1, 2}));
}

TEST_F(FileSelectForm, KeepsWhatTheUserLeftAloneStaysOnTopAndOpensWhereItWasLeft) {
    const std::string song = Write("歌.txt", "一\r\n二\r\n三\r\n");
    test::FakePlayerProcess player(test::Arguments().at(0), "VeskTest.TopMost", "Other program");
    ASSERT_TRUE(player.Started());
    const HWND other = FindWindowA("VeskTest.TopMost", nullptr);

    // The calling protocol step by step: a title cut in the middle of a double-byte
    // character, numbers outside the fields' range.
    const std::string cutTitle = "Rain " + Ansi("雨").substr(0, 1);
    dialog.SetTitleText(cutTitle);
    dialog.SetLyricsFileText("");
    dialog.SetStartLine(70000);
    dialog.SetEndLine(-3);
    dialog.UpdatePreview();
    RECT left{};
    std::optional<WhileShown> script(std::in_place, dialog, [&] {
        const HWND form = dialog.Handle();
        EXPECT_FALSE(IsWindowVisible(Item(IDC_FS_LYRICS_MASTER)));
        EXPECT_FALSE(IsWindowVisible(Item(IDC_FS_PASTE_SAVE)));
        EXPECT_EQ(Width(Item(IDC_FS_TITLE)), 225);
        EXPECT_EQ(dialog.ItemText(IDC_FS_START_LINE) + ".." + dialog.ItemText(IDC_FS_END_LINE),
                  "3000..0");
        EXPECT_EQ(dialog.ItemText(IDC_FS_PREVIEW), Ansi("未読み込み"));
        SetWindowTextA(Item(IDC_FS_FILE), song.c_str());
        EXPECT_EQ(dialog.ItemText(IDC_FS_PREVIEW), Ansi("  1|一\r\n  2|二\r\n  3|三\r\n"));

        // Wider: the preview grows and OK keeps to the corner.
        const RECT previewBefore = Bounds(Item(IDC_FS_PREVIEW));
        const RECT okBefore = Bounds(Item(IDOK));
        SetWindowPos(form, nullptr, 0, 0, 395 + 60, 323, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(Width(Item(IDC_FS_PREVIEW)) - (previewBefore.right - previewBefore.left), 60);
        EXPECT_EQ(Bounds(Item(IDOK)).left - okBefore.left, 60);
        left = Bounds(form);

        // Another program's window comes on top of the topmost ones; once the user turns
        // to it, the dialog goes above it again.
        SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        EXPECT_TRUE(PumpUntil([&] { return Above(other, form); })) << "the other window on top";
        SetForegroundWindow(other);
        EXPECT_TRUE(PumpUntil([&] { return Above(form, other); }, 5000));
        SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
    });
    ASSERT_EQ(dialog.ShowModal(), IDOK);
    EXPECT_EQ(dialog.TitleText(), cutTitle);
    EXPECT_EQ(dialog.StartLine(), 70000);
    EXPECT_EQ(dialog.EndLine(), -3);

    // Again where it was left; closed from outside as cancelled.
    RECT again{};
    script.emplace(dialog, [&] {
        again = Bounds(dialog.Handle());
        dialog.Close();
    });
    EXPECT_EQ(dialog.Edit({"Rain", song, 1, 2}), std::nullopt);
    EXPECT_TRUE(EqualRect(&again, &left));
}

}  // namespace
}  // namespace vesk
