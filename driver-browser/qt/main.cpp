// Tolvane: the driver-information browser.
#include "form1.h"

#include <QApplication>

#include <cstdio>

namespace {
// Qt aborts when it cannot reach a display; tell the user plainly instead.
bool displayAvailable() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}
} // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs("tolvane: no display found (DISPLAY and WAYLAND_DISPLAY are not set); "
                   "Tolvane is a windowed program and needs a graphical session.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    Form1 f;
    f.load();
    f.show();
    return app.exec();
}
