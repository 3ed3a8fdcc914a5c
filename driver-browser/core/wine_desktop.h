// The user's own desktop folder in a Wine prefix: where the shortcut goes on Linux when the
// prefix's Windows directory has no "desktop" folder (every prefix Wine makes).
#pragma once

#include "shortcut_file.h"

#include <string>

namespace tolvane {

// The Desktop folder of the prefix's user as the prefix's registry names it: the value
// "Desktop" of "User Shell Folders", else of "Shell Folders", under
// Software\Microsoft\Windows\CurrentVersion\Explorer in user.reg. %NAME% variables are
// expanded from the prefix's environment keys (user.reg's "Volatile Environment" and
// "Environment", system.reg's Session Manager "Environment"; an unknown one stays as it
// stands), and the Windows path is mapped into the prefix: C: is drive_c, any other drive
// letter dosdevices/<letter>:, backslashes become slashes and the text UTF-8. Empty when
// the registry names no such folder or not by a drive letter.
std::string wineUserDesktop(const std::string& prefix);

// The shortcut rule's view of this system: a folder exists when stat says it is a
// directory; the user's desktop is wineUserDesktop() of winePrefix().
DesktopFolders wineDesktopFolders();

} // namespace tolvane
