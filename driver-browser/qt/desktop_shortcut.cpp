#include "desktop_shortcut.h"

#include "file_reading.h"
#include "native_names.h"
#include "shortcut_file.h"
#include "user_texts.h"
#include "wine_desktop.h"

#include <QFile>
#include <QMessageBox>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

// Opened by the path's own bytes, without blocking (a FIFO there would wait for a reader),
// and emptied only once it is known to be a regular file: anything else is refused in plain
// words.
bool writeFile(void*, const char* path, const char* bytes, std::size_t size, char* reason) {
    const QByteArray notRegular(fileFailureReason(FileFailure::NotRegularFile));
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    QString error;
    struct stat status {};
    if (fd < 0) {
        error = errno == ENXIO ? notRegular : qt_error_string(errno); // ENXIO: a FIFO, a socket
    } else if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || ::ftruncate(fd, 0) != 0) {
        error =
            status.st_mode != 0 && !S_ISREG(status.st_mode) ? notRegular : qt_error_string(errno);
        ::close(fd);
    } else {
        QFile file;
        if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
        } else if (file.write(bytes, static_cast<qint64>(size)) == static_cast<qint64>(size) &&
                   file.flush()) {
            file.close();
            if (file.error() == QFileDevice::NoError)
                return true;
        }
        error = file.errorString();
    }
    copyOut(error.toUtf8(), reason, kReasonCapacity);
    return false;
}

struct Shortcut {
    QWidget* parent;
    QByteArray memory;
};

char* memory(void* context, std::size_t size) {
    QByteArray& memory = static_cast<Shortcut*>(context)->memory;
    memory.resize(static_cast<qsizetype>(size));
    return memory.data();
}

// The thanks are system-modal in spirit: application-modal and kept on top.
void tell(void* context, const char* title, const char* text, unsigned style) {
    const bool thanks = style == kThankYouStyle;
    QMessageBox box(thanks ? QMessageBox::Information : QMessageBox::Warning,
                    QString::fromLatin1(title), shownMessageText(shownText(text)), QMessageBox::Ok,
                    static_cast<Shortcut*>(context)->parent);
    box.setObjectName(QString::fromLatin1(thanks ? ThankYouBoxName : ShortcutFailedBoxName));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, thanks);
    box.exec();
}

} // namespace

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

void createDesktopShortcut(QWidget* parent, const QByteArray& winPath) {
    Shortcut shortcut{parent, {}};
    const ShortcutSeam seam{&shortcut, wineDesktopFolders(), &writeFile, &memory, &tell};
    tolvane::createDesktopShortcut(seam, winPath.constData());
}

} // namespace tolvane
