#pragma once

// The lyrics folder: where a song title that has no entry in the lyrics list finds its
// lyrics file by name, so that a folder of lyrics files named after the songs needs no list.

#include <string>
#include <string_view>

namespace vesk {

// The lyrics file of title in folder: the folder (a "\" added unless it ends in one), the
// title as paste assignment names its files (TPasteSave::SafeFileName), then ".txt", or
// else ".lrc", whichever is a file there first. Empty when neither is, or when the folder
// or the title is empty.
std::string LyricsFolderFile(std::string_view folder, std::string_view title);

}  // namespace vesk
