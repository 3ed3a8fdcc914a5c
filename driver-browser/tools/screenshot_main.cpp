// Saves a picture of the browser's main window: builds it exactly as the program starts
// (the splash window is skipped unless --with-splash is given), waits until it is on the
// screen and grabs it with its menu bar into the PNG file named on the command line.
#include "Form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: tolvane_screenshot OUTPUT.png [--with-splash]\n", stderr);
        return 2;
    }
    const bool withSplash = argc > 2 && std::strcmp(argv[2], "--with-splash") == 0;
    QApplication app(argc, argv);
    // Absolute now: start-up changes the current directory to the system folder.
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    Form1 f;
    f.setSplashEnabled(withSplash);
    f.load();
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
