// Reading a driver file in one piece for the version-string search.
#include "version_strings.h"

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

std::u16string asciiToU16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// The captions shown when the file cannot be read: the reason in plain words.
VersionCaptions unreadable(const std::string& reason) {
    return VersionCaptions{asciiToU16("Could not read this file: " + reason), kNotAvailable,
                           kNotAvailable};
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

// A read-only mapping of a whole file, unmapped when it goes out of scope.
class FileMapping {
public:
    FileMapping(int fd, std::size_t size) : size_(size) {
        void* address = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        if (address != MAP_FAILED) {
            address_ = address;
        }
    }
    FileMapping(const FileMapping&) = delete;
    FileMapping& operator=(const FileMapping&) = delete;
    ~FileMapping() {
        if (address_) {
            ::munmap(address_, size_);
        }
    }
    bool valid() const { return address_ != nullptr; }
    const uint8_t* bytes() const { return static_cast<const uint8_t*>(address_); }

private:
    void* address_ = nullptr;
    std::size_t size_;
};

// Reads exactly size bytes into buffer with plain reads; false with errno set on failure,
// and with errno 0 when the file turned out shorter than expected.
bool readAll(int fd, uint8_t* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
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
    if (size == 0) {
        return extractVersionCaptions(nullptr, 0);
    }
    FileMapping mapping(file.get(), size);
    if (mapping.valid()) {
        return extractVersionCaptions(mapping.bytes(), size);
    }
    // Some file systems cannot map files: read the file in one piece instead.
    try {
        std::vector<uint8_t> contents(size);
        if (!readAll(file.get(), contents.data(), size)) {
            return unreadable(errno != 0 ? reasonFor(errno) : "it became shorter while being read");
        }
        return extractVersionCaptions(contents.data(), size);
    } catch (const std::bad_alloc&) {
        return unreadable("not enough memory");
    }
}

#endif

} // namespace tolvane
