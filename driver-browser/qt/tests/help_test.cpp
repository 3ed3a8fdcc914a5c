// The help window: its definition, its button, and controls that stay put on resizing.
#include "drv_help.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void expectFont(QWidget* w, const char* family, double points, bool italic) {
    EXPECT_EQ(w->font().family(), family) << w->objectName().toStdString();
    EXPECT_DOUBLE_EQ(w->font().pointSizeF(), points) << w->objectName().toStdString();
    EXPECT_EQ(w->font().italic(), italic) << w->objectName().toStdString();
}

} // namespace

TEST(HelpWindow, DefinitionMatchesTheWindow) {
    drvHelp help;
    EXPECT_EQ(help.objectName(), "drvHelp");
    EXPECT_EQ(help.windowTitle(), "Tolvane Help");
    EXPECT_EQ(help.geometry(), QRect(76, 103, 446, 382));
    EXPECT_NE(help.minimumSize(), help.maximumSize()) << "the help window is sizable";

    auto* back = help.findChild<QPushButton*>("Command1");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text(), "Back to Tolvane");
    EXPECT_EQ(back->geometry(), QRect(96, 320, 249, 57));
    expectFont(back, "MS Sans Serif", 9.75, false);

    auto* frame = help.findChild<QGroupBox*>("Frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), "Tolvane");
    EXPECT_EQ(frame->geometry(), QRect(16, 0, 409, 145));

    auto* banner = help.findChild<QLabel*>("Label1");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->parentWidget(), frame);
    EXPECT_EQ(banner->text(), "Brisklow");
    EXPECT_EQ(banner->geometry(), QRect(8, 32, 393, 73));
    expectFont(banner, "Arial", 48, true);
    EXPECT_EQ(banner->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    auto* tagline = help.findChild<QLabel*>("Label2");
    ASSERT_NE(tagline, nullptr);
    EXPECT_EQ(tagline->parentWidget(), frame);
    EXPECT_FALSE(tagline->text().isEmpty());
    EXPECT_FALSE(tagline->text().contains('\n'));
    EXPECT_EQ(tagline->geometry(), QRect(8, 112, 393, 25));
    expectFont(tagline, "Arial", 14.25, true);
    EXPECT_EQ(tagline->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

    auto* text = help.findChild<QLabel*>("Label3");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->parentWidget(), &help);
    EXPECT_EQ(text->text(),
              "Tolvane is simple.  Upon running, it will grab a list of the drivers on your "
              "computer.  You can obtain information on a driver by clicking on it.  You can "
              "print the information on a single driver or the whole list.  You can then take "
              "this information and connect to http://www.brisklow.example/ and see if you have "
              "the latest drivers for your hardware.");
    EXPECT_EQ(text->geometry(), QRect(16, 152, 409, 161));
    expectFont(text, "MS Sans Serif", 12, false);
    EXPECT_EQ(text->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(text->wordWrap());
    EXPECT_EQ(text->textFormat(), Qt::PlainText);

    const QList<QSize> sizes = help.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST(HelpWindow, ControlsKeepTheirPlacesWhenResized) {
    drvHelp help;
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
