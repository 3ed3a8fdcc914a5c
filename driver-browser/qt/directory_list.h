// The directory list of the "Select Path" dialog: the open branch of a directory tree, by
// the core's rules (select_path.h).
//
// The list shows the ancestors of the current path from the drive root down to the current
// directory itself, then the subdirectories of the current directory, one level deeper.
// Double-clicking an entry, or pressing Enter on the highlighted entry, opens it (makes it
// the current path); highlighting alone does not.
#pragma once

#include "posix_directory.h"
#include "select_path.h"

#include <QByteArray>
#include <QList>
#include <QListWidget>
#include <QString>

class DirectoryList;

// The context of a Select Path seam: the directory list, and the dialog around it (null when
// the list opens a directory on its own).
struct SelectPathContext {
    DirectoryList* list;
    void* dialog;
};

class DirectoryList : public QListWidget {
    Q_OBJECT
public:
    // Role of each entry's full path (in the form path() reports).
    static constexpr int PathRole = Qt::UserRole + 1;

    explicit DirectoryList(QWidget* parent = nullptr);

    // The current path in the platform's native form ("/home/u", "C:\WINDOWS").
    QString path() const { return path_; }

    // Opens `dir`. When it cannot be read the list keeps its current path and contents,
    // *error gets the reason and the result is false.
    bool setPath(const QString& dir, QString* error = nullptr);

    // Row of the current directory among the entries.
    int currentDirectoryRow() const { return currentDirRow_; }

    // The rules' seam with this list's part filled in (the directories, Dir1's entries and
    // open path); the dialog fills in the drives.
    tolvane::SelectPathSeam seam(SelectPathContext& context);

signals:
    // The current path changed.
    void pathChanged(const QString& path);
    // The user tried to open a directory that cannot be read.
    void openFailed(const QString& dir, const QString& reason);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openEntry(QListWidgetItem* item);
    void clearEntries();
    void setOpenPath(const char* path);

    QString path_;
    QByteArray openPath_;
    int currentDirRow_ = -1;
    QList<QByteArray> branch_;         // while the list fills: the branch's names
    QList<QByteArray> subdirectories_; // and the subdirectories, put in order at the end
    tolvane::PosixDirectory directory_;
};
