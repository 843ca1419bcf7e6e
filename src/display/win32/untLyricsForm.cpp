#include "display/win32/untLyricsForm.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <utility>

#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/win32/ErrorReport.h"
#include "common/win32/SystemColors.h"
#include "display/ScreenPlacement.h"
#include "display/win32/LyricsFormRes.h"
#include "display/win32/Monitors.h"
#include "settings/KelpIniFile.h"

namespace vesk {

// The rules' hit-test codes and layered-window flags go to the system as they are.
static_assert(kHtClient == HTCLIENT && kHtLeft == HTLEFT && kHtRight == HTRIGHT);
static_assert(kHtTop == HTTOP && kHtTopLeft == HTTOPLEFT && kHtTopRight == HTTOPRIGHT);
static_assert(kHtBottom == HTBOTTOM && kHtBottomLeft == HTBOTTOMLEFT &&
              kHtBottomRight == HTBOTTOMRIGHT);
static_assert(kLwaColorKey == LWA_COLORKEY && kLwaAlpha == LWA_ALPHA);

namespace {

constexpr char kClassName[] = "TfrmLyrics";
constexpr ProgramText kCaption{"歌詞"};

// The window's place in the z-order for the two fixed modes; nullptr for any other.
HWND FixedInsertAfter(ZOrderPlace place) {
    switch (place) {
        case ZOrderPlace::kTopMost:
            return HWND_TOPMOST;
        case ZOrderPlace::kBottom:
            return HWND_BOTTOM;
        default:
            return nullptr;
    }
}

std::int32_t AlignmentSetting(TAlignment alignment) {
    switch (alignment) {
        case TAlignment::taCenter:
            return 1;
        case TAlignment::taRightJustify:
            return 2;
        default:
            return 0;
    }
}

}  // namespace

TfrmLyrics::TfrmLyrics(LyricsFormOwner& owner, std::string iniPath)
    : owner_(owner), iniPath_(std::move(iniPath)) {}

TfrmLyrics::~TfrmLyrics() = default;

bool TfrmLyrics::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.lpszClassName = kClassName;
    const HWND window = CreateWindowObject(windowClass, 0, kCaption.Ansi().c_str(), WS_POPUP,
                                           kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight);
    if (window == nullptr) {
        return false;
    }
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);

    menu_.Reset(LoadMenuA(ProgramInstance(), MAKEINTRESOURCEA(IDR_LYRICS_POPUP)));
    char caption[256] = {};
    GetMenuStringA(pupMain(), IDM_LYRICS_PASTESAVE, caption, sizeof(caption), MF_BYCOMMAND);
    pasteSaveCaption_ = caption;

    host_.Attach(window);
    host_.SetBackground(backColor_);

    // The design size at the window's DPI; its place is the screen's.
    const DpiScale scale = Scale();
    SetBounds({kDesignLeft, kDesignTop, kDesignLeft + scale(kDesignWidth),
               kDesignTop + scale(kDesignHeight)});
    const int margin = scale(kLyricsLabelMargin);
    slbLyrics.SetFont(LabelFontOf(NewFont()));
    slbLyrics.SetAutoSize(false);
    slbLyrics.SetBounds(margin, margin, scale(kDesignWidth) - 2 * margin,
                        scale(kDesignHeight) - 2 * margin);
    slbLyrics.SetColor(backColor_);
    slbLyrics.SetTransparent(true);
    slbLyrics.SetWordWrap(true);
    slbLyrics.SetAlignment(TAlignment::taLeftJustify);
    // Lyrics and titles are shown as they are: "R&B" is no accelerator.
    slbLyrics.SetShowAccelChar(false);
    slbLyrics.Shadow().SetVisible(false);
    slbLyrics.Highlight().SetVisible(false);
    slbLyrics.OnMouseDown = [this](TControl&, TMouseButton button, int x, int y) {
        FormMouseDown(button, x, y);
    };
    slbLyrics.OnMouseMove = [this](TControl&, int x, int y) { FormMouseMove(x, y); };
    slbLyrics.OnMouseUp = [this](TControl&, TMouseButton, int, int) { FormMouseUp(); };
    host_.Add(slbLyrics);
    slbLyrics.SetAnchors(kAnchorsAll);

    try {
        LoadSettings();
    } catch (const std::exception&) {
        settingsError_ = std::current_exception();
    }
    // Its saved place may be on a monitor removed since.
    if (const auto placed = PlacedOnScreen(Bounds(), DisplayMonitors())) {
        SetBounds(*placed);
    }
    return true;
}

