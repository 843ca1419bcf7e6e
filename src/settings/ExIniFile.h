#pragma once

// TExIniFile: an INI file held in memory, whose location is a file name resolved against a
// chosen base folder. The program carries one in its settings dialog; no setting is read
// or written through it.

#include <string>
#include <string_view>

#include "settings/IniText.h"

namespace vesk {

enum TBaseDir { bdWindows, bdApplication, bdAppData, bdNone };
enum TFence { fcNone, fcDoubleQuote, fcSingleQuote };

// The folders a file name without a folder part is resolved against. The system's are in
// settings/win32/ExIniFolders.h.
class ExIniFolders {
public:
    virtual ~ExIniFolders() = default;
    // The Windows folder (TExIniFile adds a separator when missing).
    virtual std::string WindowsFolder() const = 0;
    // The user's application-data folder (TExIniFile adds a separator when missing).
    virtual std::string AppDataFolder() const = 0;
    // Full path of the running program file.
    virtual std::string ProgramFile() const = 0;
};

// An INI file loaded whole when it is created (a missing file is empty) and never written.
class MemIniFile {
public:
    explicit MemIniFile(std::string fileName);

    const std::string& FileName() const { return fileName_; }
    bool CaseSensitive() const { return text_.CaseSensitive(); }
    void SetCaseSensitive(bool caseSensitive) { text_.SetCaseSensitive(caseSensitive); }
    std::string ReadText(std::string_view section, std::string_view key,
                         std::string_view defaultText) const;

private:
    std::string fileName_;
    IniText text_;
};

class TExIniFile {
public:
    // Starts on an empty file name resolved against the program's folder.
    explicit TExIniFile(const ExIniFolders& folders);

    TBaseDir BaseDir() const { return baseDir_; }
    // Resolves the path anew and loads the file there.
    void SetBaseDir(TBaseDir baseDir);
    // The file name as set.
    const std::string& FileName() const { return fileName_; }
    // Resolves the path anew and loads the file there.
    void SetFileName(std::string fileName);
    TFence Fence() const { return fence_; }
    void SetFence(TFence fence) { fence_ = fence; }
    // Whether names in the in-memory file must match in letter case. A new in-memory file
    // (after FileName or BaseDir is set) starts case-insensitive.
    bool CaseSensitive() const { return ini_.CaseSensitive(); }
    void SetCaseSensitive(bool caseSensitive) { ini_.SetCaseSensitive(caseSensitive); }
    bool AutoUpdate() const { return autoUpdate_; }
    void SetAutoUpdate(bool autoUpdate) { autoUpdate_ = autoUpdate; }

    // The in-memory file; its FileName() is the resolved path.
    const MemIniFile& IniFile() const { return ini_; }

    // Called once the component has been loaded with its form: an empty file name becomes
    // the program file's name with the extension ".ini", unless a form designer is at work.
    void Loaded(bool designing = false);

private:
    void Resolve();

    const ExIniFolders& folders_;
    TBaseDir baseDir_ = bdApplication;
    std::string fileName_;
    TFence fence_ = fcNone;
    bool autoUpdate_ = true;
    MemIniFile ini_;
};

}  // namespace vesk
