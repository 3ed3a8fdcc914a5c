// Times moving through the driver list with the arrow keys, the way a user browses: the
// main window points its list at DIR (every file listed: pattern "*"), then the Down key is
// pressed once per entry; every press selects the next file, which reads it whole and shows
// its version strings. Prints the milliseconds per selection.
//
//   driver_list_arrow_bench DIR
// (runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise; warm the page cache
// first, e.g. with cat DIR/* >/dev/null)
#include "file_list_box.h"
#include "form1.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: driver_list_arrow_bench DIR\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString dir = QString::fromLocal8Bit(argv[1]);

    Form1 form;
    form.setSplashEnabled(false);
    form.show();
    FileListBox* list = form.driverList();
    list->setPattern(QStringLiteral("*"));
    list->setPath(dir);
    list->setFocus();
    const int count = list->count();
    if (count < 2) {
        std::fprintf(stderr, "driver_list_arrow_bench: %s lists fewer than two files\n", argv[1]);
        return 1;
    }

    int selections = 0;
    QObject::connect(list, &FileListBox::entrySelected, [&] { ++selections; });
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i < count; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;

    const auto* version = form.findChild<QLabel*>(QStringLiteral("Versionlbl"));
    std::printf("%d selections by arrow key (last: %s, version %s): %.3f ms per selection\n",
                selections, qPrintable(list->entry(list->selectedIndex())),
                qPrintable(version->text()), elapsed.count() / selections);
    return selections == count - 1 ? 0 : 1;
}