void TfrmLyrics::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TfrmLyrics::ShowLyrics(const std::string& text) {
    litText_.clear();
    litRange_ = {};
    fader_.ShowLyrics(*this, fadeInOut_, text);
}

void TfrmLyrics::ShowSyncedLines(const std::string& text, TextRange lit, Color litColor,
                                 bool newText) {
    litColor_ = litColor;
    slbLyrics.SetLitColor(NudgedColor(litColor_, backColor_));
    if (!newText && !fader_.Fading() && text == slbLyrics.Caption()) {
        // The label alone is repainted, at once.
        host_.HoldRepaints();
        slbLyrics.SetLitRange(lit);
        host_.ReleaseRepaints(!backTransparent_);
        return;
    }
    litText_ = text;
    litRange_ = lit;
    if (newText || fader_.Fading()) {
        fader_.ShowLyrics(*this, fadeInOut_, text);  // during a fade it follows the fade
    } else {
        SetTextAndFit(text, true);
    }
}

LyricsWindowSettings TfrmLyrics::CurrentSettings() const {
    LyricsWindowSettings s;
    const TRect bounds = Bounds();
    s.font = slbLyrics.Font();
    s.size = {bounds.Width(), bounds.Height()};
    s.position = {bounds.left, bounds.top};
    s.alphaBlend = alphaBlend_;
    s.alphaBlendValue = alphaBlendValue_;
    s.backColor = backColor_;
    s.backTransparent = backTransparent_;
    s.formPos = formPos_;
    s.fadeInOut = fadeInOut_;
    s.formFix = PositionFixed();
    s.fitBottom = fitting_.fitBottom;
    s.fitRight = fitting_.fitRight;
    s.changeWidth = fitting_.changeWidth;
    s.alignment = AlignmentSetting(slbLyrics.Alignment());
    s.shadowColor = slbLyrics.Shadow().Color();
    s.shadowLeft = Scale().Unscaled(slbLyrics.Shadow().OffsetLeft());
    s.shadowTop = Scale().Unscaled(slbLyrics.Shadow().OffsetTop());
    s.shadowHighLight = slbLyrics.Highlight().Visible();
    return s;
}

void TfrmLyrics::ApplyKeys(const LyricsWindowSettings& s) {
    slbLyrics.SetFont(LabelFontOf(s.font));
    const int left = ClampedCoordinate(s.position.left);
    const int top = ClampedCoordinate(s.position.top);
    SetBounds({left, top, left + ClampedCoordinate(s.size.width),
               top + ClampedCoordinate(s.size.height)});
    SetAlphaBlend(s.alphaBlend);
    SetAlphaBlendValue(static_cast<std::uint8_t>(s.alphaBlendValue & 0xFF));
    SetBackColor(s.backColor);
    SetBackTransparent(s.backTransparent);
    formPos_ = s.formPos;
    fadeInOut_ = s.fadeInOut;
    SetMenuCheck(IDM_LYRICS_FIX, s.formFix);
    fitting_.fitBottom = s.fitBottom;
    fitting_.fitRight = s.fitRight;
    fitting_.changeWidth = s.changeWidth;
    slbLyrics.Shadow().SetColor(s.shadowColor);
    slbLyrics.Shadow().SetOffsetLeft(Scale()(s.shadowLeft));
    slbLyrics.Shadow().SetOffsetTop(Scale()(s.shadowTop));
    slbLyrics.Highlight().SetVisible(s.shadowHighLight);
}

