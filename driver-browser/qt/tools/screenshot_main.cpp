// Saves a picture of the browser's main window: builds it as the program starts, without the
// splash window, selects the driver named by
// --select NAME as a click would, waits until the window is on the screen and grabs it with
// its menu bar into the PNG file named on the command line.
#include "file_list_box.h"
#include "form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: tolvane_screenshot OUTPUT.png [--select NAME]\n", stderr);
        return 2;
    }
    QString selectName;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--select") == 0 && i + 1 < argc)
            selectName = QString::fromLocal8Bit(argv[++i]);
    }
    QApplication app(argc, argv);
    // Absolute now: start-up changes the current directory to the system folder.
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    Form1 f;
    f.setSplashEnabled(false);
    f.load();
    if (!selectName.isEmpty()) {
        FileListBox* list = f.driverList();
        for (int i = 0; i < list->count(); ++i) {
            if (list->entry(i) == selectName)
                list->setSelectedIndex(i);
        }
    }
    f.show();
    int status = 1;
    // Give the window system a moment to map and paint the window before grabbing it.
    QTimer::singleShot(1500, &f, [&] {
        if (f.grab().save(output, "PNG")) {
            status = 0;
        } else {
            std::fprintf(stderr, "tolvane_screenshot: cannot write %s\n", qPrintable(output));
        }
        app.quit();
    });
    app.exec();
    return status;
}
