// TfrmLyrics: the pop-up menu pupMain, its commands, and dropped files.

#include "display/win32/untLyricsForm.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>
#include <string_view>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/SongTitle.h"
#include "common/win32/DroppedFiles.h"
#include "common/win32/ShellOpen.h"
#include "display/win32/LyricsFormRes.h"
#include "editing/untPasteSave.h"

namespace vesk {

HMENU TfrmLyrics::pupMain() const {
    return GetSubMenu(menu_.Get(), 0);
}

void TfrmLyrics::pupMainPopup() {
    const HMENU popup = pupMain();
    const bool wanted = !owner_.PasteSavePath().empty();
    const bool present = GetMenuState(popup, IDM_LYRICS_PASTESAVE, MF_BYCOMMAND) != UINT(-1);
    if (wanted && !present) {
        // Back in its place, after mitReload.
        const int count = GetMenuItemCount(popup);
        int position = count;
        for (int i = 0; i < count; ++i) {
            if (GetMenuItemID(popup, i) == IDM_LYRICS_RELOAD) {
                position = i + 1;
            }
        }
        InsertMenuA(popup, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING,
                    IDM_LYRICS_PASTESAVE, pasteSaveCaption_.c_str());
    } else if (!wanted && present) {
        RemoveMenu(popup, IDM_LYRICS_PASTESAVE, MF_BYCOMMAND);
    }
}

void TfrmLyrics::mitSettingClick() {
    owner_.OpenSettings();
}

void TfrmLyrics::mitOpenTextClick() {
    OpenWithAssociatedProgram(Handle(), owner_.LyricsFileOf(owner_.SongTitle()));
}

void TfrmLyrics::mitReloadClick() {
    owner_.RefreshLyrics();
}

// The title is taken once: the confirmation box lets timer ticks through, and a song that
// changes meanwhile must not get the file written for this one.
void TfrmLyrics::mitPasteSaveClick() {
    LyricsFormOwner& owner = owner_;  // this window may be closed while the box is open
    const std::string folder = owner.PasteSavePath();
    const std::string title = owner.SongTitle();
    if (title == kPlayerNotFound) {
        return;  // no song to give lyrics to
    }
    if (owner.PasteSaver().Execute(folder, title)) {
        owner.AssignLyricsFile(title, TPasteSave::PathOf(folder, title));
    }
}

void TfrmLyrics::mitFixClick() {
    SetMenuCheck(IDM_LYRICS_FIX, !PositionFixed());
}

void TfrmLyrics::SetMenuCheck(UINT item, bool checked) {
    CheckMenuItem(pupMain(), item, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// Checks the item of FormPos 1 or 2; the radio group clears the other one.
void TfrmLyrics::CheckFormPosItem() {
    if (formPos_ == kFormPosTopMost || formPos_ == kFormPosBottom) {
        const UINT item = formPos_ == kFormPosTopMost ? IDM_LYRICS_TOPMOST : IDM_LYRICS_BOTTOM;
        CheckMenuRadioItem(pupMain(), IDM_LYRICS_TOPMOST, IDM_LYRICS_BOTTOM, item, MF_BYCOMMAND);
    }
}

// The first dropped path, whole however long it is; a folder is no lyrics file.
void TfrmLyrics::OnDropFiles(HDROP drop) {
    const DroppedFiles dropped(drop);
    if (dropped.Count() == 0) {
        return;
    }
    const std::string path = dropped.Path(0);
    if (CurrentFileSystem().KindOf(path) == FileSystem::Kind::Directory) {
        return;
    }
    LyricsFormOwner& owner = owner_;
    owner.AssignLyricsFile(owner.SongTitle(), path);
}

void TfrmLyrics::OnContextMenu(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {  // from the keyboard
        GetCursorPos(&point);
    }
    pupMainPopup();
    TrackPopupMenu(pupMain(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(),
                   nullptr);
}

bool TfrmLyrics::OnCommand(UINT item) {
    switch (item) {
        case IDM_LYRICS_SETTING:
            mitSettingClick();
            return true;
        case IDM_LYRICS_OPENTEXT:
            mitOpenTextClick();
            return true;
        case IDM_LYRICS_RELOAD:
            mitReloadClick();
            return true;
        case IDM_LYRICS_PASTESAVE:
            mitPasteSaveClick();
            return true;
        case IDM_LYRICS_BACKTRANSPARENT:
            mitBackTransparentClick();
            return true;
        case IDM_LYRICS_FIX:
            mitFixClick();
            return true;
        case IDM_LYRICS_TOPMOST:
            mitTopMostClick();
            return true;
        case IDM_LYRICS_BOTTOM:
            mitBottomClick();
            return true;
        case IDM_LYRICS_CLOSE:
            mitCloseClick();
            return true;
        default:
            return false;
    }
}

}  // namespace vesk
