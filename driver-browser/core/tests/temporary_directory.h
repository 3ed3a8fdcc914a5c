// A fresh directory under the system's temporary directory, removed with its contents
// when it goes out of scope.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tolvane::testing {

class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tolvane-XXXXXX").string();
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (::mkdtemp(buffer.data()) != nullptr) {
            path_ = buffer.data();
        }
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Writes a file inside the directory; returns its path.
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string where = file(name);
        std::ofstream out(where, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return where;
    }

private:
    std::string path_;
};

// Directories nested under base until the path is at least `length` bytes long, each level
// a name of 200 bytes, so that a file in it has a whole path longer than the system takes
// in one call (PATH_MAX, 4,096 bytes). Removed, with the files written into it, at the end.
class DeepDirectory {
public:
    DeepDirectory(const std::string& base, std::size_t length) : path_(base) {
        while (path_.size() < length) {
            path_ += "/" + std::string(200, static_cast<char>('a' + levels_.size() % 26));
            if (::mkdir(path_.c_str(), 0700) != 0) {
                path_.clear();
                return;
            }
            levels_.push_back(path_);
        }
    }
    DeepDirectory(const DeepDirectory&) = delete;
    DeepDirectory& operator=(const DeepDirectory&) = delete;
    ~DeepDirectory() {
        const int dir = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (const std::string& name : files_) {
            ::unlinkat(dir, name.c_str(), 0);
        }
        if (dir >= 0) {
            ::close(dir);
        }
        for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
            ::rmdir(level->c_str());
        }
    }

    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; }

    // Writes the file `name` into the directory, relative to it; false when it cannot.
    bool write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const int dir = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int fd = ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (dir >= 0) {
            ::close(dir);
        }
        if (fd < 0) {
            return false;
        }
        files_.push_back(name);
        const bool whole =
            ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
        return ::close(fd) == 0 && whole;
    }

private:
    std::string path_;
    std::vector<std::string> levels_;
    std::vector<std::string> files_;
};

} // namespace tolvane::testing
