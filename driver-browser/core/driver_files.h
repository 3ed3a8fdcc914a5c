// Listing the files of a directory the way the driver list shows them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// True when name matches the wildcard pattern ('*' any run, '?' one character),
// ignoring the case of ASCII letters.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// The names (no directory) of the regular files in dir whose names match any of the
// ';'-separated wildcard patterns, sorted ignoring case. Directories and hidden files
// (on Linux: names starting with '.'; on Windows: hidden or system attribute) are left
// out. A directory that does not exist or cannot be read gives an empty list.
std::vector<std::string> listDriverFiles(const std::string& dir, const std::string& patterns);

} // namespace tolvane
