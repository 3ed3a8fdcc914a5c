#include "changedir.h"

#include "dialog_keys.h"
#include "native_names.h"
#include "path_text.h"
#include "select_path.h"
#include "ui_changedir.h"

#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

changedir::changedir(const QString& listPath, QString& newpath, QWidget* parent)
    : changedir(listPath, newpath, tolvane::machineDrives(), parent) {}

changedir::changedir(const QString& listPath, QString& newpath, const QStringList& drives,
                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::changedir>()), newpath_(newpath) {
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

// The dialog's two lists as the core's Select Path rules see them. Texts handed out stay
// valid until the same function is called again.
struct changedir::Seam {
    changedir* dialog;
    SelectPathContext context;
    QByteArray current, driveName, driveRoot;
    tolvane::SelectPathSeam rules;
};

changedir::Seam* changedir::seamOf(void* context) {
    return static_cast<Seam*>(static_cast<SelectPathContext*>(context)->dialog);
}

std::unique_ptr<changedir::Seam> changedir::seam() {
    auto seam = std::make_unique<Seam>();
    seam->dialog = this;
    seam->context = SelectPathContext{ui->Dir1, seam.get()};
    tolvane::SelectPathSeam& rules = seam->rules;
    rules = ui->Dir1->seam(seam->context);
    rules.currentDirectory = [](void* c) {
        Seam* s = seamOf(c);
        s->current = tolvane::pathToNative(QDir::toNativeSeparators(QDir::currentPath()));
        return s->current.constData();
    };
    rules.driveCount = [](void* c) { return seamOf(c)->dialog->ui->Drive1->count(); };
    rules.driveName = [](void* c, int index) {
        Seam* s = seamOf(c);
        s->driveName = tolvane::pathToNative(s->dialog->ui->Drive1->itemText(index));
        return s->driveName.constData();
    };
    // A drive (a mount point) is its own root.
    rules.driveRoot = [](void* c, int index) {
        Seam* s = seamOf(c);
        s->driveRoot = tolvane::pathToNative(s->dialog->ui->Drive1->itemText(index));
        return s->driveRoot.constData();
    };
    rules.shownDrive = [](void* c) { return seamOf(c)->dialog->shownDrive_; };
    rules.showDrive = [](void* c, int index) {
        changedir* dialog = seamOf(c)->dialog;
        dialog->shownDrive_ = index;
        if (index != dialog->ui->Drive1->currentIndex())
            dialog->ui->Drive1->restoreIndex(index);
    };
    rules.tellOpenFailed = [](void* c, const char* dir, const char* reason) {
        changedir* dialog = seamOf(c)->dialog;
        const QString shownDir = tolvane::pathFromNative(QByteArray(dir));
        const QString why = QString::fromLatin1(reason);
        if (dialog->loading_) {
            // Told once the dialog is up, so that the message sits on top of it.
            QMetaObject::invokeMethod(
                dialog, [dialog, shownDir, why] { dialog->tellOpenFailed(shownDir, why); },
                Qt::QueuedConnection);
            return;
        }
        dialog->tellOpenFailed(shownDir, why);
    };
    return seam;
}

void changedir::load(const QString& listPath) {
    const QByteArray path = listPath.isEmpty()
                                ? QByteArray()
                                : tolvane::pathToNative(QDir::toNativeSeparators(
                                      QDir::cleanPath(QDir(listPath).absolutePath())));
    loading_ = true;
    const std::unique_ptr<Seam> rules = seam();
    tolvane::loadSelectPath(rules->rules, path.constData());
    loading_ = false;
}

void changedir::on_Drive1_currentIndexChanged(int index) {
    if (index < 0)
        return;
    const std::unique_ptr<Seam> rules = seam();
    tolvane::selectPathDriveChanged(rules->rules, index);
}

void changedir::on_Command1_clicked() {
    // Dir1 has no path only when not even a drive root could be read: keep the old one.
    const std::unique_ptr<Seam> rules = seam();
    if (const char* answer = tolvane::selectPathAnswer(rules->rules))
        newpath_ = tolvane::pathFromNative(QByteArray(answer));
    accept();
}

void changedir::on_Command2_clicked() {
    reject();
}

void changedir::tellOpenFailed(const QString& dir, const QString& reason) {
    const QByteArray path = tolvane::pathToNative(dir);
    const QByteArray why = reason.toUtf8();
    const std::size_t length =
        tolvane::cannotOpenText(path.constData(), why.constData(), nullptr, 0);
    QByteArray text(static_cast<qsizetype>(length), '\0');
    tolvane::cannotOpenText(path.constData(), why.constData(), text.data(), length + 1);
    QMessageBox box(QMessageBox::Warning, windowTitle(), tolvane::shownText(text.constData()),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("changedirFailedBox"));
    box.exec();
}

void changedir::keyPressEvent(QKeyEvent* event) {
    // No default and no cancel button: Enter presses only the focused button, Escape nothing.
    if (!tolvane::handleButtonOnlyDialogKey(this, event))
        QDialog::keyPressEvent(event);
}
