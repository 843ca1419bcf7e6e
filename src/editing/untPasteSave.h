#pragma once

// Paste assignment: saves lyrics copied to the clipboard as the lyrics file of a song, in
// the folder the user chose for such files, after asking.

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// What paste assignment needs of the desktop: the clipboard's text form and two message
// boxes. The Win32 implementation is in win32/PasteUi.h.
class PasteUi {
public:
    virtual ~PasteUi() = default;
    // Whether the clipboard offers text (CF_TEXT).
    virtual bool ClipboardHasText() const = 0;
    // The clipboard's text in the ANSI code page, up to its terminating NUL; nothing when
    // it cannot be read (another program holds the clipboard, or the text has gone).
    virtual std::optional<std::string> ClipboardText() const = 0;
    // A message box with an OK button only.
    virtual void ShowMessage(const std::string& text, const std::string& caption) const = 0;
    // A message box with OK and Cancel; true when the user chose OK.
    virtual bool Confirm(const std::string& text, const std::string& caption) const = 0;
};

// Holds no state: the program uses one instance, PasteSave().
class TPasteSave {
public:
    explicit TPasteSave(const PasteUi& ui) : ui_(ui) {}
    virtual ~TPasteSave() = default;

    // Asks for confirmation, then saves the clipboard text as folder + SafeFileName(title)
    // + ".txt" with CR LF line ends. true when the file was written; a confirmed save that
    // fails is told to the user ("歌詞を保存できません：" and the path).
    virtual bool Execute(const std::string& folder, const std::string& title) const;

    // The title made usable as a file name (SafeFileName of common/SafeFileName.h, the
    // rule every lyrics file named after a title follows).
    static std::string SafeFileName(std::string_view title);

    // The paste-assignment path of a title.
    static std::string PathOf(std::string_view folder, std::string_view title);

    // The confirmation text for a path and the clipboard text: the path, and the text's
    // first 100 bytes at most, cut after a whole character.
    static std::string ConfirmationText(std::string_view path, std::string_view clipboardText);

    // The clipboard text as the file stores it: every line, the last included, ends with
    // CR LF; lines may end with CR LF, a lone CR or a lone LF.
    static std::string FileContent(std::string_view clipboardText);

private:
    const PasteUi& ui_;
};

// The program-wide instance (on the desktop's clipboard and message boxes).
const TPasteSave& PasteSave();

}  // namespace vesk
