#pragma once

// The class search dialog's list, without the dialog: which windows it shows and how each
// row reads. TfrmClassSearch (win32/untClassSearchForm.h) shows the rows in its list view.

#include <string>

#include "title/WindowSystem.h"
#include "title/untWinSearch.h"

namespace vesk {

// The handle as the list shows it: its low 32 bits as a signed decimal number, as "%d"
// writes a 32-bit handle. Window handles carry 32 significant bits also on 64-bit Windows,
// so the text is the same for one window in x86 and x86-64 programs.
std::string HandleText(WindowHandle window);

// The search (btnSearchClick): removes every row, then adds one per window of
// EnumSearchWindows(all), front to back: the handle, its class name and its caption (a
// caption's further lines become further sub-items). Anything that fails stops the search
// quietly; the rows added so far stay.
void SearchWindows(ListRowSink& list, bool all);

}  // namespace vesk
