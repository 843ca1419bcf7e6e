#pragma once

// What the lyrics list editor asks of the program: the main form's lyrics list is reached
// only through this, so that the editor needs nothing of the application's layer.

#include "editing/FileSelectRules.h"
#include "lyrics/ListViewRows.h"

namespace vesk {

class LyricsListOwner {
public:
    virtual ~LyricsListOwner() = default;
    // The editor's OK: the main lyrics list becomes the rows (LoadFromListView), is saved to
    // its file as every change of it is, and the lyrics window shows the current song's
    // text from it. false when the rows were not stored (the user chose to keep the file
    // another program changed meanwhile): the editor stays open.
    virtual bool StoreRows(const ListViewRows& rows) = 0;
    // The assignment dialog, through which rows are made and edited; nullptr until the
    // program has made it.
    virtual FileSelectDialog* FileSelect() const = 0;
};

}  // namespace vesk
