#pragma once

// The text file for streaming overlays: overlay software shows what the file holds, and the
// program keeps the display text shown in it.

#include <string>

namespace vesk {

class TOverlayText {
public:
    // Puts ansiText into the file at path as UTF-8 (no byte-order mark, nothing added), the
    // file replaced in one step so that a reader never sees half a text. A text this object
    // has just put into the same file is not written again. Whether the file holds the text.
    bool Write(const std::string& path, const std::string& ansiText);

private:
    std::string path_;
    std::string text_;
    bool written_ = false;
};

}  // namespace vesk