void TfrmLyrics::LoadSettings() {
    // Read while another program held the file, the settings are only defaults; stopped by
    // a colour that cannot be read, the keys after it are. Closing must not write such
    // values over the user's.
    const bool unreadable = ExistsButCannotBeRead(iniPath_);
    LyricsWindowSettings settings = CurrentSettings();
    std::size_t keysRead = 0;
    try {
        ReadLyricsWindowSettings(iniPath_, settings, &keysRead);
    } catch (const IniConvertError&) {
        keysRead_ = unreadable ? 0 : keysRead;
        ApplyKeys(settings);
        throw;
    }
    keysRead_ = unreadable ? 0 : keysRead;
    ApplyKeys(settings);

    Font font = slbLyrics.Font();
    font.color = NudgedColor(font.color, backColor_);
    slbLyrics.SetFont(font);
    const Color shadowColor = NudgedColor(slbLyrics.Shadow().Color(), backColor_);
    slbLyrics.SetLitColor(NudgedColor(litColor_, backColor_));
    if (backTransparent_) {
        SetMenuCheck(IDM_LYRICS_BACKTRANSPARENT, true);
    }
    CheckFormPosItem();
    if (const auto alignment = AlignmentOfSetting(settings.alignment)) {
        slbLyrics.SetAlignment(*alignment);
    }
    ApplyShadowSettings(slbLyrics, shadowColor, settings.shadowLeft, settings.shadowTop,
                        settings.shadowHighLight, Scale());
    ApplyZOrder();
}

void TfrmLyrics::FitToText() {
    FitAfter([] {}, false);
}

// The label's repaint requests of the change and the fit are held and asked of the window
// as one, with the whole window when it is repainted at once.
void TfrmLyrics::FitAfter(const std::function<void()>& change, bool paintAtOnce) {
    const HWND window = Handle();
    const bool buffered = !backTransparent_;
    const TRect before = Bounds();
    if (buffered) {
        host_.SetDoubleBuffered(true);
    }
    host_.HoldRepaints();
    change();
    FitLabelToText(slbLyrics, *this, fitting_, Scale());
    if (!buffered) {
        host_.ReleaseRepaints();
        return;
    }
    host_.SetDoubleBuffered(false);
    host_.InvalidateRect({0, 0, host_.ClientWidth(), host_.ClientHeight()}, true);
    // Synced lines moving on in a window of the same size are painted at once; anything else
    // through the window system's repaint, which also covers what a move uncovered.
    const bool atOnce = paintAtOnce && Bounds() == before;
    host_.ReleaseRepaints(atOnce);
    if (!atOnce) {
        UpdateWindow(window);
    }
}

void TfrmLyrics::ReturnToScreen() {
    const TRect bounds = Bounds();
    constexpr int kReturnWidth = 300;
    SetBounds({0, 0, Scale()(kReturnWidth), bounds.Height()});
    FitToText();
}

void TfrmLyrics::ToggleBackTransparent() {
    SetBackTransparent(!backTransparent_);
    SetMenuCheck(IDM_LYRICS_BACKTRANSPARENT, backTransparent_);
}

void TfrmLyrics::ToggleTopMost() {
    formPos_ = ToggledTopMost(formPos_);
    if (formPos_ == kFormPosTopMost) {
        CheckFormPosItem();
    } else {
        SetMenuCheck(IDM_LYRICS_TOPMOST, false);
    }
    ApplyZOrder();
}

void TfrmLyrics::ToggleBottom() {
    formPos_ = ToggledBottom(formPos_);
    if (formPos_ == kFormPosBottom) {
        CheckFormPosItem();
    } else {
        SetMenuCheck(IDM_LYRICS_BOTTOM, false);
    }
    ApplyZOrder();
}

// The window is never activated here: on the application's deactivation that would take the
// activation back from the program the user has just switched to.
void TfrmLyrics::ApplyZOrder() {
    const HWND window = Handle();
    constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    const ZOrderPlace place = ApplyZOrderPlace(formPos_);
    if (place == ZOrderPlace::kNoTopMost) {
        SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeep);
        ShowWindow(window, SW_SHOWNA);
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, kKeep);
    } else if (const HWND insertAfter = FixedInsertAfter(place)) {
        SetWindowPos(window, insertAfter, 0, 0, 0, 0, kKeep);
    }
}

