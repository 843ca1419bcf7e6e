#include "editing/FolderSearch.h"

#include <algorithm>
#include <set>
#include <utility>

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
        if (!FirstVisit(lister_.Identity(folder), link)) {
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
    // A volume without file indexes gives 0 for every folder: then only the full path
    // tells folders apart, and no folder may be taken for another.
    bool FirstVisit(const FolderIdentity& identity, bool link) {
        if (identity.fileIndex != 0) {
            return searchedIndexes_.insert({identity.volume, identity.fileIndex}).second;
        }
        if (!identity.path.empty()) {
            return searchedPaths_.insert(identity.path).second;
        }
        return !link;
    }

    const FolderLister& lister_;
    std::vector<std::string> extensions_;
    std::vector<std::string>& list_;
    std::set<std::pair<std::uint32_t, std::uint64_t>> searchedIndexes_;
    std::set<std::string> searchedPaths_;
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
