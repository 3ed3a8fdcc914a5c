// The shortcut rule's view of Windows: which folders exist, and the user's own desktop
// folder as the shell names it.
#pragma once

#include "core/shortcut_file.h"

namespace tolvane {

// folderExists: GetFileAttributesA says it is a directory. userDesktop: the shell's
// CSIDL_DESKTOPDIRECTORY (SHGetSpecialFolderLocation, SHGetPathFromIDListA), which every
// Windows 95 has; with user profiles and on NT the user's own folder, without profiles the
// Windows directory's "desktop".
DesktopFolders shellDesktopFolders();

} // namespace tolvane
