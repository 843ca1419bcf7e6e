#include "ProcessResources.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace vesk::bench {

namespace {

// NtQuerySystemInformation's handle list (SystemHandleInformation): 16-bit process ids,
// which Wine's are well within.
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

struct SystemHandleEntry {
    USHORT processId;
    USHORT creatorBackTraceIndex;
    UCHAR objectType;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG access;
};

struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};

// One entry of the GDI handle table, as Windows and Wine lay it out for 64-bit programs.
struct GdiHandleEntry {
    std::uint64_t object;
    ULONG owner;
    USHORT unique;
    UCHAR type;  // 0: free
    UCHAR flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
// PEB.GdiSharedHandleTable of a 64-bit program.
constexpr std::size_t kPebGdiTableOffset = 0xF8;

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

FARPROC NtFunction(const char* name) {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), name);
}

std::optional<long> HandleCount(DWORD processId) {
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(NtFunction("NtQuerySystemInformation")));
    if (query == nullptr) {
        return std::nullopt;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ULONG length = 0;
        const NTSTATUS status = query(kSystemHandleInformation, buffer.data(),
                                      static_cast<ULONG>(buffer.size()), &length);
        if (status == kInfoLengthMismatch) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) {
            return std::nullopt;
        }
        break;
    }
    const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < list->count; ++i) {
        if (list->entries[i].processId == static_cast<USHORT>(processId)) {
            ++count;
        }
    }
    return count;
}

std::optional<std::vector<GdiHandleEntry>> ReadGdiTable(HANDLE process, const void* at) {
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, at, entries.data(), entries.size() * sizeof(GdiHandleEntry),
                           &read)) {
        return std::nullopt;
    }
    return entries;
}

// Whether the table holds this program's stock objects, which every program has under the
// same handles.
bool HoldsStockObjects(const std::vector<GdiHandleEntry>& entries) {
    static const int kStock[] = {WHITE_BRUSH, BLACK_PEN, SYSTEM_FONT, DEFAULT_PALETTE};
    for (const int stock : kStock) {
        const auto handle = reinterpret_cast<std::uintptr_t>(GetStockObject(stock));
        const GdiHandleEntry& entry = entries[handle & 0xFFFF];
        if (entry.type == 0 || entry.unique != ((handle >> 16) & 0xFFFF)) {
            return false;
        }
    }
    return true;
}

// A 64-bit program's PEB points to the table; in a 32-bit one Wine keeps it in a block of
// its own, found among the program's memory by the stock objects.
std::optional<std::vector<GdiHandleEntry>> GdiTable(HANDLE process) {
    const auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(NtFunction("NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (sizeof(void*) == 8 && query != nullptr &&
        query(process, 0 /* ProcessBasicInformation */, &basic, sizeof(basic), &length) == 0) {
        std::uintptr_t table = 0;
        SIZE_T read = 0;
        if (ReadProcessMemory(
                process,
                static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + kPebGdiTableOffset,
                &table, sizeof(table), &read) &&
            table != 0) {
            return ReadGdiTable(process, reinterpret_cast<const void*>(table));
        }
    }
    MEMORY_BASIC_INFORMATION block{};
    for (const char* at = nullptr;
         VirtualQueryEx(process, at, &block, sizeof(block)) == sizeof(block);) {
        if (block.State == MEM_COMMIT && (block.Protect & PAGE_READWRITE) != 0 &&
            block.RegionSize >= kGdiHandleCount * sizeof(GdiHandleEntry)) {
            auto entries = ReadGdiTable(process, block.BaseAddress);
            if (entries && HoldsStockObjects(*entries)) {
                return entries;
            }
        }
        const char* next = static_cast<const char*>(block.BaseAddress) + block.RegionSize;
        if (next <= at) {
            break;
        }
        at = next;
    }
    return std::nullopt;
}

std::optional<long> GdiCount(HANDLE process) {
    const std::optional<std::vector<GdiHandleEntry>> entries = GdiTable(process);
    if (!entries) {
        return std::nullopt;
    }
    long count = 0;
    for (const GdiHandleEntry& entry : *entries) {
        count += entry.type != 0 ? 1 : 0;
    }
    return count;
}

struct WindowCount {
    DWORD processId;
    long count = 0;
};

BOOL CALLBACK CountChild(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<WindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    windows->count += owner == windows->processId ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data) {
    CountChild(window, data);
    EnumChildWindows(window, CountChild, data);  // all descendants
    return TRUE;
}

long WindowsOf(DWORD processId) {
    WindowCount windows{processId};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window != nullptr;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        CountTopLevel(window, reinterpret_cast<LPARAM>(&windows));
    }
    return windows.count;
}

}  // namespace

std::optional<ProcessResources> ResourcesOf(HANDLE process, DWORD processId) {
    const std::optional<long> handles = HandleCount(processId);
    const std::optional<long> gdi = GdiCount(process);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    if (!handles || !gdi || !GetProcessMemoryInfo(process, &memory, sizeof(memory))) {
        return std::nullopt;
    }
    return ProcessResources{*handles, *gdi, WindowsOf(processId),
                            static_cast<double>(memory.WorkingSetSize)};
}

}  // namespace vesk::bench
