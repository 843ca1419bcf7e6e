#include "common/SafeFileName.h"

#include <cstddef>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"

namespace vesk {

namespace {

struct Replacement {
    char character;
    ProgramText fullWidth;
};

constexpr Replacement kReplacements[] = {
    {'\\', ProgramText{"￥"}}, {'/', ProgramText{"／"}}, {':', ProgramText{"："}},
    {',', ProgramText{"，"}},  {';', ProgramText{"；"}}, {'*', ProgramText{"＊"}},
    {'?', ProgramText{"？"}},  {'<', ProgramText{"＜"}}, {'>', ProgramText{"＞"}},
    {'|', ProgramText{"｜"}},  {'"', ProgramText{"”"}},
};

// Length of the device word (CON, COM1...) at the start of a name that Windows reserves.
std::size_t ReservedWordLength(std::string_view name) {
    if (!IsReservedDeviceName(name)) {
        return 0;
    }
    return (name.size() >= 4 && name[3] >= '1' && name[3] <= '9') ? 4 : 3;
}

}  // namespace

std::string SafeFileName(std::string_view title) {
    std::string name;
    name.reserve(title.size() + 8);
    for (std::size_t pos = 0; pos < title.size();) {
        const std::size_t size = CharSize(title, pos);
        const char c = title[pos];
        const Replacement* replacement = nullptr;
        if (size == 1) {
            for (const Replacement& r : kReplacements) {
                if (r.character == c) {
                    replacement = &r;
                }
            }
        }
        if (size == 1 && pos + 1 == title.size() && IsLeadByte(static_cast<unsigned char>(c))) {
            // The half of a character that a byte cut left: it would take the "." of the
            // extension as its second byte, and the file would lose its extension.
            break;
        }
        if (replacement != nullptr) {
            name += replacement->fullWidth.Ansi();
        } else if (size == 1 && static_cast<unsigned char>(c) < 0x20) {
            name += '_';  // a control character cannot be part of a file name
        } else {
            name.append(title, pos, size);
        }
        pos += size;
    }
    // "CON.txt" opens the console, not a file: "CON_.txt" is a real file. The name is
    // looked at as it is used, with an extension (which one does not matter).
    if (const std::size_t word = ReservedWordLength(name + ".txt"); word > 0) {
        name.insert(word, "_");
    }
    return name;
}

}  // namespace vesk
