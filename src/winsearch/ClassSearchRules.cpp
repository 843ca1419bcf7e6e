#include "winsearch/ClassSearchRules.h"

#include <cstdint>
#include <exception>
#include <vector>

namespace vesk {

namespace {

// Between the class name and the caption in the text a row is made of.
constexpr char kLineBreak[] = "\r\n";

}  // namespace

std::string HandleText(WindowHandle window) {
    // Modulo 2^32, as C++20 defines the conversion: -1 for 0xFFFFFFFF.
    const auto low = static_cast<std::int32_t>(static_cast<std::uint32_t>(window));
    return std::to_string(low);
}

void SearchWindows(ListRowSink& list, bool all) {
    list.Clear();
    try {
        const std::vector<WindowHandle> windows = EnumSearchWindows(all);
        for (const WindowHandle window : windows) {
            AddListRow(list, HandleText(window),
                       WindowClassName(window) + kLineBreak + WindowText(window));
        }
    } catch (const std::exception&) {
        // A list of what could be read is still of use to the user.
    }
}

}  // namespace vesk
