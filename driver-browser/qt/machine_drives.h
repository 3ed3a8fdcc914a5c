// The drives "Select Path" offers on Linux: the mounted file systems, each named by its mount
// point ("/", "/home"). Pseudo file systems (proc, sysfs, cgroup, ...) and everything mounted
// below /proc, /sys, /dev and /run are left out.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace tolvane {

// The drives of this machine, sorted.
QStringList machineDrives();

// Mount points listed in a mounts table (the text of /proc/self/mounts), pseudo file
// systems left out, octal escapes ("\040" for a blank) decoded, duplicates removed, sorted.
QStringList drivesFromMountTable(const QByteArray& mounts);

} // namespace tolvane
