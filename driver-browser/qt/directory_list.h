// The directory list of the "Select Path" dialog: the open branch of a directory tree.
//
// The list shows the ancestors of the current path from the drive root down to the current
// directory itself, then the subdirectories of the current directory, one level deeper.
// Double-clicking an entry, or pressing Enter on the highlighted entry, opens it (makes it
// the current path); highlighting alone does not.
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace tolvane {

// The chain of directories from the root down to `path` itself (cleaned, absolute),
// e.g. "/a/b" gives "/", "/a", "/a/b".
QStringList directoryBranch(const QString& path);

// Names of the subdirectories of `dir`, sorted case-insensitively, hidden ones left out.
// False with *error set (the system's reason) when the directory cannot be read.
bool readSubdirectories(const QString& dir, QStringList* names, QString* error);

} // namespace tolvane

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

    QString path_;
    int currentDirRow_ = -1;
};
