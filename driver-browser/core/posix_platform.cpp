// The file and directory seams over the POSIX calls (posix_file.h, posix_directory.h).
#include "driver_files.h"
#include "path_text.h"
#include "posix_directory.h"
#include "posix_file.h"
#include "version_strings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Opens path; where the whole path is longer than the system takes in one call, relative
// to its directory, so that only the system's limits on a directory's path and on one name
// apply.
int openInDirectory(const char* path, int flags) {
    const int fd = ::open(path, flags);
    const char* slash = std::strrchr(path, '/');
    if (fd >= 0 || errno != ENAMETOOLONG || slash == nullptr) {
        return fd;
    }
    const std::string dir = slash == path ? std::string("/") : std::string(path, slash);
    const int parent = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0) {
        return -1;
    }
    const int opened = ::openat(parent, slash + 1, flags);
    const int error = errno;
    ::close(parent);
    errno = error;
    return opened;
}

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

PosixFile::~PosixFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

FileSeam PosixFile::seam() {
    return FileSeam{this, &PosixFile::open, &PosixFile::read, &PosixFile::memory,
                    &PosixFile::dataFrom};
}

FileFailure PosixFile::failureOf(int error) {
    // ENXIO: a FIFO without a reader, a socket, a device that is not there.
    static const struct {
        int error;
        FileFailure failure;
    } kFailures[] = {
        {ENOENT, FileFailure::NotFound},       {EACCES, FileFailure::AccessDenied},
        {EPERM, FileFailure::AccessDenied},    {EISDIR, FileFailure::IsDirectory},
        {ENOTDIR, FileFailure::NotADirectory}, {ENAMETOOLONG, FileFailure::NameTooLong},
        {ELOOP, FileFailure::TooManyLinks},    {EIO, FileFailure::InputOutput},
        {ENOMEM, FileFailure::OutOfMemory},    {EFBIG, FileFailure::TooLarge},
        {EOVERFLOW, FileFailure::TooLarge},    {ETXTBSY, FileFailure::InUse},
        {ENXIO, FileFailure::NotRegularFile}};
    for (const auto& known : kFailures) {
        if (known.error == error) {
            return known.failure;
        }
    }
    return FileFailure::Other;
}

FileFailure PosixFile::open(void* context, const char* path, uint64_t* size) {
    auto* self = static_cast<PosixFile*>(context);
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    self->fd_ = openInDirectory(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (self->fd_ < 0) {
        return failureOf(errno);
    }
    struct stat status {};
    if (::fstat(self->fd_, &status) != 0) {
        return failureOf(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return FileFailure::IsDirectory;
    }
    if (!S_ISREG(status.st_mode)) {
        return FileFailure::NotRegularFile;
    }
    *size = static_cast<uint64_t>(status.st_size);
    // Fewer blocks than bytes: there may be holes, which dataFrom looks for.
    self->sparse_ = static_cast<uint64_t>(status.st_blocks) * 512 < *size;
    return FileFailure::None;
}

FileFailure PosixFile::read(void* context, uint64_t offset, uint8_t* buffer, std::size_t size) {
    const int fd = static_cast<PosixFile*>(context)->fd_;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failureOf(errno);
        }
        if (got == 0) {
            return FileFailure::Shrunk;
        }
        done += static_cast<std::size_t>(got);
    }
    return FileFailure::None;
}

uint64_t PosixFile::dataFrom(void* context, uint64_t offset) {
    const auto* self = static_cast<PosixFile*>(context);
    if (!self->sparse_) {
        return offset;
    }
    const off_t data = ::lseek(self->fd_, static_cast<off_t>(offset), SEEK_DATA);
    if (data < 0) {
        // ENXIO: a hole up to the end; anything else: the file system cannot tell.
        return errno == ENXIO ? UINT64_MAX : offset;
    }
    return static_cast<uint64_t>(data);
}

uint8_t* PosixFile::memory(void* context, std::size_t size) {
    auto& blocks = static_cast<PosixFile*>(context)->blocks_;
    try {
        blocks.push_back(std::unique_ptr<uint8_t[]>(new uint8_t[size > 0 ? size : 1]));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return blocks.back().get();
}

VersionCaptions readVersionCaptions(const std::string& path) {
    VersionCaptions captions;
    PosixFile file;
    readVersionStrings(file.seam(), path.c_str(), versionCaptionsSink(captions));
    return captions;
}

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
