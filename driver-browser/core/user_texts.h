// The texts both front-ends show the user beyond the window definitions, and the maker's
// web address, each written once.
#pragma once

// The maker's web site: in the help text and in the desktop shortcut. A macro, so that the
// texts built with it are literals too.
#define TOLVANE_WEB_SITE "http://www.brisklow.example/"

namespace tolvane {

// Label3 of the help window.
inline constexpr char kHelpText[] =
    "Tolvane is simple.  Upon running, it will grab a list of the drivers on your computer.  "
    "You can obtain information on a driver by clicking on it.  You can print the information "
    "on a single driver or the whole list.  You can then take this information and connect "
    "to " TOLVANE_WEB_SITE " and see if you have the latest drivers for your hardware.";

// The message boxes' style for a warning: an OK button and the warning icon.
inline constexpr unsigned kWarningStyle = 0x30;

// Title of the print commands' warnings (the main window's caption).
inline constexpr char kPrintWarningTitle[] = "Tolvane v1.4";
// No default printer to print on.
inline constexpr char kNoPrinterText[] =
    "No printer is installed. Set up a printer as the system's default printer and try again.";
// The printer failed; when the system says why, the reason follows on a line of its own.
inline constexpr char kPrintFailedText[] = "The report could not be printed.";
inline constexpr char kPrintFailedReason[] = "\nReason: ";

// The shortcut file could not be written: title, and the text before the file's path and
// before the reason (shortcut_file.h).
inline constexpr char kShortcutFailedTitle[] = "Tolvane";
inline constexpr char kShortcutFailedText[] = "The shortcut to our Website could not be created.";
inline constexpr char kShortcutFailedFile[] = "\n\nFile: ";
inline constexpr char kShortcutFailedReason[] = "\nReason: ";

// Select Path cannot open a directory: before the directory, before the reason, and after
// (select_path.h).
inline constexpr char kCannotOpenBefore[] = "The directory ";
inline constexpr char kCannotOpenReason[] = " cannot be opened: ";
inline constexpr char kCannotOpenAfter[] = "\nThe previous drive and directory are kept.";

} // namespace tolvane
