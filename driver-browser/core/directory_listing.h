// The driver list's contents: which files of a directory it lists, matched on their real
// names, and in what order. The platform reads the directory behind DirectorySeam
// (FindFirstFileA on Windows, readdir on Linux).
#pragma once

#include "file_reading.h"

#include <string_view>

namespace tolvane {

// One entry of a directory as the platform reports it.
struct DirectoryEntry {
    const char* name; // the real (long) name, never an 8.3 short name
    bool regularFile; // a file (links followed), not a directory, device or pipe
    bool directory;   // a directory (links followed)
    bool hidden;      // the hidden attribute; on Linux also a name starting with '.'
    bool system;      // the system attribute (on Linux: as Wine keeps both, in the
                      // extended attribute user.DOSATTRIB)
};

// Reading one directory. The context closes what it opened when its owner is done.
struct DirectorySeam {
    void* context;
    // Starts reading dir: None, or why it cannot be read.
    FileFailure (*open)(void* context, const char* dir);
    // The next entry, valid until the following call; false after the last one.
    bool (*next)(void* context, DirectoryEntry* entry);
};

// Receives names one by one.
struct NameSink {
    void* context;
    void (*add)(void* context, const char* name);
};

// True when name matches the wildcard pattern ('*' any run, '?' one character), ignoring
// the case of ASCII letters.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Hands every entry of dir the driver list shows to sink, once each, in the directory's
// order: each file that is neither hidden nor a system file, whose real name matches any of
// the ';'-separated wildcard patterns (empty ones ignored). The list orders them by
// compareNames (name_order.h). False, with nothing handed over, when dir cannot be read.
bool listDriverFiles(const DirectorySeam& directory, const char* dir, const char* patterns,
                     const NameSink& sink);

// Tells whether two names (neither empty) stand for one directory: the platform's idea.
struct DirectoryIdentitySeam {
    void* context;
    bool (*sameDirectory)(void* context, const char* a, const char* b);
};

// Whether pointing the list at dir leaves it where it is: the same text as its current
// path, or, neither being empty, another name of the same directory.
bool isSameDirectory(const char* current, const char* dir, const DirectoryIdentitySeam& identity);

} // namespace tolvane
