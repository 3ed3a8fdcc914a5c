// The drive list of the "Select Path" dialog: the machine's drives and which one holds a path.
//
// A drive is a mounted file system, named by its mount point ("/", "/home"); pseudo file
// systems (proc, sysfs, cgroup, ...) and everything mounted below /proc, /sys, /dev and
// /run are left out. Which drive holds a path, and where a drive opens, are the core's
// Select Path rules (select_path.h).
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace tolvane {

// The drives of this machine, sorted.
QStringList machineDrives();

// Mount points listed in a mounts table (the text of /proc/self/mounts), pseudo file
// systems left out, octal escapes ("\040" for a blank) decoded, duplicates removed, sorted.
QStringList drivesFromMountTable(const QByteArray& mounts);

// The drive among `drives` that holds `path`: the longest drive that is a whole-component
// prefix of it. Empty when none does.
QString driveOfPath(const QString& path, const QStringList& drives);

} // namespace tolvane

// Drop-down list of drives with a current drive; a change of the current drive, by the
// user or by the program, emits currentIndexChanged.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // Replaces the list of drives without signalling; the current drive becomes the one
    // holding the process's current directory.
    void setDrives(const QStringList& drives);
    QStringList drives() const;

    // The current drive ("/" or "C:\"); empty when the list is empty.
    QString drive() const;

    // Makes the drive that holds `path` current (signals when that changes the drive).
    // Returns false, changing nothing, when no listed drive holds it.
    bool setDrive(const QString& path);

    // Index of the drive that holds `path`, -1 when none does.
    int indexOfDriveHolding(const QString& path) const;

    // Makes the drive at `index` current without signalling.
    void restoreIndex(int index);
};
