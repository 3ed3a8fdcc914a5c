// A platform in memory for the core's rules: directories as tables of entries, files as
// bytes with failures to inject, and memory that can run out.
#pragma once

#include "directory_listing.h"
#include "file_reading.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tolvane::testing {

struct FakeEntry {
    std::string name;
    bool regularFile = true;
    bool directory = false;
    bool hidden = false;
    bool system = false;
};

// Directories by path; a path that is not in the table cannot be read (NotFound).
struct FakeDirectories {
    std::map<std::string, std::vector<FakeEntry>> table;
    std::vector<std::string> opened;
    const std::vector<FakeEntry>* reading = nullptr;
    std::size_t next = 0;

    DirectorySeam seam() {
        DirectorySeam s{};
        s.context = this;
        s.open = [](void* self, const char* dir) {
            auto* d = static_cast<FakeDirectories*>(self);
            d->opened.emplace_back(dir);
            const auto found = d->table.find(dir);
            if (found == d->table.end()) {
                return FileFailure::NotFound;
            }
            d->reading = &found->second;
            d->next = 0;
            return FileFailure::None;
        };
        s.next = [](void* self, DirectoryEntry* entry) {
            auto* d = static_cast<FakeDirectories*>(self);
            if (d->next == d->reading->size()) {
                return false;
            }
            const FakeEntry& e = (*d->reading)[d->next++];
            *entry = DirectoryEntry{e.name.c_str(), e.regularFile, e.directory, e.hidden, e.system};
            return true;
        };
        return s;
    }
};

// One file: its bytes, or the failure of open; reads can fail from a given offset on, and
// memory beyond a budget is refused.
struct FakeFile {
    std::vector<uint8_t> bytes;
    FileFailure openFailure = FileFailure::None;
    uint64_t reportedSize = UINT64_MAX; // the size open reports; UINT64_MAX: the real one
    std::size_t failReadsFrom = SIZE_MAX;
    FileFailure readFailure = FileFailure::InputOutput;
    std::size_t memoryBudget = SIZE_MAX;
    std::string openedPath;
    std::vector<std::unique_ptr<uint8_t[]>> blocks;

    FileSeam seam() {
        FileSeam s{};
        s.context = this;
        s.open = [](void* self, const char* path, uint64_t* size) {
            auto* f = static_cast<FakeFile*>(self);
            f->openedPath = path;
            *size = f->reportedSize != UINT64_MAX ? f->reportedSize : f->bytes.size();
            return f->openFailure;
        };
        s.read = [](void* self, uint64_t offset, uint8_t* buffer, std::size_t size) {
            auto* f = static_cast<FakeFile*>(self);
            if (offset + size > f->failReadsFrom) {
                return f->readFailure;
            }
            if (offset + size > f->bytes.size()) {
                return FileFailure::Shrunk;
            }
            std::memcpy(buffer, f->bytes.data() + offset, size);
            return FileFailure::None;
        };
        s.memory = [](void* self, std::size_t size) -> uint8_t* {
            auto* f = static_cast<FakeFile*>(self);
            if (size > f->memoryBudget) {
                return nullptr;
            }
            f->memoryBudget -= size;
            f->blocks.emplace_back(new uint8_t[size]);
            return f->blocks.back().get();
        };
        return s;
    }
};

} // namespace tolvane::testing
