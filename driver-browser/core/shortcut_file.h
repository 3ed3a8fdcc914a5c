// The Internet shortcut to the maker's web site that a click on the main window's picture
// writes onto the desktop, where it goes, and the thanks shown after.
#pragma once

#include "user_texts.h"

#include <cstddef>

namespace tolvane {

// The file's exact contents: two CR LF-terminated lines.
inline constexpr char kShortcutContents[] = "[InternetShortcut]\r\nURL=" TOLVANE_WEB_SITE "\r\n";
inline constexpr std::size_t kShortcutSize = sizeof kShortcutContents - 1;

inline constexpr char kShortcutFolder[] = "desktop";
inline constexpr char kShortcutFileName[] = "Harrowmint.URL";

// winPath + separator + "desktop" + separator + "Harrowmint.URL", joined as the strings
// stand, into buffer (at most capacity - 1 bytes and a terminating zero byte; nothing when
// capacity is 0). Returns the full length of the path, so a result >= capacity means the
// path was cut.
std::size_t shortcutPath(const char* winPath, char separator, char* buffer, std::size_t capacity);

// What the platform tells the shortcut rule about its folders.
struct DesktopFolders {
    void* context;
    // Whether path names an existing folder.
    bool (*folderExists)(void* context, const char* path);
    // The user's own desktop folder into buffer (zero-terminated, at most capacity - 1
    // bytes); false when the platform names none or the name does not fit.
    bool (*userDesktop)(void* context, char* buffer, std::size_t capacity);
};

enum class ShortcutPlace {
    WindowsDesktop, // the "desktop" folder under the Windows directory (Windows 95 without
                    // user profiles)
    UserDesktop,    // the user's own desktop folder (profiles, NT, a Wine prefix)
    Nowhere,        // neither folder exists
};

// Where the shortcut file goes: shortcutPath()'s file where winPath + separator + "desktop"
// exists; otherwise "Harrowmint.URL" in the user's desktop folder where the platform names
// one that exists. With Nowhere, buffer holds the file's path in the last folder tried (the
// user's desktop folder when the platform names one), for the warning. A path that does
// not fit into buffer counts as a folder that does not exist.
ShortcutPlace placeShortcut(const char* winPath, char separator, const DesktopFolders& folders,
                            char* buffer, std::size_t capacity);

// The thank-you message box: title, text (two sentences separated by a lone carriage
// return) and style (4096 system-modal + 64 information icon + 0 OK button only).
inline constexpr char kThankYouTitle[] = "Thank You!";
inline constexpr char kThankYouText[] = "A link to our Website has been created on your desktop.\r"
                                        "To access our page, siply double click the shorcut icon.";
inline constexpr unsigned kThankYouStyle = 4160;

} // namespace tolvane
