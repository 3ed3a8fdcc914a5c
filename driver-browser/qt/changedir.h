// The "Select Path" dialog: the drive list Drive1 and the directory list Dir1, by the core's
// rules (select_path.h).
//
// Opened modally by the main window, which passes the list's path in and gets the chosen
// directory back through `newpath`: OK writes Dir1's open path into it, Cancel and closing by
// the frame leave it alone. Neither button is a default or cancel button; Enter and Esc act
// on the focused control only. A drive is a mount point, its own root. Dir1 opens an entry on
// a double click or on Enter; highlighting alone does not.
#pragma once

#include "posix_directory.h"
#include "select_path.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QListWidgetItem;

namespace Ui {
class changedir;
}

class changedir : public QDialog {
    Q_OBJECT
public:
    // Role of each Dir1 entry's full path (in the form of native_names.h).
    static constexpr int PathRole = Qt::UserRole + 1;

    changedir(const QString& listPath, QString& newpath, const QStringList& drives,
              QWidget* parent = nullptr);
    ~changedir() override;

private slots:
    void on_Drive1_currentIndexChanged(int index);
    void on_Dir1_itemDoubleClicked(QListWidgetItem* item);
    void on_Command1_clicked();
    void on_Command2_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    tolvane::SelectPathSeam seam();
    void openEntry(QListWidgetItem* item);
    void setOpenPath(const char* path);
    void tellOpenFailed(const QByteArray& dir, const char* reason);

    std::unique_ptr<Ui::changedir> ui;
    QString& newpath_;
    QList<QByteArray> drives_; // Drive1's drives as the file system's bytes
    QByteArray current_;       // the process's current directory, as last asked for
    QByteArray openPath_;      // Dir1's open path, "" before any
    QList<QByteArray> branch_, subdirectories_; // Dir1's names while it fills
    tolvane::PosixDirectory directory_;
    int shownDrive_ = -1;  // the drive whose directory Dir1 shows
    bool loading_ = false; // failures are told once the dialog is up
};
