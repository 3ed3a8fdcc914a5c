// A registry file on disk, read through the POSIX calls with the guards wine_registry.h
// describes.
#include "wine_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

struct file_source {
    int fd;
    uint64_t left;  // bytes that may still be read under the size limit
    bool too_large; // the file holds more than the limit
};

size_t file_read(void* context, uint8_t* buffer, size_t capacity) {
    auto* f = static_cast<file_source*>(context);
    if (f->left == 0) {
        // One byte more tells whether the file went on growing past the limit.
        uint8_t probe = 0;
        ssize_t got = ::read(f->fd, &probe, 1);
        f->too_large = got > 0;
        return 0;
    }
    if (capacity > f->left)
        capacity = static_cast<size_t>(f->left);
    for (;;) {
        ssize_t got = ::read(f->fd, buffer, capacity);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        f->left -= static_cast<uint64_t>(got);
        return static_cast<size_t>(got);
    }
}

} // namespace

reg_file_status wine_registry_file_lookup(const char* path, const char* key_path,
                                          const char* value_name, uint8_t* data, uint32_t capacity,
                                          reg_lookup* result) {
    *result = reg_lookup{};
    int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return REG_FILE_UNREADABLE;
    struct stat info {};
    reg_file_status status = REG_FILE_READ;
    if (::fstat(fd, &info) != 0)
        status = REG_FILE_UNREADABLE;
    else if (!S_ISREG(info.st_mode))
        status = REG_FILE_NOT_REGULAR;
    else if (static_cast<uint64_t>(info.st_size) > REG_FILE_SIZE_LIMIT)
        status = REG_FILE_TOO_LARGE;
    if (status == REG_FILE_READ) {
        file_source file{fd, REG_FILE_SIZE_LIMIT, false};
        reg_source source{file_read, &file};
        wine_registry_lookup(&source, key_path, value_name, data, capacity, result);
        if (file.too_large) {
            *result = reg_lookup{};
            status = REG_FILE_TOO_LARGE;
        }
    }
    ::close(fd);
    return status;
}
