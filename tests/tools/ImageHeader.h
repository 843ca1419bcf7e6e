#pragma once

// The file header of a Windows program or DLL: which machine it is built for, which
// subsystem it runs in and which DLLs the loader brings in with it, read from the file itself.

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

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

// The DLLs of the image's import directory (those loaded with it, not those loaded on the
// first call), as the file names them; nothing when the file is no 32-bit PE image.
inline std::optional<std::vector<std::string>> ReadImportedDlls(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    const auto at = [&image](std::size_t offset, std::size_t size) -> const char* {
        return offset <= image.size() && size <= image.size() - offset ? image.data() + offset
                                                                       : nullptr;
    };
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS32 nt{};
    if (!at(0, sizeof(dos))) {
        return std::nullopt;
    }
    std::memcpy(&dos, image.data(), sizeof(dos));
    const char* ntBytes = at(static_cast<std::size_t>(dos.e_lfanew), sizeof(nt));
    if (dos.e_magic != IMAGE_DOS_SIGNATURE || ntBytes == nullptr) {
        return std::nullopt;
    }
    std::memcpy(&nt, ntBytes, sizeof(nt));
    if (nt.Signature != IMAGE_NT_SIGNATURE ||
        nt.OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
        return std::nullopt;
    }
    // A relative address to its offset in the file, through the section that holds it.
    const std::size_t sections = static_cast<std::size_t>(dos.e_lfanew) + 4 +
                                 sizeof(IMAGE_FILE_HEADER) + nt.FileHeader.SizeOfOptionalHeader;
    const auto offsetOf = [&](DWORD rva) -> std::optional<std::size_t> {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section{};
            const char* bytes = at(sections + i * sizeof(section), sizeof(section));
            if (bytes == nullptr) {
                return std::nullopt;
            }
            std::memcpy(&section, bytes, sizeof(section));
            if (rva >= section.VirtualAddress &&
                rva < section.VirtualAddress + section.SizeOfRawData) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        return std::nullopt;
    };
    std::vector<std::string> dlls;
    const DWORD directory =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::optional<std::size_t> entry = offsetOf(directory);
    for (; entry; *entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor{};
        const char* bytes = at(*entry, sizeof(descriptor));
        if (bytes == nullptr) {
            return std::nullopt;
        }
        std::memcpy(&descriptor, bytes, sizeof(descriptor));
        if (descriptor.Name == 0) {
            return dlls;
        }
        const std::optional<std::size_t> name = offsetOf(descriptor.Name);
        if (!name || !at(*name, 1)) {
            return std::nullopt;
        }
        dlls.emplace_back(image.c_str() + *name);
    }
    return std::nullopt;
}

}  // namespace vesk::test
