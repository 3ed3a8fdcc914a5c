#include "desktop_shortcut.h"

#include "file_reading.h"
#include "native_names.h"
#include "shortcut_file.h"
#include "user_texts.h"
#include "windows_directory.h"
#include "wine_desktop.h"

#include <QFile>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

QByteArray desktopShortcutContents() {
    return QByteArray(tolvane::kShortcutContents, static_cast<qsizetype>(kShortcutSize));
}

QString desktopShortcutPath(const QString& winPath) {
    const QString sep = QString::fromLatin1(pathSeparator());
    return winPath + sep + QLatin1String(kShortcutFolder) + sep + QLatin1String(kShortcutFileName);
}

bool writeDesktopShortcut(const QString& path, QString* error) {
    // Opened by the path's own bytes: a Windows directory whose name is not UTF-8 is
    // carried in the path losslessly, and QFile would encode it as text. Without blocking
    // (a FIFO there would wait for a reader), and emptied only once it is known to be a
    // regular file: anything else is refused in plain words.
    const QString notRegular = QString::fromLatin1(fileFailureReason(FileFailure::NotRegularFile));
    const int fd = ::open(pathToNative(path).constData(),
                          O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        *error = errno == ENXIO ? notRegular : qt_error_string(errno); // ENXIO: a FIFO, a socket
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || ::ftruncate(fd, 0) != 0) {
        *error =
            status.st_mode != 0 && !S_ISREG(status.st_mode) ? notRegular : qt_error_string(errno);
        ::close(fd);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = file.errorString();
        return false;
    }
    const QByteArray contents = desktopShortcutContents();
    if (file.write(contents) != contents.size() || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    return true;
}

QString thankYouText() {
    return QString::fromLatin1(kThankYouText);
}

QString shownMessageText(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype n = 0; n < text.size(); ++n) {
        const bool loneCr =
            text[n] == QChar(13) && (n + 1 == text.size() || text[n + 1] != QChar(10));
        shown.append(loneCr ? QChar(10) : text[n]);
    }
    return shown;
}

QString placeDesktopShortcut(const QString& winPath) {
    const QByteArray windows = pathToNative(winPath);
    char path[4096];
    placeShortcut(windows.constData(), pathSeparator()[0], wineDesktopFolders(), path, sizeof path);
    return pathFromNative(QByteArray(path));
}

void createDesktopShortcut(QWidget* parent, const QString& winPath) {
    // Where neither desktop folder exists, the write fails and says why.
    const QString path = placeDesktopShortcut(winPath);
    QString error;
    if (!writeDesktopShortcut(path, &error)) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kShortcutFailedTitle),
                        QString::fromLatin1(kShortcutFailedText) +
                            QString::fromLatin1(kShortcutFailedFile) + shownPath(path) +
                            QString::fromLatin1(kShortcutFailedReason) + error,
                        QMessageBox::Ok, parent);
        box.setObjectName(QString::fromLatin1(ShortcutFailedBoxName));
        box.setTextFormat(Qt::PlainText);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return;
    }
    // The confirmation is system-modal in spirit: application-modal and kept on top.
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kThankYouTitle),
                    shownMessageText(thankYouText()), QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(ThankYouBoxName));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

} // namespace tolvane
