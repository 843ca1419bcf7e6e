#pragma once

// A number field that only its arrows change: an up-down control over a read-only edit.
// The template gives the edit ES_READONLY and the up-down, placed right after it,
// UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS (and no
// UDS_WRAP), so the arrow buttons and the arrow keys change it and the edit shows the
// number without thousands separators. Each change reaches the dialog as OnScroll of the
// up-down with SB_THUMBPOSITION.
//
//   UpDownPair udnStartLine{IDC_UDN_START_LINE};
//   udnStartLine.Attach(Handle(), 0, 3000);     // in OnInit
//   udnStartLine.SetPosition(12);

#include <windows.h>

namespace vesk {

class UpDownPair {
public:
    explicit UpDownPair(int upDownId) : id_(upDownId) {}

    int Id() const { return id_; }
    // Sets the range and the step of each arrow press (the acceleration is switched off, so
    // holding an arrow steps by step only).
    void Attach(HWND dialog, int minimum, int maximum, int step = 1);
    // The position the field shows; the range keeps it in bounds.
    int Position() const;
    void SetPosition(int position);

private:
    HWND Control() const { return GetDlgItem(dialog_, id_); }

    int id_;
    HWND dialog_ = nullptr;
};

}  // namespace vesk
