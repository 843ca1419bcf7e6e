#pragma once

// Reading a window's class name, caption and owner, for the player search and for the
// list of the desktop's windows in the class search dialog.

#include <string>

#include "title/WindowSystem.h"

namespace vesk {

// Size of the buffer a class name is read into: longer names are cut to 99 bytes, so a
// class name is compared by its first 99 bytes at most.
inline constexpr int kClassNameBufferSize = 100;

// The window's class name (at most 99 bytes); empty when it cannot be read.
std::string WindowClassName(WindowHandle window);

// The window's caption; empty when it has none or it cannot be read.
std::string WindowText(WindowHandle window);

// Whether the window has an owner window.
bool HasOwner(WindowHandle window);

}  // namespace vesk
