#include "changedir.h"

#include "dialog_keys.h"
#include "image_resources.h"
#include "native_names.h"
#include "ui_changedir.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

changedir::changedir(const QString& listPath, QString& newpath, QWidget* parent)
    : changedir(listPath, newpath, tolvane::machineDrives(), parent) {}

changedir::changedir(const QString& listPath, QString& newpath, const QStringList& drives,
                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::changedir>()), newpath_(newpath) {
    tolvane::loadImageResources();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(191, 107);
    // The position is the client area's: setGeometry places the inside of the window, the
    // frame the system adds goes round it.
    setGeometry(120, 164, 191, 107);
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/changedir_32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/icons/changedir_16.png"), QSize(16, 16));
    setWindowIcon(icon);
    connect(ui->Dir1, &DirectoryList::openFailed, this, &changedir::tellOpenFailed);

    // Drive1 starts on the drive of the process's current directory, without a Change.
    ui->Drive1->setDrives(drives);
    shownDrive_ = ui->Drive1->currentIndex();
    load(listPath);
    ui->Dir1->setFocus();
}

changedir::~changedir() = default;

void changedir::load(const QString& listPath) {
    // Step 1 may raise Change of Drive1, which moves Dir1 to that drive's current
    // directory; step 2 then moves Dir1 to the list's own directory.
    ui->Drive1->setDrive(listPath);
    QString reason;
    if (!ui->Dir1->setPath(listPath, &reason)) {
        // Tell once the dialog is up, so that the message sits on top of it.
        const QString dir = listPath;
        QMetaObject::invokeMethod(
            this, [this, dir, reason] { tellOpenFailed(dir, reason); }, Qt::QueuedConnection);
        // Show a directory the user can move on from: the drive's current directory, else
        // its root.
        const QString drive = ui->Drive1->drive();
        if (!drive.isEmpty() &&
            !ui->Dir1->setPath(tolvane::currentDirectoryOfDrive(drive, ui->Drive1->drives())))
            ui->Dir1->setPath(drive);
    }
    // Keep the drive list on the drive of what Dir1 shows.
    if (!ui->Dir1->path().isEmpty()) {
        const int index = ui->Drive1->indexOfDriveHolding(ui->Dir1->path());
        if (index >= 0 && index != ui->Drive1->currentIndex())
            ui->Drive1->restoreIndex(index);
        if (index >= 0)
            shownDrive_ = index;
    }
}

void changedir::on_Drive1_currentIndexChanged(int index) {
    if (index < 0)
        return;
    const QString drive = ui->Drive1->itemText(index);
    const QString target = tolvane::currentDirectoryOfDrive(drive, ui->Drive1->drives());
    QString reason;
    if (ui->Dir1->setPath(target, &reason)) {
        shownDrive_ = index;
        return;
    }
    // The drive cannot be read: back to the drive and directory shown before.
    ui->Drive1->restoreIndex(shownDrive_);
    tellOpenFailed(target, reason);
}

void changedir::on_Command1_clicked() {
    // Dir1 has no path only when not even a drive root could be read: keep the old one.
    if (!ui->Dir1->path().isEmpty())
        newpath_ = ui->Dir1->path();
    accept();
}

void changedir::on_Command2_clicked() {
    reject();
}

void changedir::tellOpenFailed(const QString& dir, const QString& reason) {
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    tr("The directory %1 cannot be opened: %2\nThe previous drive and "
                       "directory are kept.")
                        .arg(tolvane::shownPath(dir), reason),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("changedirFailedBox"));
    box.exec();
}

void changedir::keyPressEvent(QKeyEvent* event) {
    // No default and no cancel button: Enter presses only the focused button, Escape nothing.
    if (!tolvane::handleButtonOnlyDialogKey(this, event))
        QDialog::keyPressEvent(event);
}
