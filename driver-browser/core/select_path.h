// "Select Path": the rules of the drive list Drive1 and the directory list Dir1 over a
// two-list seam, as the dialog's load, a change of drive and OK use them.
//
// Dir1 shows the open branch: the drive root, each directory down to the open one (the
// branch), then the open directory's subdirectories one level deeper, indented by
// kBranchIndent per level.
#pragma once

#include "directory_listing.h"

#include <cstddef>

namespace tolvane {

inline constexpr char kBranchIndent[] = "  ";

// The entries of path's branch: its root, then one per directory below it (empty
// components of doubled or trailing separators do not count).
int branchLength(const char* path, char separator);

// Entry index of path's branch (0 the root): the name Dir1 shows (the root whole, otherwise
// the directory's own name) and the length of the path behind it, a prefix of path.
struct BranchEntry {
    const char* name;
    std::size_t nameLength;
    std::size_t pathLength;
};
BranchEntry branchEntry(const char* path, char separator, int index);

// The path behind Dir1's entry index when openPath is open: a prefix of it for an entry of
// the branch, else openPath joined with the subdirectory's name (no separator doubled after
// a root). As joinPath (path_text.h).
std::size_t pathBehindEntry(const char* openPath, char separator, int index,
                            const char* subdirectory, char* buffer, std::size_t capacity);

// Whether drive ("C:", "/home") holds path: path starts with it (ignoring case where names
// do) and goes on, if at all, with a separator.
bool driveHolds(const char* drive, const char* path, char separator, bool ignoreCase);

// The dialog's two lists and the platform calls behind them.
struct SelectPathSeam {
    void* context;
    char separator;
    bool ignoreCase; // whether the file system ignores the case of names
    DirectorySeam directories;
    // The process's current directory.
    const char* (*currentDirectory)(void* context);
    // Where the platform keeps a current directory for each drive (Windows), that of drive
    // index; null where it keeps none (a drive then opens at the process's current directory
    // when that lies on it).
    const char* (*driveCurrentDirectory)(void* context, int index);
    // Drive1: its drives, each by the name it shows and the root directory it opens at.
    int (*driveCount)(void* context);
    const char* (*driveName)(void* context, int index);
    const char* (*driveRoot)(void* context, int index);
    // The drive whose directory Dir1 shows, and making a drive that one (Drive1 shows it,
    // without a Change).
    int (*shownDrive)(void* context);
    void (*showDrive)(void* context, int index);
    // Dir1: emptied, then the branch entries in order, then the subdirectories (each put
    // at its place by compareNames), then the open path, whose entry is highlighted.
    void (*clearDirectories)(void* context);
    void (*addBranchEntry)(void* context, const char* name, std::size_t length, int depth);
    void (*addSubdirectory)(void* context, const char* name, int depth);
    void (*setOpenPath)(void* context, const char* path);
    // Dir1's open path, "" before any.
    const char* (*openPath)(void* context);
    // Tells the user that dir cannot be opened and why, and that the previous drive and
    // directory are kept, in the words of cannotOpenText (during the load: once the dialog
    // is visible).
    void (*tellOpenFailed)(void* context, const char* dir, const char* reason);
};

// What the user is told when dir cannot be opened for reason: as joinTexts (path_text.h).
std::size_t cannotOpenText(const char* dir, const char* reason, char* buffer, std::size_t capacity);

// The index of the drive that holds path (the longest one), -1 when none does.
int driveHolding(const SelectPathSeam& dialog, const char* path);

// Opens dir in Dir1. When it cannot be read Dir1 keeps its path and entries, and the
// reason comes back.
FileFailure openDirectory(const SelectPathSeam& dialog, const char* dir);

// Change of Drive1 to drive: Dir1 opens at that drive's current directory (the platform's
// for the drive, else the process's current directory when it lies on that drive, else the
// drive's root). When it cannot be read, Drive1 goes back to the drive Dir1 shows and the
// user is told.
void selectPathDriveChanged(const SelectPathSeam& dialog, int drive);

// The load: 1. Drive1 from the list's path (a different drive raises Change); 2. Dir1 from
// the list's path. When that cannot be read the user is told, and Dir1 shows the drive's
// current directory, else its root. Drive1 then shows the drive of what Dir1 shows.
void loadSelectPath(const SelectPathSeam& dialog, const char* listPath);

// What OK hands back as newpath: Dir1's open path, or null when nothing could be opened at
// all (newpath then keeps the list's path).
const char* selectPathAnswer(const SelectPathSeam& dialog);

} // namespace tolvane
