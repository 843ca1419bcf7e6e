#include "editing/untPasteSave.h"

#include <cstddef>

#include "common/AnsiText.h"
#include "common/FileSystem.h"
#include "common/ProgramText.h"
#include "common/SafeFileName.h"

namespace vesk {

namespace {

constexpr ProgramText kCaption{"貼り付け割り当て"};
constexpr ProgramText kNoText{"貼り付けられる形式じゃありません"};
constexpr ProgramText kAs{"\" として"};
constexpr ProgramText kEllipsis{"……"};
constexpr ProgramText kWillSave{"を保存します．"};
constexpr ProgramText kCannotSave{"歌詞を保存できません："};
constexpr std::size_t kExcerptBytes = 100;
constexpr std::string_view kRule = "------------------------------------";  // 36

// Bytes of the excerpt: whole characters, at most kExcerptBytes. A lead byte cut from its
// second byte, or left alone at the end, would take the ellipsis's first byte as its own.
std::size_t ExcerptLength(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size()) {
        const std::size_t size = CharSize(text, length);
        if (length + size > kExcerptBytes ||
            (size == 1 && IsLeadByte(static_cast<unsigned char>(text[length])))) {
            break;
        }
        length += size;
    }
    return length;
}

}  // namespace

std::string TPasteSave::SafeFileName(std::string_view title) {
    return vesk::SafeFileName(title);
}

std::string TPasteSave::PathOf(std::string_view folder, std::string_view title) {
    return std::string(folder) + SafeFileName(title) + ".txt";
}

std::string TPasteSave::ConfirmationText(std::string_view path, std::string_view clipboardText) {
    std::string text = "\"";
    text.append(path).append(kAs.Ansi()).append("\r");
    text.append(kRule).append("\r");
    text.append(clipboardText.substr(0, ExcerptLength(clipboardText))).append(kEllipsis.Ansi());
    text.append("\r");
    text.append(kRule).append("\r");
    text.append(kWillSave.Ansi());
    return text;
}

std::string TPasteSave::FileContent(std::string_view clipboardText) {
    std::string content;
    content.reserve(clipboardText.size() + clipboardText.size() / 16);
    std::size_t pos = 0;
    while (pos < clipboardText.size()) {
        const std::size_t end = clipboardText.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            content.append(clipboardText, pos).append("\r\n");
            break;
        }
        content.append(clipboardText, pos, end - pos).append("\r\n");
        pos = end + 1;
        if (clipboardText[end] == '\r' && pos < clipboardText.size() &&
            clipboardText[pos] == '\n') {
            ++pos;
        }
    }
    return content;
}

bool TPasteSave::Execute(const std::string& folder, const std::string& title) const {
    if (!ui_.ClipboardHasText()) {
        ui_.ShowMessage(kNoText.Ansi(), kCaption.Ansi());
        return false;
    }
    const std::string path = PathOf(folder, title);
    // The text saved is the text the user confirmed, even if the clipboard changes while
    // the question is open.
    const std::optional<std::string> text = ui_.ClipboardText();
    if (!text.has_value()) {
        // Saving nothing would empty the song's lyrics file: no text to paste after all.
        ui_.ShowMessage(kNoText.Ansi(), kCaption.Ansi());
        return false;
    }
    if (!ui_.Confirm(ConfirmationText(path, *text), kCaption.Ansi())) {
        return false;
    }
    if (!CurrentFileSystem().ReplaceFile(path, FileContent(*text))) {
        // The user confirmed: a save that did not happen must not pass unseen.
        ui_.ShowMessage(kCannotSave.Ansi() + path, kCaption.Ansi());
        return false;
    }
    return true;
}

}  // namespace vesk
