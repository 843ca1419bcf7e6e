#include "app/OverlayText.h"

#include "common/FileSystem.h"
#include "common/TextPlatform.h"

namespace vesk {

bool TOverlayText::Write(const std::string& path, const std::string& ansiText) {
    if (written_ && path == path_ && ansiText == text_) {
        return true;
    }
    written_ = CurrentFileSystem().ReplaceFile(path, CurrentTextPlatform().ToUtf8(ansiText));
    path_ = path;
    text_ = ansiText;
    return written_;
}

}  // namespace vesk
