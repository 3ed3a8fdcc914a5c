// The help window: its button, Escape, and controls that stay put on resizing. Its definition
// is the windows table's (conformance/windows.txt).
#include "drv_help.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(HelpWindow, ControlsKeepTheirPlacesWhenResizedAndTheTextWraps) {
    drvHelp help;
    EXPECT_TRUE(help.findChild<QLabel*>("Label3")->wordWrap());
    help.show();
    QList<QRect> before;
    const QList<QWidget*> controls = help.findChildren<QWidget*>();
    for (QWidget* w : controls)
        before.append(w->geometry());
    for (QSize size : {QSize(200, 150), QSize(900, 700), QSize(446, 382)}) {
        help.resize(size);
        QCoreApplication::processEvents();
        EXPECT_EQ(help.size(), size);
        for (int i = 0; i < controls.size(); ++i)
            EXPECT_EQ(controls[i]->geometry(), before[i])
                << controls[i]->objectName().toStdString();
    }
}

TEST(HelpWindow, ClosesModallyFromItsButton) {
    drvHelp help;
    QTimer::singleShot(0, &help, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), &help);
        help.findChild<QPushButton*>("Command1")->click();
    });
    QTimer::singleShot(5000, &help, [&] {
        ADD_FAILURE() << "the help window did not close";
        help.reject();
    });
    help.exec();
    EXPECT_FALSE(help.isVisible());
}

TEST(HelpWindow, EscapeDoesNothingButTheFrameCloses) {
    drvHelp help;
    help.show();
    help.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    for (QWidget* target : {static_cast<QWidget*>(&help),
                            static_cast<QWidget*>(help.findChild<QPushButton*>("Command1"))}) {
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(help.isVisible()) << target->objectName().toStdString();
    }
    EXPECT_TRUE(help.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(help.close()) << "closing by the window frame";
    EXPECT_FALSE(help.isVisible());
}
