#include "machine_drives.h"

#include <QFile>
#include <algorithm>

namespace tolvane {
namespace {

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
    static const char* const trees[] = {"/proc/", "/sys/", "/dev/", "/run/"};
    return std::any_of(std::begin(trees), std::end(trees), [&](const char* tree) {
        return (mountPoint + QLatin1Char('/')).startsWith(QLatin1String(tree));
    });
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
}

} // namespace tolvane
