// Reading a driver file on Linux: the file seam over open, fstat and pread.
#include "posix_file.h"
#include "version_strings.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
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

} // namespace

PosixFile::~PosixFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    for (void* block : blocks_) {
        std::free(block);
    }
}

FileSeam PosixFile::seam() {
    return FileSeam{this, &PosixFile::open, &PosixFile::read, &PosixFile::memory,
                    &PosixFile::dataFrom};
}

FileFailure PosixFile::failureOf(int error) {
    switch (error) {
    case ENOENT:
        return FileFailure::NotFound;
    case EACCES:
    case EPERM:
        return FileFailure::AccessDenied;
    case EISDIR:
        return FileFailure::IsDirectory;
    case ENOTDIR:
        return FileFailure::NotADirectory;
    case ENAMETOOLONG:
        return FileFailure::NameTooLong;
    case ELOOP:
        return FileFailure::TooManyLinks;
    case EIO:
        return FileFailure::InputOutput;
    case ENOMEM:
        return FileFailure::OutOfMemory;
    case EFBIG:
    case EOVERFLOW:
        return FileFailure::TooLarge;
    case ETXTBSY:
        return FileFailure::InUse;
    case ENXIO: // a FIFO without a reader, a socket, a device that is not there
        return FileFailure::NotRegularFile;
    default:
        return FileFailure::Other;
    }
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
    auto* self = static_cast<PosixFile*>(context);
    void* block = std::malloc(size > 0 ? size : 1);
    if (block == nullptr) {
        return nullptr;
    }
    try {
        self->blocks_.push_back(block);
    } catch (const std::bad_alloc&) {
        std::free(block);
        return nullptr;
    }
    return static_cast<uint8_t*>(block);
}

VersionCaptions readVersionCaptions(const std::string& path) {
    VersionCaptions captions;
    PosixFile file;
    readVersionStrings(file.seam(), path.c_str(), versionCaptionsSink(captions));
    return captions;
}

} // namespace tolvane
