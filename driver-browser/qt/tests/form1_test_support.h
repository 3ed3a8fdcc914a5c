// Helpers for the main window's tests: a throw-away Wine prefix with driver files, driver
// file contents with 8-bit version strings, a recording printer and modal-box handling.
#pragma once

#include "file_list_box.h"
#include "form1.h"
#include "report_printer.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace form1_test {

// The captions of the four value labels, in window order: name, description, vendor, version.
inline QStringList valueCaptions(const Form1& form) {
    QStringList captions;
    for (const char* name : {"FileNamelbl", "Descrlbl", "Vendorlbl", "Versionlbl"})
        captions << form.findChild<QLabel*>(name)->text();
    return captions;
}

// The entries of the driver list, in list order.
inline QStringList listEntries(const Form1& form) {
    QStringList names;
    for (int i = 0; i < form.driverList()->count(); ++i)
        names << form.driverList()->entry(i);
    return names;
}

// Bytes of a driver file carrying 8-bit version strings: some leading bytes, the marker
// "StringFileInfo" and its zero byte, padding up to the 31st byte behind the marker's
// start, then the keys given (each key, a zero byte, its value, a zero byte).
inline QByteArray driverBytes(const std::vector<std::pair<QByteArray, QByteArray>>& keys) {
    static const char kLeading[] = "MZ\x90\x00 leading bytes of a driver image ";
    QByteArray bytes(kLeading, sizeof kLeading - 1);
    bytes += QByteArray("StringFileInfo", 14) + '\0';
    bytes += QByteArray(16, '\x01');
    for (const auto& [key, value] : keys)
        bytes += key + '\0' + value + '\0';
    bytes += QByteArray(32, '\0');
    return bytes;
}

inline QByteArray fullDriver(const QByteArray& vendor, const QByteArray& description,
                             const QByteArray& version) {
    return driverBytes(
        {{"CompanyName", vendor}, {"FileDescription", description}, {"FileVersion", version}});
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

// A Wine prefix in a temporary directory: WINEPREFIX points at it while the object lives.
class TempPrefix {
public:
    TempPrefix() : old_(qgetenv("WINEPREFIX")), hadOld_(qEnvironmentVariableIsSet("WINEPREFIX")) {
        QDir(dir_.path()).mkpath(QStringLiteral("drive_c/windows/system"));
        qputenv("WINEPREFIX", QFile::encodeName(dir_.path()));
    }
    ~TempPrefix() {
        if (hadOld_)
            qputenv("WINEPREFIX", old_);
        else
            qunsetenv("WINEPREFIX");
    }
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;

    bool valid() const { return dir_.isValid(); }
    QString windowsDir() const { return dir_.path() + QStringLiteral("/drive_c/windows"); }
    QString systemDir() const { return windowsDir() + QStringLiteral("/system"); }
    bool add(const QString& name, const QByteArray& bytes) const {
        return writeFile(systemDir() + QLatin1Char('/') + name, bytes);
    }

private:
    QTemporaryDir dir_;
    QByteArray old_;
    bool hadOld_;
};

// One printed document as the main window handed it over.
struct PrintJob {
    QStringList lines;
    bool ended = false;
};

// A printer that records its lines; `onLine` runs inside every printLine so tests can look
// at the window while the report is being printed.
class RecordingPrinter : public tolvane::ReportPrinter {
public:
    RecordingPrinter(PrintJob& job, std::function<void()> onLine)
        : job_(job), onLine_(std::move(onLine)) {}
    void printLine(const QString& text) override {
        job_.lines << text;
        if (onLine_)
            onLine_();
    }
    bool endDocument() override {
        job_.ended = true;
        return true;
    }
    QString errorString() const override { return QString(); }

private:
    PrintJob& job_;
    std::function<void()> onLine_;
};

// Runs `action`, which is expected to open a modal window; `inspect` gets that window once
// it is up and must close it. A watchdog closes any modal window after 5 s so a test never
// hangs; `seen` tells whether a modal window appeared at all.
inline void withModal(const std::function<void()>& action,
                      const std::function<void(QWidget*)>& inspect, bool* seen) {
    *seen = false;
    QTimer poll;
    poll.setInterval(10);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            *seen = true;
            inspect(modal);
            return;
        }
        if (clock.elapsed() > 5000)
            poll.stop();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        for (int i = 0; i < 10; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                break;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected); // also ends windows that ignore Escape
            else
                modal->close();
        }
    });
    poll.start();
    watchdog.start(5000);
    action();
    poll.stop();
    watchdog.stop();
}

} // namespace form1_test
