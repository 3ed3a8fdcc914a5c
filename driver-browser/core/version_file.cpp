// Reading a driver file in one piece for the version-string search.
#include "version_strings.h"

#include "marker_search.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fstream>
#include <iterator>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tolvane {

namespace {

// The captions shown when the file cannot be read: the reason in plain words.
VersionCaptions unreadable(const std::string& reason) {
    VersionCaptions captions;
    unreadableFileCaptions(reason.c_str(), versionCaptionsSink(captions));
    return captions;
}

#ifndef _WIN32

std::string reasonFor(int error) {
    switch (error) {
    case ENOENT:
        return "it no longer exists";
    case EACCES:
    case EPERM:
        return "permission denied";
    case EISDIR:
        return "it is a directory";
    case ENOTDIR:
        return "its path is not a directory path";
    case ENAMETOOLONG:
        return "its name is too long";
    case ELOOP:
        return "too many symbolic links";
    case EIO:
        return "input/output error";
    case ENOMEM:
        return "not enough memory";
    default:
        return std::strerror(error);
    }
}

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// A read-only mapping of the part of a file from offset to its end, unmapped when it goes
// out of scope.
class FileMapping {
public:
    FileMapping(int fd, std::size_t offset, std::size_t fileSize) {
        const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t start = offset - offset % page;
        length_ = fileSize - start;
        void* address =
            ::mmap(nullptr, length_, PROT_READ, MAP_PRIVATE, fd, static_cast<off_t>(start));
        if (address != MAP_FAILED) {
            address_ = address;
            bytes_ = static_cast<const uint8_t*>(address) + (offset - start);
        }
    }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    ~FileMapping() {
        if (address_) {
            ::munmap(address_, length_);
        }
    }
    bool valid() const { return address_ != nullptr; }
    const uint8_t* bytes() const { return bytes_; }

private:
    void* address_ = nullptr;
    const uint8_t* bytes_ = nullptr;
    std::size_t length_ = 0;
};

// Reads exactly size bytes at offset into buffer; false with errno set on failure, and
// with errno 0 when the file turned out shorter than expected.
bool readAt(int fd, uint8_t* buffer, std::size_t size, std::size_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (got == 0) {
            errno = 0;
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

VersionCaptions readFailure() {
    return unreadable(errno != 0 ? reasonFor(errno) : "it became shorter while being read");
}

// The captions of the file from its first marker (at offset) to its end.
VersionCaptions extractFromMarker(int fd, std::size_t offset, std::size_t size) {
    const FileMapping mapping(fd, offset, size);
    if (mapping.valid()) {
        return extractVersionCaptions(mapping.bytes(), size - offset);
    }
    // Some file systems cannot map files: read the rest in one piece instead.
    std::vector<uint8_t> rest(size - offset);
    if (!readAt(fd, rest.data(), rest.size(), offset)) {
        return readFailure();
    }
    return extractVersionCaptions(rest.data(), rest.size());
}

// Bytes read at a time while looking for the first marker.
constexpr std::size_t kChunkSize = std::size_t{1} << 20;

#endif

} // namespace

#ifdef _WIN32

VersionCaptions readVersionCaptions(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return unreadable("it cannot be opened");
    }
    std::vector<char> contents((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    if (file.bad()) {
        return unreadable("input/output error");
    }
    return extractVersionCaptions(reinterpret_cast<const uint8_t*>(contents.data()),
                                  contents.size());
}

#else

VersionCaptions readVersionCaptions(const std::string& path) {
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file.valid()) {
        return unreadable(reasonFor(errno));
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return unreadable(reasonFor(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        return unreadable("it is a directory");
    }
    if (!S_ISREG(status.st_mode)) {
        return unreadable("it is not a regular file");
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    // Nothing before the first marker plays any part in the captions, and the search
    // behind it gives the same captions for the file from that marker on as for the whole
    // file. So the file is read in chunks through one small buffer (quicker than mapping
    // the whole file) up to its first marker, and only the rest is mapped.
    try {
        std::vector<uint8_t> buffer(std::min(size, kChunkSize));
        std::size_t offset = 0;
        while (offset < size) {
            const std::size_t chunk = std::min(kChunkSize, size - offset);
            if (!readAt(file.get(), buffer.data(), chunk, offset)) {
                return readFailure();
            }
            const uint8_t* end = buffer.data() + chunk;
            const uint8_t* hit = findMarker(buffer.data(), end);
            if (hit != end) {
                const std::size_t at = offset + static_cast<std::size_t>(hit - buffer.data());
                if (offset + chunk == size) {
                    return extractVersionCaptions(hit, static_cast<std::size_t>(end - hit));
                }
                return extractFromMarker(file.get(), at, size);
            }
            if (offset + chunk == size) {
                break;
            }
            // The chunks overlap so that a marker across their border is seen.
            offset += chunk - (kMarkerSize - 1);
        }
    } catch (const std::bad_alloc&) {
        return unreadable("not enough memory");
    }
    // No marker: the captions of a file without version information.
    return extractVersionCaptions(nullptr, 0);
}

#endif

} // namespace tolvane
