// Reading a driver file on Linux: the file seam over open, fstat and pread.
#include "posix_file.h"
#include "version_strings.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Blocks from this size on come straight from the system and ask for huge pages, which
// saves most of the page faults of filling them. Anonymous memory, so nothing another
// program does to the file can take it away (a mapped file that is shortened while it is
// scanned would kill the process; a read just comes back short).
constexpr std::size_t kHugePage = std::size_t{2} << 20;

} // namespace

PosixFile::~PosixFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    for (const Block& block : blocks_) {
        if (block.mapped) {
            ::munmap(block.address, block.size);
        } else {
            std::free(block.address);
        }
    }
}

FileSeam PosixFile::seam() {
    return FileSeam{this, &PosixFile::open, &PosixFile::read, &PosixFile::memory};
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
    default:
        return FileFailure::Other;
    }
}

FileFailure PosixFile::open(void* context, const char* path, uint64_t* size) {
    auto* self = static_cast<PosixFile*>(context);
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    self->fd_ = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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

uint8_t* PosixFile::memory(void* context, std::size_t size) {
    auto* self = static_cast<PosixFile*>(context);
    const std::size_t bytes = size > 0 ? size : 1;
    Block block{nullptr, bytes, bytes >= kHugePage};
    if (block.mapped) {
        void* address =
            ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (address == MAP_FAILED) {
            return nullptr;
        }
        block.address = address;
#ifdef MADV_HUGEPAGE
        (void)::madvise(address, bytes, MADV_HUGEPAGE);
#endif
    } else {
        block.address = std::malloc(bytes);
        if (block.address == nullptr) {
            return nullptr;
        }
    }
    try {
        self->blocks_.push_back(block);
    } catch (const std::bad_alloc&) {
        block.mapped ? (void)::munmap(block.address, bytes) : std::free(block.address);
        return nullptr;
    }
    return static_cast<uint8_t*>(block.address);
}

VersionCaptions readVersionCaptions(const std::string& path) {
    VersionCaptions captions;
    PosixFile file;
    readVersionStrings(file.seam(), path.c_str(), versionCaptionsSink(captions));
    return captions;
}

} // namespace tolvane
