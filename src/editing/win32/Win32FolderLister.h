#pragma once

// The folder search's file system on Win32: FindFirstFileA / FindNextFileA, and a folder's
// identity from its volume and file index, which links and junctions do not change, or its
// final path where the volume gives no index.

#include "editing/FolderSearch.h"

namespace vesk {

class Win32FolderLister final : public FolderLister {
public:
    std::vector<FolderEntry> Entries(const std::string& folder) const override;
    FolderIdentity Identity(const std::string& folder) const override;
};

const FolderLister& SystemFolderLister();

}  // namespace vesk
