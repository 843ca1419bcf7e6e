#pragma once

// The file header of a Windows program or DLL: which machine it is built for and which
// subsystem it runs in, read from the file itself.

#include <windows.h>

#include <cstddef>
#include <fstream>
#include <optional>
#include <string>

namespace vesk::test {

struct ImageHeader {
    WORD machine = 0;        // IMAGE_FILE_MACHINE_*
    WORD optionalMagic = 0;  // IMAGE_NT_OPTIONAL_HDR32_MAGIC or ..._HDR64_MAGIC
    WORD subsystem = 0;      // IMAGE_SUBSYSTEM_*
};

// Nothing when the file is missing or is no PE image.
inline std::optional<ImageHeader> ReadImageHeader(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    IMAGE_DOS_HEADER dos{};
    if (!file.read(reinterpret_cast<char*>(&dos), sizeof(dos)) ||
        dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew <= 0) {
        return std::nullopt;
    }
    // The signature and file header, then the start of the optional header, which has the
    // subsystem at the same offset in the 32-bit and the 64-bit layout.
    DWORD signature = 0;
    IMAGE_FILE_HEADER fileHeader{};
    IMAGE_OPTIONAL_HEADER32 optional{};
    file.seekg(dos.e_lfanew);
    if (!file.read(reinterpret_cast<char*>(&signature), sizeof(signature)) ||
        signature != IMAGE_NT_SIGNATURE ||
        !file.read(reinterpret_cast<char*>(&fileHeader), sizeof(fileHeader)) ||
        fileHeader.SizeOfOptionalHeader < offsetof(IMAGE_OPTIONAL_HEADER32, Subsystem) + 2 ||
        !file.read(reinterpret_cast<char*>(&optional),
                   offsetof(IMAGE_OPTIONAL_HEADER32, Subsystem) + 2)) {
        return std::nullopt;
    }
    static_assert(offsetof(IMAGE_OPTIONAL_HEADER32, Subsystem) ==
                  offsetof(IMAGE_OPTIONAL_HEADER64, Subsystem));
    return ImageHeader{fileHeader.Machine, optional.Magic, optional.Subsystem};
}

}  // namespace vesk::test
