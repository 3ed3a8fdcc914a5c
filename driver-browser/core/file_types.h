// The File Types menu: its four items, the pattern each one gives the driver list, and the
// handling that runs whenever the list's path or pattern has changed.
#pragma once

#include "main_window_seam.h"

#include <cstddef>

namespace tolvane {

struct FileTypeItem {
    const char* name;    // the menu item's control name
    const char* caption; // its text in the menu
    const char* pattern; // the ";"-separated wildcard patterns it sets
};

// In menu order. Exactly one item carries the check mark; the first one at start.
inline constexpr FileTypeItem kFileTypeItems[] = {
    {"DRVOnly", "DRV Files only", "*.drv"},
    {"DLLOnly", "DLL Files Only", "*.dll"},
    {"vxdonly", "VXD Files", "*.vxd"},
    {"BothDLLDRV", "DRV, DLL, and VXD", "*.dll;*.drv;*.vxd"},
};
inline constexpr std::size_t kFileTypeItemCount = sizeof kFileTypeItems / sizeof kFileTypeItems[0];
inline constexpr std::size_t kInitialFileTypeItem = 0;

// The order in which an empty list empties the value labels.
inline constexpr ValueLabel kRefreshClearOrder[] = {ValueLabel::FileName, ValueLabel::Description,
                                                    ValueLabel::Vendor, ValueLabel::Version};

// The refresh handling after the list's path or pattern changed: with at least one entry,
// select entry 0 (whose selection notification shows its details); otherwise empty the
// captions of FileNamelbl, Descrlbl, Vendorlbl and Versionlbl, in that order.
void refreshDriverList(const MainWindowSeam& window);

} // namespace tolvane
