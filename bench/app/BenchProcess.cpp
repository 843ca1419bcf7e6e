#include "BenchProcess.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>

namespace vesk::bench {

namespace {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// A Linux path as Wine's drive Z: (the root of the Linux file system) shows it.
std::string OnDriveZ(std::string_view linuxPath) {
    std::string path = "Z:";
    for (const char c : linuxPath) {
        path += c == '/' ? '\\' : c;
    }
    return path;
}

// Files of /proc report no size: read until the end.
std::optional<std::string> ReadLinuxFile(std::string_view linuxPath) {
    HANDLE file = CreateFileA(OnDriveZ(linuxPath).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    DWORD count = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &count, nullptr) && count > 0) {
        content.append(buffer, count);
    }
    CloseHandle(file);
    return content;
}

std::vector<std::string> LinuxFolderEntries(std::string_view linuxFolder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((OnDriveZ(linuxFolder) + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::vector<int> LinuxProcessIds() {
    std::vector<int> ids;
    for (const std::string& name : LinuxFolderEntries("/proc")) {
        if (!name.empty() && std::all_of(name.begin(), name.end(),
                                         [](unsigned char c) { return std::isdigit(c) != 0; })) {
            ids.push_back(std::atoi(name.c_str()));
        }
    }
    return ids;
}

}  // namespace

VeskFolder::VeskFolder(const std::string& songTitle, const std::string& lyricsFileName,
                       std::string_view lyricsBytes, const std::string& settings) {
    const std::string list =
        "\"" + songTitle + "\",\"" + folder_.Path() + lyricsFileName + "\",0,0\r\n";
    ready_ = folder_.CopyIn(BenchmarkFolder() + kVeskProgram, kVeskProgram) &&
             folder_.WriteFile(lyricsFileName, lyricsBytes) &&
             folder_.WriteFile("Vesk.csv", list) && folder_.WriteFile("Vesk.ini", settings);
}

double MeasureSeconds() {
    const char* value = std::getenv("VESK_BENCH_IDLE_SECONDS");
    const double seconds = value != nullptr ? std::atof(value) : kReportSeconds;
    return seconds >= 1 ? seconds : kReportSeconds;
}

std::string BenchmarkFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    folder.erase(folder.find_last_of('\\') + 1);
    return folder;
}

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds,
               DWORD pollMilliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start > timeoutMilliseconds) {
            return false;
        }
        Sleep(pollMilliseconds);
    }
}

ProgramFolder::ProgramFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    name_ = "vesk-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++) + "-" + std::to_string(GetTickCount());
    path_ = std::string(temp) + name_;
    CreateDirectoryA(path_.c_str(), nullptr);
    path_ += '\\';
}

ProgramFolder::~ProgramFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                DeleteFileA((path_ + found.cFileName).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

bool ProgramFolder::WriteFile(const std::string& fileName, std::string_view bytes) const {
    HANDLE file = CreateFileA((path_ + fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool done =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return done;
}

bool ProgramFolder::CopyIn(const std::string& from, const std::string& fileName) const {
    return CopyFileA(from.c_str(), (path_ + fileName).c_str(), FALSE) != FALSE;
}

std::optional<MemoryFigures> MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
        return std::nullopt;
    }
    return MemoryFigures{static_cast<double>(counters.PeakWorkingSetSize),
                         static_cast<double>(counters.WorkingSetSize)};
}

std::optional<LinuxCpu> CpuOf(int linuxPid) {
    const std::string process = "/proc/" + std::to_string(linuxPid);
    LinuxCpu cpu;
    for (const std::string& thread : LinuxFolderEntries(process + "/task")) {
        if (thread == "." || thread == "..") {
            continue;
        }
        if (const auto schedstat = ReadLinuxFile(process + "/task/" + thread + "/schedstat")) {
            cpu.runMilliseconds += std::atof(schedstat->c_str()) / 1e6;
            ++cpu.threads;
        }
    }
    if (cpu.threads == 0) {
        return std::nullopt;
    }
    return cpu;
}

std::optional<int> LinuxPidByCommandLine(std::string_view text) {
    const std::string wanted = LowerAscii(text);
    for (const int pid : LinuxProcessIds()) {
        std::optional<std::string> commandLine =
            ReadLinuxFile("/proc/" + std::to_string(pid) + "/cmdline");
        if (!commandLine) {
            continue;
        }
        std::replace(commandLine->begin(), commandLine->end(), '\0', ' ');
        if (LowerAscii(*commandLine).find(wanted) != std::string::npos) {
            return pid;
        }
    }
    return std::nullopt;
}

std::optional<std::vector<LinuxCpu>> CpuAtRest(const std::vector<MeasuredProgram>& programs,
                                               std::string& error) {
    Sleep(kSettleMilliseconds);
    std::vector<int> pids;
    std::vector<HANDLE> handles;
    for (const MeasuredProgram& program : programs) {
        const std::optional<int> pid = LinuxPidByCommandLine(program.folderName);
        if (!pid) {
            error = "a measured program's Linux process was not found in /proc";
            return std::nullopt;
        }
        pids.push_back(*pid);
        handles.push_back(program.process->Handle());
    }
    std::vector<std::optional<LinuxCpu>> before;
    for (const int pid : pids) {
        before.push_back(CpuOf(pid));
    }
    const double start = Seconds();
    if (WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                               static_cast<DWORD>(MeasureSeconds() * 1000)) != WAIT_TIMEOUT) {
        error = "a program ended while it was measured";
        return std::nullopt;
    }
    const double scale = kReportSeconds / (Seconds() - start);
    std::vector<LinuxCpu> cpu;
    for (std::size_t i = 0; i < pids.size(); ++i) {
        const std::optional<LinuxCpu> after = CpuOf(pids[i]);
        if (!before[i] || !after) {
            error = "a program's CPU time could not be read";
            return std::nullopt;
        }
        cpu.push_back(
            {(after->runMilliseconds - before[i]->runMilliseconds) * scale, after->threads});
    }
    return cpu;
}

}  // namespace vesk::bench
