#include "editing/FolderSearch.h"

#include <algorithm>
#include <set>

#include "common/AnsiText.h"
#include "editing/LyricsListRules.h"

namespace vesk {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

// A delimiter at the end must start a character: "\" can be the second byte of one.
bool EndsWithDelimiter(std::string_view path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/') &&
           IsCharStart(path, path.size() - 1);
}

class Search {
public:
    Search(const FolderLister& lister, std::span<const std::string_view> extensions,
           std::vector<std::string>& list)
        : lister_(lister), list_(list) {
        for (const std::string_view extension : extensions) {
            extensions_.push_back(LowerAscii(extension));
        }
    }

    void Run(std::string folder, bool link) {
        if (!EndsWithDelimiter(folder)) {
            folder += '\\';
        }
        const std::string identity = lister_.Identity(folder);
        if (identity.empty() ? link : !searched_.insert(identity).second) {
            return;
        }
        for (const FolderEntry& entry : lister_.Entries(folder)) {
            if (entry.folder) {
                Run(folder + entry.name, entry.link);
            } else if (std::ranges::find(extensions_, LowerAscii(ExtensionOf(entry.name))) !=
                       extensions_.end()) {
                list_.push_back(folder + entry.name);
            }
        }
    }

private:
    const FolderLister& lister_;
    std::vector<std::string> extensions_;
    std::vector<std::string>& list_;
    std::set<std::string> searched_;
};

}  // namespace

void FindFiles(const FolderLister& lister, std::string folder, std::string_view extension,
               std::vector<std::string>& list) {
    FindFiles(lister, std::move(folder), std::span(&extension, 1), list);
}

void FindFiles(const FolderLister& lister, std::string folder,
               std::span<const std::string_view> extensions, std::vector<std::string>& list) {
    Search(lister, extensions, list).Run(std::move(folder), false);
}

}  // namespace vesk
