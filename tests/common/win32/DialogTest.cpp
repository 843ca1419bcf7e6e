// The dialog base on real dialogs: modal and modeless ends, the anchoring table, the pixel
// tables' scaling, the number field, keys routed to a modeless dialog, and the
// single-instance reference.

#include "common/win32/Dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DesktopKit.h"
#include "DialogTestRes.h"
#include "common/win32/MessageLoop.h"
#include "common/win32/SingleWindow.h"
#include "common/win32/UpDownPair.h"
#include "common/win32/WindowDpi.h"

namespace vesk {
namespace {

constexpr DialogAnchor kAnchors[] = {
    {IDC_TEST_PREVIEW, kAnchorsAll},
    {IDOK, kAnchorsBottomRight},
    {IDCANCEL, kAnchorsBottomRight},
};

class TestDialog final : public Dialog {
public:
    TestDialog() : Dialog(IDD_TEST_DIALOG) {}

    // Runs inside OnInit, once the layout is taken.
    std::function<void(TestDialog&)> onInit;
    std::vector<int> scrolled;  // up-down ids, each time its position changed
    UpDownPair number{IDC_TEST_UPDOWN};

    RECT ItemRect(int id) const {
        RECT r{};
        GetWindowRect(Item(id), &r);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

protected:
    bool OnInit() override {
        SetClientSize(400, 240);
        SetAnchors(kAnchors);
        number.Attach(Handle(), 0, 3000);
        if (onInit) {
            onInit(*this);
        }
        return true;
    }
    void OnScroll(int id, int code) override {
        if (code == SB_THUMBPOSITION) {
            scrolled.push_back(id);
        }
    }
};

// Handles messages as the program's loop does, until done() holds or 3 s have passed.
bool RunLoopUntil(const std::function<bool()>& done) {
    const DWORD end = GetTickCount() + 3000;
    MSG msg{};
    while (!done() && GetTickCount() < end) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!RouteDialogMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        Sleep(10);
    }
    return done();
}

void PostKey(HWND target, UINT key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

TEST(DialogTest, ModalDialogLaysOutByItsTableAndEndsWithItsResult) {
    TestDialog dialog;
    RECT okBefore{}, okAfter{}, previewBefore{}, previewAfter{}, editBefore{}, editAfter{};
    SIZE minimum{};
    dialog.onInit = [&](TestDialog& d) {
        okBefore = d.ItemRect(IDOK);
        previewBefore = d.ItemRect(IDC_TEST_PREVIEW);
        editBefore = d.ItemRect(IDC_TEST_EDIT);
        RECT window{};
        GetWindowRect(d.Handle(), &window);
        SetWindowPos(d.Handle(), nullptr, 0, 0, window.right - window.left + 50,
                     window.bottom - window.top + 30, SWP_NOMOVE | SWP_NOZORDER);
        okAfter = d.ItemRect(IDOK);
        previewAfter = d.ItemRect(IDC_TEST_PREVIEW);
        editAfter = d.ItemRect(IDC_TEST_EDIT);
        MINMAXINFO info{};
        SendMessageA(d.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        minimum = {info.ptMinTrackSize.x, info.ptMinTrackSize.y};
        d.End(IDOK);
    };
    ASSERT_EQ(dialog.ShowModal(nullptr), IDOK);
    EXPECT_EQ(okAfter.left - okBefore.left, 50);
    EXPECT_EQ(okAfter.top - okBefore.top, 30);
    EXPECT_EQ(okAfter.right - okAfter.left, okBefore.right - okBefore.left);
    EXPECT_EQ(previewAfter.right - previewBefore.right, 50);
    EXPECT_EQ(previewAfter.bottom - previewBefore.bottom, 30);
    EXPECT_EQ(previewAfter.left, previewBefore.left);
    EXPECT_EQ(editAfter.left, editBefore.left);  // not in the table: stays put
    EXPECT_EQ(editAfter.top, editBefore.top);
    EXPECT_GT(minimum.cx, 400);  // the size at the table's taking, with its frame
    EXPECT_EQ(dialog.Handle(), nullptr);
}

// The program is not DPI-aware: its windows are at 96 DPI, where the tables place controls
// as written. At 144 DPI every number is half as large again, and an up-down goes with its
// moved buddy.
TEST(DialogTest, PixelTableScalesWithTheDpiAndTakesUpDownsAlong) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    EXPECT_EQ(WindowDpi(dialog.Handle()), 96);
    constexpr ControlPlace kTable[] = {{IDC_TEST_EDIT, 8, 8, 60, 20},
                                       {IDC_TEST_PREVIEW, 10, 40, 100, 51}};
    PlaceControls(dialog.Handle(), kTable, DpiScale(144));
    const RECT preview = dialog.ItemRect(IDC_TEST_PREVIEW);
    EXPECT_EQ(std::vector<LONG>({preview.left, preview.top, preview.right, preview.bottom}),
              std::vector<LONG>({15, 60, 165, 137}));  // 76.5 high: 77
    const RECT edit = dialog.ItemRect(IDC_TEST_EDIT);
    const RECT upDown = dialog.ItemRect(IDC_TEST_UPDOWN);
    EXPECT_EQ(std::vector<LONG>({edit.left, edit.top, edit.bottom, upDown.top}),
              std::vector<LONG>({12, 12, 42, 12}));
    EXPECT_LT(edit.right, 12 + 90);  // narrowed by the up-down at its right
    EXPECT_GT(upDown.right, edit.right);
    EXPECT_LE(upDown.right, 12 + 90);
    dialog.End(IDCANCEL);
}

TEST(DialogTest, NumberFieldKeepsItsRangeShowsNoSeparatorsAndReportsArrowKeys) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    dialog.Show();
    dialog.number.SetPosition(5000);
    EXPECT_EQ(dialog.number.Position(), 3000);
    dialog.number.SetPosition(2500);
    EXPECT_EQ(dialog.ItemText(IDC_TEST_EDIT), "2500");

    SetFocus(dialog.Item(IDC_TEST_EDIT));
    PostKey(dialog.Item(IDC_TEST_EDIT), VK_UP);
    EXPECT_TRUE(RunLoopUntil([&] { return !dialog.scrolled.empty(); }));
    EXPECT_EQ(dialog.number.Position(), 2501);
    EXPECT_EQ(dialog.scrolled.front(), IDC_TEST_UPDOWN);
    dialog.End(IDCANCEL);
}

TEST(DialogTest, EscInModelessDialogCancelsAndEmptiesItsReference) {
    SingleWindow<TestDialog> reference;
    auto dialog = std::make_unique<TestDialog>();
    ASSERT_TRUE(dialog->CreateModeless(nullptr));
    reference.Set(std::move(dialog));
    reference->Show();
    const HWND edit = reference->Item(IDC_TEST_EDIT);
    SetFocus(edit);
    PostKey(edit, VK_ESCAPE);
    EXPECT_TRUE(RunLoopUntil([&] { return !reference; }));
    EXPECT_FALSE(IsWindow(edit));
}

}  // namespace
}  // namespace vesk
