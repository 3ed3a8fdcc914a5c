#include "select_path.h"

#include "path_text.h"
#include "user_texts.h"

#include <cstring>

namespace tolvane {

namespace {

bool isDotName(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// The length of path's root: up to and including its first separator ("C:\", "/"); the
// whole path when it has none.
std::size_t rootLength(const char* path, char separator) {
    const std::size_t length = std::strlen(path);
    const auto* found = static_cast<const char*>(std::memchr(path, separator, length));
    return found != nullptr ? static_cast<std::size_t>(found - path) + 1 : length;
}

// The next directory of path's branch from *at on (separators skipped) into *start, with
// *at behind it; false when there is none.
bool nextDirectory(const char* path, char separator, std::size_t* at, std::size_t* start) {
    while (path[*at] == separator) {
        ++*at;
    }
    *start = *at;
    while (path[*at] != '\0' && path[*at] != separator) {
        ++*at;
    }
    return *at > *start;
}

// Whether Dir1 lists an entry of the open directory: a directory, not hidden, not "." or
// "..".
bool listedAsSubdirectory(const DirectoryEntry& entry) {
    return entry.directory && !entry.hidden && !isDotName(entry.name);
}

// The directory drive opens at: the platform's current directory for it, else the process's
// current directory when that lies on it, else the drive's root.
const char* driveDirectory(const SelectPathSeam& dialog, int drive) {
    if (dialog.driveCurrentDirectory != nullptr) {
        return dialog.driveCurrentDirectory(dialog.context, drive);
    }
    const char* current = dialog.currentDirectory(dialog.context);
    if (driveHolding(dialog, current) == drive) {
        return current;
    }
    return dialog.driveRoot(dialog.context, drive);
}

} // namespace

BranchEntry branchEntry(const char* path, char separator, int index) {
    const std::size_t root = rootLength(path, separator);
    BranchEntry entry{path, root, root};
    std::size_t at = root;
    std::size_t start = 0;
    for (int level = 1; level <= index && nextDirectory(path, separator, &at, &start); ++level) {
        entry = BranchEntry{path + start, at - start, at};
    }
    return entry;
}

int branchLength(const char* path, char separator) {
    int count = 1;
    std::size_t at = rootLength(path, separator);
    std::size_t start = 0;
    while (nextDirectory(path, separator, &at, &start)) {
        ++count;
    }
    return count;
}

std::size_t pathBehindEntry(const char* openPath, char separator, int index,
                            const char* subdirectory, char* buffer, std::size_t capacity) {
    if (index < branchLength(openPath, separator)) {
        const std::size_t length = branchEntry(openPath, separator, index).pathLength;
        joinTexts({openPath}, buffer, capacity);
        if (length < capacity) {
            buffer[length] = '\0';
        }
        return length;
    }
    return joinChildPath(openPath, separator, subdirectory, buffer, capacity);
}

bool driveHolds(const char* drive, const char* path, char separator, bool ignoreCase) {
    std::size_t n = 0;
    for (; drive[n] != '\0'; ++n) {
        const bool same =
            ignoreCase ? foldAscii(drive[n]) == foldAscii(path[n]) : drive[n] == path[n];
        if (!same) {
            return false;
        }
    }
    return path[n] == '\0' || path[n] == separator || (n > 0 && drive[n - 1] == separator);
}

int driveHolding(const SelectPathSeam& dialog, const char* path) {
    int best = -1;
    std::size_t bestLength = 0;
    const int count = dialog.driveCount(dialog.context);
    for (int i = 0; i < count; ++i) {
        const char* drive = dialog.driveName(dialog.context, i);
        const std::size_t length = std::strlen(drive);
        if (length > bestLength && driveHolds(drive, path, dialog.separator, dialog.ignoreCase)) {
            best = i;
            bestLength = length;
        }
    }
    return best;
}

FileFailure openDirectory(const SelectPathSeam& dialog, const char* dir) {
    if (dir[0] == '\0') {
        return FileFailure::NotFound;
    }
    const DirectorySeam& directory = dialog.directories;
    if (const FileFailure failed = directory.open(directory.context, dir);
        failed != FileFailure::None) {
        return failed;
    }
    dialog.clearDirectories(dialog.context);
    const int branch = branchLength(dir, dialog.separator);
    for (int level = 0; level < branch; ++level) {
        const BranchEntry entry = branchEntry(dir, dialog.separator, level);
        dialog.addBranchEntry(dialog.context, entry.name, entry.nameLength, level);
    }
    DirectoryEntry entry{};
    while (directory.next(directory.context, &entry)) {
        if (listedAsSubdirectory(entry)) {
            dialog.addSubdirectory(dialog.context, entry.name, branch);
        }
    }
    dialog.setOpenPath(dialog.context, dir);
    return FileFailure::None;
}

void selectPathDriveChanged(const SelectPathSeam& dialog, int drive) {
    const char* target = driveDirectory(dialog, drive);
    const FileFailure failed = openDirectory(dialog, target);
    if (failed == FileFailure::None) {
        dialog.showDrive(dialog.context, drive);
        return;
    }
    dialog.showDrive(dialog.context, dialog.shownDrive(dialog.context));
    dialog.tellOpenFailed(dialog.context, target, fileFailureReason(failed));
}

void loadSelectPath(const SelectPathSeam& dialog, const char* listPath) {
    const int listDrive = driveHolding(dialog, listPath);
    if (listDrive >= 0 && listDrive != dialog.shownDrive(dialog.context)) {
        selectPathDriveChanged(dialog, listDrive);
    }
    const FileFailure failed = openDirectory(dialog, listPath);
    if (failed != FileFailure::None) {
        dialog.tellOpenFailed(dialog.context, listPath, fileFailureReason(failed));
        const int drive = dialog.shownDrive(dialog.context);
        if (drive >= 0 &&
            openDirectory(dialog, driveDirectory(dialog, drive)) != FileFailure::None) {
            openDirectory(dialog, dialog.driveRoot(dialog.context, drive));
        }
    }
    const int shown = driveHolding(dialog, dialog.openPath(dialog.context));
    if (shown >= 0) {
        dialog.showDrive(dialog.context, shown);
    }
}

std::size_t cannotOpenText(const char* dir, const char* reason, char* buffer,
                           std::size_t capacity) {
    return joinTexts({kCannotOpenBefore, dir, kCannotOpenReason, reason, kCannotOpenAfter}, buffer,
                     capacity);
}

const char* selectPathAnswer(const SelectPathSeam& dialog) {
    const char* open = dialog.openPath(dialog.context);
    return open[0] != '\0' ? open : nullptr;
}

} // namespace tolvane
