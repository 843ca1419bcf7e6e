#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "title/WindowSystem.h"

namespace vesk {

// Creates the automation object of progId (an in-process or local server), reads the chain
// of properties named in path through IDispatch, each of the object the previous read gave,
// and returns the last value converted to ANSI text. nullopt when the server is missing, a
// name is unknown, a read fails or a step gives no object. Every object is released before
// it returns. COM must be initialised on the calling thread.
std::optional<std::string> ReadAutomationText(std::string_view progId,
                                              std::span<const std::string_view> path);

// Reads two chains from one object of progId, made once: the text at the end of textPath and
// the number (converted to a double) at the end of numberPath; each nullopt when its chain
// fails.
using AutomationTextAndNumber = WindowSystem::AutomationTextAndNumber;
AutomationTextAndNumber ReadAutomationTextAndNumber(std::string_view progId,
                                                    std::span<const std::string_view> textPath,
                                                    std::span<const std::string_view> numberPath);

}  // namespace vesk
