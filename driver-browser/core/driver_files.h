// Listing the files of a directory the way the driver list shows them.
#pragma once

#include "directory_listing.h"

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// Linux builds: the names (no directory) the driver list shows for dir (the rules of
// directory_listing.h over readdir), in the order of compareNativeNames. A directory that does not
// exist or cannot be read gives an empty list.
std::vector<std::string> listDriverFiles(const std::string& dir, const std::string& patterns);

// A file name as the list shows it: the characters of its UTF-8 when it is valid UTF-8 by the
// rule of common/utf8.h (Linux names), otherwise one character per byte through the system's 8-bit
// code page, as names copied from old Windows media are. The bytes themselves are what opens the
// file.
std::u16string shownFileName(std::string_view bytes);

// The lists' order (compareNames, name_order.h) for names as the Linux file system holds
// them: each name is compared as the code page's characters it shows (shownFileName), as
// tolvane.exe compares its names. Names showing a character the code page lacks come after
// all others, in byte order; two names that show alike are ordered by their bytes.
int compareNativeNames(std::string_view a, std::string_view b);

// Puts names in that order, each name's characters worked out once.
void sortNativeNames(std::vector<std::string>* names);

} // namespace tolvane
