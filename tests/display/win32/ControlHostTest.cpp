// Controls hosted by a real window: painted on WM_PAINT, laid out on WM_SIZE, fed with the
// window's mouse messages.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/win32/WinHandles.h"
#include "common/win32/Window.h"
#include "display/ShadoLbl.h"
#include "display/win32/ControlHost.h"
#include "display/win32/GdiCanvas.h"

namespace vesk {
namespace {

constexpr Color kRed = 0x000000FF;
constexpr Color kGreen = 0x0000C000;
constexpr Color kBlue = 0x00FF0000;
constexpr int kWidth = 200;
constexpr int kHeight = 120;

// The tests share one visible window, which is never destroyed: Wine waits two seconds for
// the X server whenever a mapped window goes away, but not when the process ends.
class HostWindow : public Window {
public:
    TWinControlHost* host = nullptr;
    std::vector<UINT> ownMouseMessages;
    int contextMenus = 0;

    bool Create() {
        WNDCLASSEXA windowClass{};
        windowClass.lpszClassName = "VeskControlHostTest";
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return CreateWindowObject(windowClass, WS_EX_TOOLWINDOW, "host", WS_POPUP | WS_VISIBLE, 40,
                                  40, kWidth, kHeight) != nullptr;
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (host != nullptr) {
            if (const auto result = host->HandleMessage(message, wParam, lParam)) {
                return *result;
            }
        }
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
            ownMouseMessages.push_back(message);
            return 0;
        }
        if (message == WM_CONTEXTMENU) {
            ++contextMenus;
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    }
};

// A fresh host on the shared window, at its first size, for each test.
class HostedTest : public testing::Test {
protected:
    void SetUp() override {
        static HostWindow* const shared = [] {
            auto* created = new HostWindow;
            created->Create();
            return created;
        }();
        window = shared;
        hwnd = window->Handle();
        ASSERT_NE(hwnd, nullptr);
        SetWindowPos(hwnd, nullptr, 0, 0, kWidth, kHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        window->ownMouseMessages.clear();
        window->contextMenus = 0;
        host.Attach(hwnd);
        window->host = &host;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    void TearDown() override {
        if (window != nullptr) {
            window->host = nullptr;
        }
    }

    HostWindow* window = nullptr;
    HWND hwnd = nullptr;
    TWinControlHost host;
};

Color PixelOf(HWND window, int x, int y) {
    UpdateWindow(window);
    const WindowDc dc(window);
    return GetPixel(dc.Get(), x, y);
}

// A label showing nothing but its background.
void PrepareBlock(TShadowLabel& label, Color color) {
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 100, 50);
    label.SetColor(color);
    label.Shadow().SetVisible(false);
    label.Highlight().SetVisible(false);
}

LPARAM Point(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

TEST_F(HostedTest, PaintsTheControlsOnTheWindow) {
    TShadowLabel label;
    PrepareBlock(label, kGreen);
    host.Add(label);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kGreen);
    EXPECT_EQ(PixelOf(hwnd, 109, 59), kGreen);
    EXPECT_EQ(PixelOf(hwnd, 5, 5), kClWhite);
    EXPECT_EQ(PixelOf(hwnd, 110, 60), kClWhite);

    label.SetColor(kBlue);  // repaints through the window's update region
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kBlue);
    label.SetTransparent(true);  // the window's background shows through
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kClWhite);
    host.SetBackground(kRed);
    EXPECT_EQ(PixelOf(hwnd, 5, 5), kRed);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kRed);

    host.SetDoubleBuffered(true);
    label.SetTransparent(false);
    label.SetColor(kGreen);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kGreen);
    InvalidateRect(hwnd, nullptr, TRUE);
    EXPECT_EQ(PixelOf(hwnd, 5, 5), kRed);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kGreen);

    label.SetVisible(false);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kRed);
    label.SetVisible(true);
    label.SetLeft(50);
    EXPECT_EQ(PixelOf(hwnd, 15, 15), kRed);
    EXPECT_EQ(PixelOf(hwnd, 55, 15), kGreen);
}

TEST_F(HostedTest, GradientsReachTheWindowTheRightWayUp) {
    TShadowLabel label;
    PrepareBlock(label, kBlue);  // 100 x 50 at (10, 10)
    label.SetGradation(true);
    label.SetGradationColor(kRed);
    label.SetGradateVert(true);
    host.Add(label);
    EXPECT_EQ(PixelOf(hwnd, 50, 10), kRed);
    EXPECT_EQ(PixelOf(hwnd, 50, 59), kBlue);
    label.SetGradateVert(false);
    label.SetFlickerless(false);
    label.Invalidate();
    EXPECT_EQ(PixelOf(hwnd, 10, 30), kRed);
    EXPECT_EQ(PixelOf(hwnd, 109, 30), kBlue);
}

