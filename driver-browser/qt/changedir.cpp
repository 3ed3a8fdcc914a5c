#include "changedir.h"

#include "driver_files.h"
#include "native_names.h"
#include "path_text.h"
#include "ui_changedir.h"
#include "windows_look.h"

#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStyle>
#include <algorithm>

namespace {

changedir* dialogOf(void* context) {
    return static_cast<changedir*>(context);
}

bool byName(const QByteArray& a, const QByteArray& b) {
    return tolvane::compareNativeNames(
               std::string_view(a.constData(), static_cast<std::size_t>(a.size())),
               std::string_view(b.constData(), static_cast<std::size_t>(b.size()))) < 0;
}

// A text the core writes into the caller's memory: asked for its length first.
template <typename Write>
QByteArray written(Write write) {
    QByteArray text(static_cast<qsizetype>(write(nullptr, 0)), '\0');
    write(text.data(), static_cast<std::size_t>(text.size()) + 1);
    return text;
}

} // namespace

changedir::changedir(const QString& listPath, QString& newpath, const QStringList& drives,
                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::changedir>()), newpath_(newpath) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(191, 107);
    setGeometry(120, 164, 191, 107); // the client area's: the system's frame goes round it
    setWindowIcon(tolvane::windowIcon("changedir"));

    // Drive1 starts on the drive of the process's current directory, without a Change.
    for (const QString& drive : drives)
        drives_.append(tolvane::pathToNative(drive));
    {
        const QSignalBlocker quiet(ui->Drive1);
        ui->Drive1->addItems(drives);
        const tolvane::SelectPathSeam rules = seam();
        const int home = tolvane::driveHolding(rules, rules.currentDirectory(this));
        if (home >= 0)
            ui->Drive1->setCurrentIndex(home);
    }
    shownDrive_ = ui->Drive1->currentIndex();

    const QByteArray path =
        listPath.isEmpty() ? QByteArray()
                           : tolvane::pathToNative(QDir::cleanPath(QDir(listPath).absolutePath()));
    loading_ = true;
    tolvane::loadSelectPath(seam(), path.constData());
    loading_ = false;
    ui->Dir1->setFocus();
}

changedir::~changedir() = default;

tolvane::SelectPathSeam changedir::seam() {
    tolvane::SelectPathSeam seam{};
    seam.context = this;
    seam.separator = tolvane::kPathSeparator;
    seam.ignoreCase = false;
    seam.directories = directory_.seam();
    seam.currentDirectory = [](void* c) {
        dialogOf(c)->current_ = tolvane::pathToNative(QDir::currentPath());
        return dialogOf(c)->current_.constData();
    };
    seam.driveCount = [](void* c) { return static_cast<int>(dialogOf(c)->drives_.size()); };
    seam.driveName = [](void* c, int index) { return dialogOf(c)->drives_[index].constData(); };
    seam.driveRoot = seam.driveName;
    seam.shownDrive = [](void* c) { return dialogOf(c)->shownDrive_; };
    seam.showDrive = [](void* c, int index) {
        changedir* dialog = dialogOf(c);
        dialog->shownDrive_ = index;
        const QSignalBlocker quiet(dialog->ui->Drive1);
        dialog->ui->Drive1->setCurrentIndex(index);
    };
    seam.clearDirectories = [](void* c) {
        changedir* dialog = dialogOf(c);
        dialog->ui->Dir1->clear();
        dialog->branch_.clear();
        dialog->subdirectories_.clear();
    };
    seam.addBranchEntry = [](void* c, const char* name, std::size_t length, int) {
        dialogOf(c)->branch_.append(QByteArray(name, static_cast<qsizetype>(length)));
    };
    seam.addSubdirectory = [](void* c, const char* name, int) {
        dialogOf(c)->subdirectories_.append(QByteArray(name));
    };
    seam.setOpenPath = [](void* c, const char* path) { dialogOf(c)->setOpenPath(path); };
    seam.openPath = [](void* c) { return dialogOf(c)->openPath_.constData(); };
    seam.tellOpenFailed = [](void* c, const char* dir, const char* reason) {
        changedir* dialog = dialogOf(c);
        if (!dialog->loading_) {
            dialog->tellOpenFailed(QByteArray(dir), reason);
            return;
        }
        // Told once the dialog is up, so that the message sits on top of it.
        QMetaObject::invokeMethod(
            dialog,
            [dialog, path = QByteArray(dir), reason] { dialog->tellOpenFailed(path, reason); },
            Qt::QueuedConnection);
    };
    return seam;
}

// The branch from the root down to the open directory, then its subdirectories in order.
void changedir::setOpenPath(const char* path) {
    openPath_ = QByteArray(path); // path may be openPath_'s own bytes
    std::sort(subdirectories_.begin(), subdirectories_.end(), byName);
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QString indent = QString::fromLatin1(tolvane::kBranchIndent);
    const int depth = static_cast<int>(branch_.size());
    const QList<QByteArray> names = branch_ + subdirectories_;
    for (int row = 0; row < names.size(); ++row) {
        const QByteArray& name = names[row];
        const QString text = row == 0 ? tolvane::pathFromNative(name) : tolvane::shownName(name);
        auto* item = new QListWidgetItem(row < depth ? openIcon : closedIcon,
                                         indent.repeated(std::min(row, depth)) + text, ui->Dir1);
        const QByteArray behind = written([&](char* buffer, std::size_t capacity) {
            return tolvane::pathBehindEntry(openPath_.constData(), tolvane::kPathSeparator, row,
                                            name.constData(), buffer, capacity);
        });
        item->setData(PathRole, tolvane::pathFromNative(behind));
    }
    ui->Dir1->setCurrentRow(depth - 1);
}

void changedir::openEntry(QListWidgetItem* item) {
    if (!item)
        return;
    const QByteArray target = tolvane::pathToNative(item->data(PathRole).toString());
    const tolvane::FileFailure failed = tolvane::openDirectory(seam(), target.constData());
    if (failed != tolvane::FileFailure::None) {
        ui->Dir1->setCurrentRow(static_cast<int>(branch_.size()) - 1);
        tellOpenFailed(target, tolvane::fileFailureReason(failed));
    }
}

void changedir::on_Dir1_itemDoubleClicked(QListWidgetItem* item) {
    openEntry(item);
}

void changedir::on_Drive1_currentIndexChanged(int index) {
    if (index >= 0)
        tolvane::selectPathDriveChanged(seam(), index);
}

void changedir::on_Command1_clicked() {
    // Dir1 has no path only when not even a drive root could be read: keep the old one.
    if (const char* answer = tolvane::selectPathAnswer(seam()))
        newpath_ = tolvane::pathFromNative(QByteArray(answer));
    accept();
}

void changedir::on_Command2_clicked() {
    reject();
}

void changedir::tellOpenFailed(const QByteArray& dir, const char* reason) {
    const QByteArray text = written([&](char* buffer, std::size_t capacity) {
        return tolvane::cannotOpenText(dir.constData(), reason, buffer, capacity);
    });
    QMessageBox box(QMessageBox::Warning, windowTitle(), tolvane::shownText(text.constData()),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("changedirFailedBox"));
    box.exec();
}

void changedir::keyPressEvent(QKeyEvent* event) {
    // Dir1 hands Enter on to the dialog: it opens Dir1's highlighted entry.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == ui->Dir1) {
        openEntry(ui->Dir1->currentItem());
        event->accept();
        return;
    }
    // No default and no cancel button: Enter presses only the focused button, Escape nothing.
    if (!tolvane::handleButtonOnlyDialogKey(this, event))
        QDialog::keyPressEvent(event);
}
