// Tolvane: the driver-information browser.
#include "command_line.h"
#include "form1.h"
#include "windows_directory.h"

#include <QApplication>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

// What the user is told, in both cases alike, when no display is named and when the one
// named cannot be opened.
constexpr char kNoDisplayText[] =
    "tolvane: no display found (DISPLAY or WAYLAND_DISPLAY must name a running graphical "
    "session); Tolvane is a windowed program and needs one.\n";

bool displayNamed(int argc, char** argv) {
    for (int n = 1; n < argc; ++n) {
        if (QByteArray(argv[n]).startsWith("-platform") ||
            QByteArray(argv[n]).startsWith("--platform")) {
            return true;
        }
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// While the application object starts, Qt's messages are held back: when its platform
// cannot open the display Qt ends the program (abort); that becomes the plain message and
// exit status 1 instead, without Qt's notes on its plugins.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
QList<HeldMessage>* held = nullptr;

void holdWhileStarting(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplayText, stderr);
        std::_Exit(1);
    }
    held->append({type, text});
}

} // namespace

int main(int argc, char** argv) {
    // First of all, before the splash window changes the current directory.
    tolvane::anchorWinePrefix();
    const tolvane::CommandLine request = tolvane::readCommandLine(argc, argv);
    if (request != tolvane::CommandLine::Run) {
        return tolvane::answerCommandLine(request);
    }
    if (!displayNamed(argc, argv)) {
        std::fputs(kNoDisplayText, stderr);
        return 1;
    }
    QList<HeldMessage> messages;
    held = &messages;
    const QtMessageHandler qtHandler = qInstallMessageHandler(&holdWhileStarting);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& message : messages) {
        qt_message_output(message.type, QMessageLogContext(), message.text);
    }
    held = nullptr;
    Form1 f;
    f.load();
    f.show();
    return app.exec();
}
