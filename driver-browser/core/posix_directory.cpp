#include "posix_directory.h"

#include "driver_files.h"
#include "path_text.h"
#include "posix_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace tolvane {

namespace {

// The DOS attributes Wine keeps for the file `name` of the open directory `dir` in its
// extended attribute user.DOSATTRIB, as the text "0x" and the bits in hexadecimal
// (FILE_ATTRIBUTE_HIDDEN 0x2, _SYSTEM 0x4); 0 when there are none. Read through the
// directory's descriptor, so that the directory's path plays no part, and through the whole
// path only where /proc is not there.
unsigned long wineAttributes(int dir, const std::string& dirPath, const std::string& name) {
    char text[32] = {};
    const std::string relative = "/proc/self/fd/" + std::to_string(dir) + "/" + name;
    ssize_t size = ::getxattr(relative.c_str(), "user.DOSATTRIB", text, sizeof text - 1);
    if (size < 0 && errno == ENOENT) {
        const std::string path = dirPath + kPathSeparator + name;
        size = ::getxattr(path.c_str(), "user.DOSATTRIB", text, sizeof text - 1);
    }
    if (size <= 2 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return 0;
    }
    return std::strtoul(text + 2, nullptr, 16);
}

} // namespace

PosixDirectory::~PosixDirectory() {
    if (directory_ != nullptr) {
        ::closedir(directory_);
    }
}

DirectorySeam PosixDirectory::seam() {
    return DirectorySeam{this, &PosixDirectory::open, &PosixDirectory::next};
}

FileFailure PosixDirectory::open(void* context, const char* dir) {
    auto* self = static_cast<PosixDirectory*>(context);
    if (self->directory_ != nullptr) {
        ::closedir(self->directory_);
    }
    self->directory_ = ::opendir(dir);
    self->dir_ = dir;
    return self->directory_ != nullptr ? FileFailure::None : PosixFile::failureOf(errno);
}

bool PosixDirectory::next(void* context, DirectoryEntry* entry) {
    auto* self = static_cast<PosixDirectory*>(context);
    const dirent* found = ::readdir(self->directory_);
    if (found == nullptr) {
        return false;
    }
    self->name_ = found->d_name;
    // Relative to the directory, so that a name whose whole path is longer than the system
    // takes is listed too; links are followed: a link to a regular file counts as a file.
    struct stat status {};
    const int dir = ::dirfd(self->directory_);
    entry->name = self->name_.c_str();
    const bool known = ::fstatat(dir, found->d_name, &status, 0) == 0;
    entry->regularFile = known && S_ISREG(status.st_mode);
    entry->directory = known && S_ISDIR(status.st_mode);
    const unsigned long attributes = wineAttributes(dir, self->dir_, self->name_);
    entry->hidden = self->name_.empty() || self->name_[0] == '.' || (attributes & 0x2) != 0;
    entry->system = (attributes & 0x4) != 0;
    return true;
}

DirectoryIdentitySeam posixDirectoryIdentity() {
    return DirectoryIdentitySeam{
        nullptr, [](void*, const char* a, const char* b) {
            const std::unique_ptr<char, decltype(&std::free)> x(::realpath(a, nullptr), &std::free);
            const std::unique_ptr<char, decltype(&std::free)> y(::realpath(b, nullptr), &std::free);
            return x && y && std::string(x.get()) == y.get();
        }};
}

std::vector<std::string> listDriverFiles(const std::string& dir, const std::string& patterns) {
    std::vector<std::string> names;
    PosixDirectory directory;
    const NameSink sink{&names, [](void* context, const char* name) {
                            static_cast<std::vector<std::string>*>(context)->emplace_back(name);
                        }};
    listDriverFiles(directory.seam(), dir.c_str(), patterns.c_str(), sink);
    sortNativeNames(&names);
    return names;
}

} // namespace tolvane
