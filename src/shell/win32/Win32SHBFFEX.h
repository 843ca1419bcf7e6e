#pragma once

// TSHBrowseForFolderEx: lets the user pick a folder with the shell's folder browser
// (SHBrowseForFolderA). It chooses the root of the folder tree and the folder selected at
// the start by name or by special folder, places the browser window (centred on the
// screen or at its owner form's client area), can show the selected path as status text,
// and reports each change of selection to an event that may set the status text and
// enable or disable the OK button.
//
//   TSHBrowseForFolderEx fldOpen(Handle(), applicationWindow);
//   fldOpen.SelectFolder = sfManual;
//   fldOpen.ShowStyle = ssCenterScreen;
//   fldOpen.SelectFolderName = current;
//   if (fldOpen.Execute()) use(fldOpen.FolderPath());
//
// Setting a property only stores it; everything happens in Execute.

#include <windows.h>

#include <functional>
#include <string>

#include "shell/SHBFFEX.h"

namespace vesk {

class TSHBrowseForFolderEx;

// A change of selection: the browser window, the new selection's file-system path (empty
// when it has none), and the status text (initially empty) and the OK button's state
// (initially obsUnchanged) that the handler may set.
using TSHBrowseEvent =
    std::function<void(TSHBrowseForFolderEx& sender, HWND wnd, const std::string& path,
                       std::string& showText, TOKButtonState& okButtonState)>;

class TSHBrowseForFolderEx {
public:
    // owner: the form the component serves (nullptr: none). It owns the browser window and
    // is disabled while the browser runs; ssClient places the browser at its client area.
    // applicationWindow: the program's hidden top-level window, disabled too meanwhile.
    explicit TSHBrowseForFolderEx(HWND owner = nullptr, HWND applicationWindow = nullptr);
    virtual ~TSHBrowseForFolderEx() = default;
    TSHBrowseForFolderEx(const TSHBrowseForFolderEx&) = delete;
    TSHBrowseForFolderEx& operator=(const TSHBrowseForFolderEx&) = delete;

    TSelectFolder SelectFolder = sfDrives;
    std::string SelectFolderName;  // for sfManual
    std::string Caption;           // shown above the tree
    TSHBrowseOptions Options{sboReturnOnlyFSDirs};
    TSHBrowseEvent OnSelectionChanged;
    TRootFolder RootFolder = rfDesktop;
    std::string RootFolderName;  // for rfManual
    TShowStyle ShowStyle = ssClient;

    // Shows the browser and waits for the user: true when a folder was chosen with OK;
    // false when the user cancelled, the browser could not be set up, or the chosen folder
    // cannot be used (FolderChoiceOf), which a message box owned by the owner tells first.
    bool Execute();
    // After a successful Execute: the chosen folder's path (empty when it has none) and its
    // display name. Both are emptied when Execute starts.
    const std::string& FolderPath() const { return folderPath_; }
    const std::string& DisplayName() const { return displayName_; }

protected:
    // Each change of selection; calls OnSelectionChanged when one is set.
    virtual void SelectionChanged(HWND wnd, const std::string& path, std::string& showText,
                                  TOKButtonState& okButtonState);

private:
    static int CALLBACK BrowseCallback(HWND wnd, UINT message, LPARAM param, LPARAM data);
    void Callback(HWND wnd, UINT message, LPARAM param);
    void Place(HWND wnd) const;

    HWND owner_;
    HWND applicationWindow_;
    std::string folderPath_;
    std::string displayName_;
    // While Execute runs: the item selected at the start (may be null) and whether the
    // selected path is the status text.
    const void* initialItem_ = nullptr;
    bool showPath_ = false;
};

}  // namespace vesk
