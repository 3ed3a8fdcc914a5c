#include "directory_listing.h"

#include "path_text.h"

#include <cstring>

namespace tolvane {

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    // Two pointers; on a mismatch fall back to the latest '*' and let it swallow one more
    // character. Linear in practice, never worse than pattern size times name size.
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t starMatched = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starMatched = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || foldAscii(pattern[p]) == foldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starMatched;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

namespace {

bool matchesPatterns(const char* patterns, const char* name) {
    const std::string_view wanted(name, std::strlen(name));
    const char* start = patterns;
    for (const char* p = patterns;; ++p) {
        if (*p != ';' && *p != '\0') {
            continue;
        }
        const auto size = static_cast<std::size_t>(p - start);
        if (size > 0 && wildcardMatch(std::string_view(start, size), wanted)) {
            return true;
        }
        if (*p == '\0') {
            return false;
        }
        start = p + 1;
    }
}

bool listedAsDriverFile(const DirectoryEntry& entry, const char* patterns) {
    return entry.regularFile && !entry.hidden && !entry.system &&
           matchesPatterns(patterns, entry.name);
}

} // namespace

bool listDriverFiles(const DirectorySeam& directory, const char* dir, const char* patterns,
                     const NameSink& sink) {
    if (directory.open(directory.context, dir) != FileFailure::None) {
        return false;
    }
    DirectoryEntry entry{};
    while (directory.next(directory.context, &entry)) {
        if (listedAsDriverFile(entry, patterns)) {
            sink.add(sink.context, entry.name);
        }
    }
    return true;
}

bool isSameDirectory(const char* current, const char* dir, const DirectoryIdentitySeam& identity) {
    const std::string_view a(current, std::strlen(current));
    const std::string_view b(dir, std::strlen(dir));
    return a == b ||
           (!a.empty() && !b.empty() && identity.sameDirectory(identity.context, current, dir));
}

} // namespace tolvane
