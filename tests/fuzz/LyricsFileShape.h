#pragma once

// A fuzz input's lyrics file as the file system shows it to the code under test.

#include <string>
#include <string_view>

#include "MemoryFileSystem.h"
#include "lyrics/untTLyricsList.h"

namespace vesk::fuzz {

// Each taken from a flag bit of the input; a size too large wins over one that cannot be read.
struct LyricsFileShape {
    bool folder = false;       // a folder of that name instead of the file
    bool tooLarge = false;     // its size reads as beyond the lyrics file limit
    bool sizeUnknown = false;  // its size cannot be read
    bool unreadable = false;   // opening it fails
};

inline void PlaceLyricsFile(test::MemoryFileSystem& files, const std::string& path,
                            std::string_view content, const LyricsFileShape& shape) {
    if (shape.folder) {
        files.folders.insert(path);
    } else {
        files.files[path] = std::string(content);
    }
    if (shape.tooLarge) {
        files.sizes[path] = kLyricsFileMaxBytes + 1;
    } else if (shape.sizeUnknown) {
        files.sizes[path] = std::nullopt;
    }
    if (shape.unreadable) {
        files.unreadable.insert(path);
    }
}

}  // namespace vesk::fuzz
