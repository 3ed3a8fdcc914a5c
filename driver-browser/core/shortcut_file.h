// The Internet shortcut to the maker's web site that a click on the main window's picture
// writes onto the desktop: its bytes, where it goes, and what the user is told after.
#pragma once

#include "user_texts.h"

#include <cstddef>

namespace tolvane {

// The file's exact contents: two CR LF-terminated lines.
inline constexpr char kShortcutContents[] = "[InternetShortcut]\r\nURL=" TOLVANE_WEB_SITE "\r\n";
inline constexpr std::size_t kShortcutSize = sizeof kShortcutContents - 1;

inline constexpr char kShortcutFolder[] = "desktop";
inline constexpr char kShortcutFileName[] = "Harrowmint.URL";

// What the platform tells the shortcut rule about its folders.
struct DesktopFolders {
    void* context;
    // Whether path names an existing folder.
    bool (*folderExists)(void* context, const char* path);
    // The user's own desktop folder into buffer (zero-terminated, at most capacity - 1
    // bytes); false when the platform names none or the name does not fit.
    bool (*userDesktop)(void* context, char* buffer, std::size_t capacity);
};

// The longest user's desktop folder taken.
inline constexpr std::size_t kUserDesktopCapacity = 520;

enum class ShortcutPlace {
    WindowsDesktop, // the "desktop" folder under the Windows directory (Windows 95 without
                    // user profiles)
    UserDesktop,    // the user's own desktop folder (profiles, NT, a Wine prefix)
    Nowhere,        // neither folder exists
};

// Where the shortcut file goes: winPath + separator + "desktop" + separator +
// "Harrowmint.URL" (joined as the strings stand) where that folder exists; otherwise
// "Harrowmint.URL" in the user's desktop folder where the platform names one that exists.
// With Nowhere, buffer holds the file's path in the last folder tried (the user's desktop
// folder when the platform names one), for the warning. A path that does not fit into
// buffer counts as a folder that does not exist.
ShortcutPlace placeShortcut(const char* winPath, char separator, const DesktopFolders& folders,
                            char* buffer, std::size_t capacity);

// The thank-you message box: title, text (two sentences separated by a lone carriage
// return) and style (4096 system-modal + 64 information icon + 0 OK button only).
inline constexpr char kThankYouTitle[] = "Thank You!";
inline constexpr char kThankYouText[] = "A link to our Website has been created on your desktop.\r"
                                        "To access our page, siply double click the shorcut icon.";
inline constexpr unsigned kThankYouStyle = 4160;

// Where the reason a write failed goes, and its room.
inline constexpr std::size_t kReasonCapacity = 256;

// The shortcut operation as the platform carries it out.
struct ShortcutSeam {
    void* context;
    DesktopFolders folders;
    // Creates or replaces the file at path with bytes[0..size). False when it could not,
    // with why in words into reason[kReasonCapacity], zero-terminated.
    bool (*write)(void* context, const char* path, const char* bytes, std::size_t size,
                  char* reason);
    // Memory of size bytes, kept until the next call; null when there is none.
    char* (*memory)(void* context, std::size_t size);
    // A message box: title, text (a path in it as the file system's bytes) and style (the
    // Windows value: kThankYouStyle or kWarningStyle).
    void (*tell)(void* context, const char* title, const char* text, unsigned style);
};

// The click on the main window's picture: the shortcut is written where placeShortcut puts
// it, and the user thanked. When it cannot be written (no desktop folder, for one) the user
// is told what failed, where and why, and not thanked.
void createDesktopShortcut(const ShortcutSeam& platform, const char* winPath);

} // namespace tolvane
