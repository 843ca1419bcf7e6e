#pragma once

// What another program holds of the system, read from outside while it runs. Wine 8 answers
// GetProcessHandleCount and GetGuiResources with 0, so the figures come from what Wine does
// keep:
//   handles  the program's entries in the system handle table (NtQuerySystemInformation,
//            SystemHandleInformation), as handle-viewing tools count them
//   gdi      the used entries of the program's GDI handle table, read with
//            ReadProcessMemory (Wine keeps the table in the program's memory as Windows did)
//   windows  the program's windows: top-level, their children and message-only windows.
//            Under Wine the other USER objects (menus, icons, cursors) live in the program's
//            own memory with no table that another process can read, so this stands for them
//   workingSetBytes  GetProcessMemoryInfo (under Wine the Linux process's resident memory)

#include <windows.h>

#include <optional>

namespace vesk::bench {

struct ProcessResources {
    long handles = 0;
    long gdi = 0;
    long windows = 0;
    double workingSetBytes = 0;
};

// nullopt when a figure cannot be read (the program has ended, or the system lacks a source).
std::optional<ProcessResources> ResourcesOf(HANDLE process, DWORD processId);

}  // namespace vesk::bench
