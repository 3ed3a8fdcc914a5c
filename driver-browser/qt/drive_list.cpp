#include "drive_list.h"

#include <QDir>
#include <QFile>
#include <QSignalBlocker>
#include <algorithm>

#ifdef Q_OS_WIN
#include <cwchar>
#include <iterator>
#include <windows.h>
#endif

namespace tolvane {
namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity pathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity pathCase = Qt::CaseSensitive;
#endif

bool isPseudoFileSystem(const QByteArray& type) {
    static const char* const pseudo[] = {
        "proc",   "sysfs",      "devtmpfs",  "devpts",      "cgroup",          "cgroup2",
        "pstore", "securityfs", "debugfs",   "tracefs",     "configfs",        "fusectl",
        "mqueue", "hugetlbfs",  "bpf",       "binfmt_misc", "autofs",          "rpc_pipefs",
        "nsfs",   "efivarfs",   "selinuxfs", "ramfs",       "fuse.gvfsd-fuse", "nfsd"};
    return std::any_of(std::begin(pseudo), std::end(pseudo),
                       [&](const char* name) { return type == name; });
}

bool isUnderSystemTree(const QString& mountPoint) {
    for (const char* tree : {"/proc", "/sys", "/dev", "/run"}) {
        const QString t = QString::fromLatin1(tree);
        if (mountPoint == t || mountPoint.startsWith(t + QLatin1Char('/')))
            return true;
    }
    return false;
}

// Mount tables write blanks, tabs, newlines and backslashes as three-digit octal escapes.
QByteArray decodeOctalEscapes(const QByteArray& field) {
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                out.append(static_cast<char>(digits.toInt(nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

// True when `drive` is a whole-component prefix of `path`.
bool driveHolds(const QString& drive, const QString& path) {
    if (!path.startsWith(drive, pathCase))
        return false;
    if (path.size() == drive.size() || drive.endsWith(QLatin1Char('/')) ||
        drive.endsWith(QLatin1Char('\\')))
        return true;
    const QChar next = path.at(drive.size());
    return next == QLatin1Char('/') || next == QLatin1Char('\\');
}

} // namespace

QStringList drivesFromMountTable(const QByteArray& mounts) {
    QStringList drives;
    for (const QByteArray& line : mounts.split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QString mountPoint = QFile::decodeName(decodeOctalEscapes(fields[1]));
        if (!mountPoint.startsWith(QLatin1Char('/')) || isPseudoFileSystem(fields[2]) ||
            isUnderSystemTree(mountPoint))
            continue;
        if (!drives.contains(mountPoint))
            drives.append(mountPoint);
    }
    drives.sort();
    return drives;
}

QStringList machineDrives() {
#ifdef Q_OS_WIN
    QStringList drives;
    wchar_t buffer[512] = {};
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer)), buffer);
    if (length > 0 && length < std::size(buffer)) {
        for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1)
            drives.append(QString::fromWCharArray(p).toUpper());
    }
    return drives;
#else
    for (const char* table : {"/proc/self/mounts", "/proc/mounts"}) {
        QFile file(QString::fromLatin1(table));
        // The files under /proc report size 0, so read to the end rather than by size.
        if (file.open(QIODevice::ReadOnly)) {
            const QStringList drives = drivesFromMountTable(file.readAll());
            if (!drives.isEmpty())
                return drives;
        }
    }
    return {QStringLiteral("/")};
#endif
}

QString driveOfPath(const QString& path, const QStringList& drives) {
    const QString native = QDir::toNativeSeparators(path);
    QString best;
    for (const QString& drive : drives) {
        if (drive.size() > best.size() && driveHolds(QDir::toNativeSeparators(drive), native))
            best = drive;
    }
    return best;
}

QString currentDirectoryOfDrive(const QString& drive, const QStringList& drives) {
    const QString cwd = QDir::toNativeSeparators(QDir::currentPath());
    if (driveOfPath(cwd, drives) == drive)
        return cwd;
    return drive;
}

} // namespace tolvane

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {}

void DriveList::setDrives(const QStringList& drives) {
    const QSignalBlocker quiet(this);
    clear();
    addItems(drives);
    const QString home = tolvane::driveOfPath(QDir::currentPath(), drives);
    setCurrentIndex(home.isEmpty() ? (drives.isEmpty() ? -1 : 0)
                                   : static_cast<int>(drives.indexOf(home)));
}

QStringList DriveList::drives() const {
    QStringList all;
    for (int i = 0; i < count(); ++i)
        all.append(itemText(i));
    return all;
}

QString DriveList::drive() const {
    return currentText();
}

int DriveList::indexOfDriveHolding(const QString& path) const {
    const QStringList all = drives();
    const QString drive = tolvane::driveOfPath(path, all);
    return drive.isEmpty() ? -1 : static_cast<int>(all.indexOf(drive));
}

bool DriveList::setDrive(const QString& path) {
    const int index = indexOfDriveHolding(path);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    return true;
}

void DriveList::restoreIndex(int index) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
}
