// The directory seams over the POSIX calls (Linux builds): opendir and readdir, with stat
// telling files from the rest, and realpath for "the same directory".
#pragma once

#include "directory_listing.h"

#include <dirent.h>
#include <string>

namespace tolvane {

// One directory read through opendir/readdir; closed when the object goes.
class PosixDirectory {
public:
    PosixDirectory() = default;
    PosixDirectory(const PosixDirectory&) = delete;
    PosixDirectory& operator=(const PosixDirectory&) = delete;
    ~PosixDirectory();

    DirectorySeam seam();

private:
    static FileFailure open(void* context, const char* dir);
    static bool next(void* context, DirectoryEntry* entry);

    DIR* directory_ = nullptr;
    std::string dir_;
    std::string name_;
};

// Two names of one directory: both resolve (realpath) to the same path.
DirectoryIdentitySeam posixDirectoryIdentity();

} // namespace tolvane