TEST_F(HostedTest, AnchoredControlsFollowTheWindowsSize) {
    TShadowLabel label;
    PrepareBlock(label, kGreen);
    host.Add(label);
    label.SetAnchors(kAnchorsAll);
    SetWindowPos(hwnd, nullptr, 0, 0, kWidth + 60, kHeight + 40,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(label.BoundsRect(), (TRect{10, 10, 170, 100}));
    EXPECT_EQ(PixelOf(hwnd, 165, 95), kGreen);
    EXPECT_EQ(PixelOf(hwnd, 175, 105), kClWhite);
}

TEST_F(HostedTest, MouseGoesToTheControlUnderIt) {
    TShadowLabel label;
    PrepareBlock(label, kGreen);
    host.Add(label);
    std::vector<std::string> events;
    const auto record = [&](const char* what, int x, int y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    label.OnMouseDown = [&](TControl&, TMouseButton button, int x, int y) {
        record(button == TMouseButton::mbLeft ? "downL" : "downR", x, y);
    };
    label.OnMouseMove = [&](TControl&, int x, int y) { record("move", x, y); };
    label.OnMouseUp = [&](TControl&, TMouseButton button, int x, int y) {
        record(button == TMouseButton::mbLeft ? "upL" : "upR", x, y);
    };

    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(20, 30));
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(-10, 300));  // captured: still the label's
    SendMessageA(hwnd, WM_LBUTTONUP, 0, Point(-10, 300));
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, Point(15, 15));
    SendMessageA(hwnd, WM_RBUTTONUP, 0, Point(15, 15));
    EXPECT_EQ(events, (std::vector<std::string>{"downL 10,20", "move -20,290", "upL -20,290",
                                                "downR 5,5", "upR 5,5"}));
    EXPECT_TRUE(window->ownMouseMessages.empty());
    EXPECT_EQ(window->contextMenus, 1) << "a right click on the label opens the window's menu";

    // Outside the label, or on a disabled one: the window's own.
    events.clear();
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(150, 100));
    label.SetEnabled(false);
    SendMessageA(hwnd, WM_LBUTTONUP, 0, Point(20, 20));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(window->ownMouseMessages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(HostedTest, AutoSizeMeasuresWithDrawText) {
    Font font = NewFont();
    font.size = 12;
    TScreenCanvas screen;
    screen.SetFont(font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.Handle(), &metrics);
    const int line = metrics.tmHeight;

    TShadowLabel label;
    label.SetFont(font);
    label.SetBounds(100, 10, 50, 10);
    host.Add(label);
    EXPECT_EQ(label.Height(), line) << "an empty caption measures a blank";
    EXPECT_EQ(label.Width(), screen.TextWidth(" "));
    label.SetCaption("a\r\nb");
    EXPECT_EQ(label.Height(), 2 * line);
    label.SetCaption("&&");
    EXPECT_EQ(label.Width(), screen.TextWidth("&"));
    label.SetShowAccelChar(false);
    label.SetCaption("&&x");
    label.SetCaption("&&");  // measured without prefix handling now
    EXPECT_EQ(label.Width(), screen.TextWidth("&&"));

    // Word wrap within the current width: one word a line.
    label.SetWordWrap(true);
    label.SetWidth(1);
    label.SetCaption("aaa bbb ccc ddd");
    EXPECT_EQ(label.Height(), 4 * line);

    // Right-justified: the right edge stays.
    label.SetWordWrap(false);
    label.SetAlignment(TAlignment::taRightJustify);
    const int right = label.BoundsRect().right;
    label.SetCaption("ab");
    EXPECT_EQ(label.BoundsRect().right, right);
    EXPECT_EQ(label.Width(), screen.TextWidth("ab"));
}

TEST_F(HostedTest, PanelHostsControlsInsideAnotherWindow) {
    TControlPanel panel;
    ASSERT_TRUE(panel.Create(hwnd, 20, 20, 80, 60));
    TShadowLabel label;
    PrepareBlock(label, kBlue);
    label.SetBounds(0, 0, 40, 60);
    label.SetAnchors(kAnchorsAll);
    panel.Host().Add(label);
    EXPECT_EQ(PixelOf(panel.Handle(), 5, 5), kBlue);
    EXPECT_EQ(PixelOf(panel.Handle(), 45, 5), GetSysColor(COLOR_BTNFACE));
    MoveWindow(panel.Handle(), 20, 20, 100, 60, TRUE);
    EXPECT_EQ(label.Width(), 60);
}

}  // namespace
}  // namespace vesk
