#pragma once

// The search behind dropping a folder on the lyrics list editor: every file of a folder
// tree with a given extension, depth first, in the order the file system lists them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// One entry of a folder as the file system lists it.
struct FolderEntry {
    std::string name;
    bool folder = false;
    // A symbolic link, junction or other reparse point: it may lead back up the tree.
    bool link = false;
};

// Which folder a path leads to, whatever links it passes.
struct FolderIdentity {
    // The volume's serial number and the folder's file index on it; the index is 0 where
    // the volume gives none (some network and FAT volumes) or it could not be read.
    std::uint32_t volume = 0;
    std::uint64_t fileIndex = 0;
    // Without a file index: the folder's full path with every link resolved, the same text
    // for every path that leads to it; empty when it cannot be told either.
    std::string path;
};

// What the search needs of the file system (Win32: FindFirstFileA and file identities).
class FolderLister {
public:
    virtual ~FolderLister() = default;
    // Every entry of the folder ("." and ".." left out), hidden and system ones included,
    // in the order the file system gives them. folder ends with a path delimiter.
    virtual std::vector<FolderEntry> Entries(const std::string& folder) const = 0;
    // Which folder folder is; all fields empty or 0 when it cannot be told.
    virtual FolderIdentity Identity(const std::string& folder) const = 0;
};

// FindFiles: appends to list every file under folder whose extension (its last "." and
// what follows, ASCII letters in any case) equals extension, in the order the entries are
// listed; a subfolder is searched at once, where it stands. A folder already searched (the
// same file index on the same volume, or without one the same full path) is not searched
// again, so that a link back into the tree ends there; a link whose target cannot be told
// is not followed.
void FindFiles(const FolderLister& lister, std::string folder, std::string_view extension,
               std::vector<std::string>& list);
// The same in one walk for files with any of extensions.
void FindFiles(const FolderLister& lister, std::string folder,
               std::span<const std::string_view> extensions, std::vector<std::string>& list);

}  // namespace vesk
