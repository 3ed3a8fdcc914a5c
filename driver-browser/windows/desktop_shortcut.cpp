#include "desktop_shortcut.h"

#include "shortcut_file.h"
#include "windows_directory.h"

#include <QFile>
#include <QWidget>

namespace tolvane {

QByteArray desktopShortcutContents() {
    return QByteArray(tolvane::kShortcutContents, static_cast<qsizetype>(kShortcutSize));
}

QString desktopShortcutPath(const QString& winPath) {
    const QString sep = QString::fromLatin1(pathSeparator());
    return winPath + sep + QLatin1String(kShortcutFolder) + sep + QLatin1String(kShortcutFileName);
}

bool writeDesktopShortcut(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
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

void createDesktopShortcut(QWidget* parent, const QString& winPath) {
    const QString path = desktopShortcutPath(winPath);
    QString error;
    if (!writeDesktopShortcut(path, &error)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tolvane"),
                        QStringLiteral("The shortcut to our Website could not be created.\n\n"
                                       "File: %1\nReason: %2")
                            .arg(path, error),
                        QMessageBox::Ok, parent);
        box.setObjectName(QString::fromLatin1(ShortcutFailedBoxName));
        box.setTextFormat(Qt::PlainText);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
        return;
    }
    // The confirmation is system-modal in spirit: application-modal and kept on top.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Thank You!"),
                    QStringLiteral("A link to our Website has been created on your desktop.") +
                        QChar(13) +
                        QStringLiteral("To access our page, siply double click the shorcut icon."),
                    QMessageBox::Ok, parent);
    box.setObjectName(QString::fromLatin1(ThankYouBoxName));
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
}

} // namespace tolvane