void TfrmLyrics::Close() {
    const HWND window = Handle();
    if (window == nullptr || closing_) {
        return;
    }
    closing_ = true;
    try {
        WriteLyricsWindowState(iniPath_, State(), keysRead_);
    } catch (const std::exception& error) {
        // Not saving the window's place is no reason to keep it open.
        ReportError(window, error);
    }
    DestroyWindow(window);  // the owner lets go of this object now
}

bool TfrmLyrics::PositionFixed() const {
    return (GetMenuState(pupMain(), IDM_LYRICS_FIX, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

LyricsWindowState TfrmLyrics::State() const {
    LyricsWindowState state;
    const TRect bounds = Bounds();
    state.font = slbLyrics.Font();
    state.size = {bounds.Width(), bounds.Height()};
    state.position = {bounds.left, bounds.top};
    state.backTransparent = backTransparent_;
    state.formPos = formPos_;
    state.formFix = PositionFixed();
    return state;
}

TRect TfrmLyrics::Bounds() const {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void TfrmLyrics::SetBounds(const TRect& bounds) {
    const TRect limited = ConstrainedBounds(bounds, Scale());
    // Fitting a text of the same size (synced lines moving on) moves nothing: no round trip.
    if (limited == Bounds()) {
        return;
    }
    SetWindowPos(Handle(), nullptr, limited.left, limited.top, limited.Width(), limited.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmLyrics::SetAlphaBlend(bool alphaBlend) {
    if (alphaBlend_ != alphaBlend) {
        alphaBlend_ = alphaBlend;
        ApplyLayeredAttributes();
    }
}

void TfrmLyrics::SetAlphaBlendValue(std::uint8_t value) {
    if (alphaBlendValue_ != value) {
        alphaBlendValue_ = value;
        ApplyLayeredAttributes();
    }
}

void TfrmLyrics::WaitFadeStep() {
    if (fadeWait_) {
        fadeWait_();
    } else {
        Sleep(kFadeStepMilliseconds);
    }
}

void TfrmLyrics::SetTextAndFit(const std::string& text) {
    SetTextAndFit(text, false);
}

void TfrmLyrics::SetTextAndFit(const std::string& text, bool paintAtOnce) {
    FitAfter(
        [&] {
            slbLyrics.SetLitRange(text == litText_ ? litRange_ : TextRange{});
            slbLyrics.SetCaption(text);
        },
        paintAtOnce);
}

// The colour key is always the background colour.
void TfrmLyrics::SetBackColor(Color color) {
    if (backColor_ != color) {
        backColor_ = color;
        host_.SetBackground(color);
        slbLyrics.SetColor(color);
        ApplyLayeredAttributes();
    }
}

void TfrmLyrics::SetBackTransparent(bool backTransparent) {
    if (backTransparent_ != backTransparent) {
        backTransparent_ = backTransparent;
        ApplyLayeredAttributes();
    }
}

void TfrmLyrics::ApplyLayeredAttributes() {
    const HWND window = Handle();
    if (window == nullptr) {
        return;
    }
    const LayeredRule rule = LayeredRuleOf(alphaBlend_, backTransparent_);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    if (rule.layered) {
        if ((exStyle & WS_EX_LAYERED) == 0) {
            SetWindowLongA(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        }
        SetLayeredWindowAttributes(window, RgbOf(backColor_), alphaBlendValue_, rule.flags);
    } else {
        if ((exStyle & WS_EX_LAYERED) != 0) {
            SetWindowLongA(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        }
        RedrawWindow(window, nullptr, nullptr,
                     RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TfrmLyrics::FormMouseDown(TMouseButton button, int x, int y) {
    drag_.MouseDown(PositionFixed(), button, x, y);
}

void TfrmLyrics::FormMouseMove(int x, int y) {
    const auto offset = drag_.MouseMove(x, y);
    if (!offset || (offset->dx == 0 && offset->dy == 0)) {
        return;
    }
    const TRect bounds = Bounds();
    SetWindowPos(Handle(), nullptr, bounds.left + offset->dx, bounds.top + offset->dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmLyrics::FormMouseUp() {
    drag_.MouseUp();
}

LRESULT TfrmLyrics::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) {
        return OnHitTest(lParam);
    }
    // A drag that the window's own client area began stays with the window, even when the
    // pointer runs ahead of it over the label.
    if (windowDrag_ && (message == WM_MOUSEMOVE || message == WM_LBUTTONUP ||
                        message == WM_RBUTTONUP || message == WM_MBUTTONUP)) {
        if (message == WM_MOUSEMOVE) {
            FormMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
        windowDrag_ = false;
        FormMouseUp();
        if (GetCapture() == Handle()) {
            ReleaseCapture();
        }
        return DefaultHandling(message, wParam, lParam);
    }
    if (const auto result = host_.HandleMessage(message, wParam, lParam)) {
        return *result;
    }
    switch (message) {
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
            break;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {Scale()(kLyricsFormMinWidth), Scale()(kLyricsFormMinHeight)};
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            FormMouseDown(MouseButtonOf(message).value_or(TMouseButton::mbLeft),
                          GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (drag_.Dragging() && message == WM_LBUTTONDOWN) {
                windowDrag_ = true;
                SetCapture(Handle());
            }
            break;
        case WM_MOUSEMOVE:
            FormMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            FormMouseUp();
            break;
        case WM_CAPTURECHANGED:
            // A drag needs the pressed button; with the capture gone no release would come.
            if (reinterpret_cast<HWND>(lParam) != Handle()) {
                windowDrag_ = false;
                FormMouseUp();
            }
            break;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0 && OnCommand(LOWORD(wParam))) {
                return 0;  // the command may have closed the window
            }
            break;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RIGHT || wParam == VK_LEFT) {
                owner_.ShiftSyncedLyrics(wParam == VK_RIGHT);
                return 0;
            }
            break;
        case WM_SHOWWINDOW:
            if (wParam != FALSE) {
                DragAcceptFiles(Handle(), TRUE);
            }
            break;
        case WM_ACTIVATEAPP:
            if (wParam == FALSE) {
                ApplyZOrder();
            }
            break;
        case WM_CLOSE:
            Close();
            return 0;
        default:
            break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TfrmLyrics::OnHitTest(LPARAM lParam) {
    const LRESULT result = DefaultHandling(WM_NCHITTEST, 0, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(Handle(), &point);
    const TRect bounds = Bounds();
    return LyricsHitTest(point.x, point.y, bounds.Width(), bounds.Height(),
                         static_cast<int>(result), Scale());
}

// The top-left corner stays where the user put it; the text is measured again at the new
// DPI, in the margins and with the shadow offsets of the new DPI.
void TfrmLyrics::OnDpiChanged(const DpiScale& old, const RECT& suggested) {
    const DpiScale scale = Scale();
    host_.SetDpi(scale.Dpi());
    const TShadow& shadow = slbLyrics.Shadow();
    ApplyShadowSettings(slbLyrics, shadow.Color(), old.Unscaled(shadow.OffsetLeft()),
                        old.Unscaled(shadow.OffsetTop()), slbLyrics.Highlight().Visible(), scale);
    const TRect bounds = Bounds();
    SetBounds({bounds.left, bounds.top, bounds.left + (suggested.right - suggested.left),
               bounds.top + (suggested.bottom - suggested.top)});
    const TRect sized = Bounds();
    const int margin = scale(kLyricsLabelMargin);
    slbLyrics.SetBounds(margin, margin, sized.Width() - 2 * margin, sized.Height() - 2 * margin);
    FitToText();
}

void TfrmLyrics::OnWindowPosChanging(WINDOWPOS& pos) const {
    if (const HWND insertAfter = FixedInsertAfter(ForcedInsertAfter(formPos_))) {
        pos.hwndInsertAfter = insertAfter;
    }
    if ((pos.flags & SWP_NOSIZE) == 0) {
        pos.cx = std::max(pos.cx, Scale()(kLyricsFormMinWidth));
        pos.cy = std::max(pos.cy, Scale()(kLyricsFormMinHeight));
    }
}

}  // namespace vesk
