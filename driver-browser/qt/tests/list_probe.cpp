// Loaded into tolvane with LD_PRELOAD: once the main window shows, prints the entries of its
// driver list, one a line, and ends the program with status 0 (status 1 when no main window
// has shown within 30 seconds). The program itself is not changed.
#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

void printTheList() {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* list = window->findChild<QListWidget*>(QStringLiteral("DrvListBox"));
            if (!window->isVisible() || list == nullptr)
                continue;
            for (int n = 0; n < list->count(); ++n)
                std::printf("%s\n", qPrintable(list->item(n)->text()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        }
    });
    poll->start(20);
    QTimer::singleShot(30000, [] { QCoreApplication::exit(1); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(printTheList)
