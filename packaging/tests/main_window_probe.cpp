// Loaded into an installed Tolvane with LD_PRELOAD: prints the title of each top-level window
// as it becomes visible, one a line, and ends the program with status 0 once the main window
// shows (status 1 when none has within 30 seconds). The program itself is not changed.
#include <QApplication>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void watchWindows() {
    auto* seen = new QSet<QWidget*>;
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [seen] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->isVisible() || seen->contains(window))
                continue;
            seen->insert(window);
            std::printf("%s\n", qPrintable(window->windowTitle()));
            std::fflush(stdout);
            if (window->windowTitle().startsWith(QStringLiteral("Tolvane v")))
                QCoreApplication::exit(0);
        }
    });
    poll->start(20);
    QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchWindows)
