// The main window as Qt draws it: the menu bar, the wrapping description, the picture's click,
// the menus' separators and check marks, and the public strings at start. Its definition is
// the windows table's (conformance/windows.txt).
#include "form1.h"
#include "windows_look.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Form1Window : public ::testing::Test {
protected:
    template <typename T>
    T* child(const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    Form1 form;
};

// The menu bar sits right above the client area, and the description label wraps its two
// lines; the rest of the definition is the windows table's.
TEST_F(Form1Window, MenuBarAboveTheClientAreaAndTheDescriptionWrapping) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.menuBar()->geometry().bottom() + 1, form.centralWidget()->geometry().top());
    auto* descr = child<QLabel>("Descrlbl");
    ASSERT_NE(descr, nullptr);
    EXPECT_TRUE(descr->wordWrap());
    EXPECT_GE(descr->height(), 2 * QFontMetrics(descr->font()).lineSpacing() - 2);
}

TEST(ClickablePictureTest, ReportsALeftClick) {
    ClickablePicture holder;
    ClickablePicture* picture = &holder;
    picture->resize(50, 50);
    QSignalSpy spy(picture, &ClickablePicture::clicked);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 1);
    QTest::mouseClick(picture, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 1);
    // Pressed inside, released outside: no click.
    QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(80, 80));
    EXPECT_EQ(spy.count(), 1);
}

// The menu as drawn, at its natural size.
QImage drawn(QMenu* menu) {
    menu->ensurePolished();
    menu->resize(menu->sizeHint());
    return menu->grab().toImage();
}

TEST_F(Form1Window, SeparatorsAreDrawnAsPlainLines) {
    // Each menu beside one that holds the same items and a separator made as a plain line.
    for (const char* name : {"Filemen", "Helpmen"}) {
        SCOPED_TRACE(name);
        auto* menu = form.findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(menu, nullptr);
        QMenu plain;
        plain.setFont(menu->font());
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                plain.addSeparator();
            else
                plain.addAction(a);
        }
        const QImage ours = drawn(menu);
        ASSERT_EQ(ours.size(), drawn(&plain).size());
        EXPECT_TRUE(ours == drawn(&plain)) << "the separator shows more than a line";
    }
}

TEST_F(Form1Window, FileTypesShowOnlyTheCheckMark) {
    auto* menu = form.findChild<QMenu*>("typemen");
    ASSERT_NE(menu, nullptr);
    // Through every choice: the menu looks like one whose unchecked items cannot be checked.
    for (const char* chosen : {"DRVOnly", "DLLOnly", "vxdonly", "BothDLLDRV", "DRVOnly"}) {
        SCOPED_TRACE(chosen);
        form.findChild<QAction*>(chosen)->trigger();
        QMenu windowsLike;
        windowsLike.setFont(menu->font());
        std::vector<std::unique_ptr<QAction>> items;
        for (QAction* a : menu->actions()) {
            EXPECT_TRUE(a->isCheckable());
            EXPECT_EQ(a->isChecked(), a->objectName() == chosen);
            items.push_back(std::make_unique<QAction>(a->text()));
            items.back()->setCheckable(a->isChecked());
            items.back()->setChecked(a->isChecked());
            windowsLike.addAction(items.back().get());
        }
        const QImage ours = drawn(menu);
        ASSERT_EQ(ours.size(), drawn(&windowsLike).size());
        EXPECT_TRUE(ours == drawn(&windowsLike)) << "an unchecked item shows a box";
    }
}

TEST_F(Form1Window, StartsWithEmptyPublicStrings) {
    EXPECT_TRUE(form.WinPath.isEmpty());
    EXPECT_TRUE(form.newpath.isEmpty());
    EXPECT_FALSE(form.isVisible());
}

} // namespace
