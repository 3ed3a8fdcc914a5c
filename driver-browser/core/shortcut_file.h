// The Internet shortcut to the maker's web site that a click on the main window's picture
// writes into the "desktop" folder under the Windows directory, and the thanks shown after.
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

// The thank-you message box: title, text (two sentences separated by a lone carriage
// return) and style (4096 system-modal + 64 information icon + 0 OK button only).
inline constexpr char kThankYouTitle[] = "Thank You!";
inline constexpr char kThankYouText[] = "A link to our Website has been created on your desktop.\r"
                                        "To access our page, siply double click the shorcut icon.";
inline constexpr unsigned kThankYouStyle = 4160;

} // namespace tolvane
