// The main window as defined: controls, captions, geometry, fonts, alignment, tab order,
// menu tree and icon.
#include "clickable_picture.h"
#include "file_list_box.h"
#include "form1.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct LabelDef {
    const char* name;
    const char* caption;
    QRect geometry;
    double pointSize; // 0: the default font
    Qt::Alignment horizontal;
    int tabIndex;
};

// Twips / 15 of the definition.
const LabelDef kLabels[] = {
    {"Vendorlbl", "", {96, 88, 217, 25}, 9.75, Qt::AlignLeft, 11},
    {"Versionlbl", "", {96, 120, 217, 25}, 9.75, Qt::AlignLeft, 10},
    {"Label5", "Add a Shortcut to us! Click below!", {176, 152, 121, 25}, 0, Qt::AlignHCenter, 9},
    {"Descrlbl", "", {96, 40, 217, 41}, 9.75, Qt::AlignLeft, 6},
    {"FileNamelbl", "", {96, 8, 217, 25}, 9.75, Qt::AlignLeft, 5},
    {"Label4", "Version:", {8, 120, 81, 25}, 9.75, Qt::AlignRight, 4},
    {"Label3", "Vendor:", {8, 88, 81, 25}, 9.75, Qt::AlignRight, 3},
    {"Label2", "Description:", {8, 40, 81, 41}, 9.75, Qt::AlignRight, 2},
    {"Label1", "File Name", {8, 8, 81, 25}, 9.75, Qt::AlignRight, 1},
};

class Form1Definition : public ::testing::Test {
protected:
    template <typename T>
    T* child(const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    Form1 form;
};

TEST_F(Form1Definition, WindowCaptionIconAndFixedSize) {
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(form.windowTitle(), "Tolvane v1.4");
    ASSERT_TRUE(QFile::exists(":/icons/form1_32.png"));
    const QIcon icon = form.windowIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(32, 32).toImage(),
              QPixmap(":/icons/form1_32.png")
                  .toImage()
                  .convertToFormat(icon.pixmap(32, 32).toImage().format()));
    QWidget* client = form.centralWidget();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->size(), QSize(317, 262));
    const int menuHeight = form.menuBar()->sizeHint().height();
    EXPECT_EQ(form.minimumSize(), QSize(317, 262 + menuHeight));
    EXPECT_EQ(form.maximumSize(), QSize(317, 262 + menuHeight));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(109, 160));
    EXPECT_EQ(form.menuBar()->geometry().bottom() + 1, client->geometry().top());
}

TEST_F(Form1Definition, LabelsHaveTheirCaptionsGeometryFontsAndAlignment) {
    for (const LabelDef& def : kLabels) {
        SCOPED_TRACE(def.name);
        auto* label = child<QLabel>(def.name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->parentWidget(), form.centralWidget());
        EXPECT_EQ(label->text(), QString::fromLatin1(def.caption));
        EXPECT_EQ(label->geometry(), def.geometry);
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, def.horizontal);
        EXPECT_EQ(label->alignment() & Qt::AlignVertical_Mask, Qt::AlignTop);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->property("tabIndex").toInt(), def.tabIndex);
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
        if (def.pointSize > 0) {
            EXPECT_EQ(label->font().family(), "MS Sans Serif");
            EXPECT_DOUBLE_EQ(label->font().pointSizeF(), def.pointSize);
        } else {
            EXPECT_EQ(label->font(), form.centralWidget()->font());
        }
        EXPECT_FALSE(label->font().bold());
        EXPECT_FALSE(label->font().italic());
    }
    EXPECT_TRUE(child<QLabel>("Descrlbl")->wordWrap());
    // Two lines of the label font fit into the description label.
    auto* descr = child<QLabel>("Descrlbl");
    EXPECT_GE(descr->height(), 2 * QFontMetrics(descr->font()).lineSpacing() - 2);
}

TEST_F(Form1Definition, FrameListAndPicture) {
    // A one-pixel etched line below the menu bar, wider than the window and clipped; its
    // caption can never show at that height and is kept as a property.
    auto* frame = child<QFrame>("Frame1");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(-48, 0, 521, 1));
    EXPECT_EQ(frame->frameShape(), QFrame::HLine);
    EXPECT_EQ(frame->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(frame->property("caption").toString(), "Frame1");
    EXPECT_EQ(frame->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(frame->property("tabIndex").toInt(), 8);

    auto* list = child<FileListBox>("DrvListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list, form.driverList());
    EXPECT_EQ(list->geometry(), QRect(0, 152, 153, 104));
    EXPECT_EQ(list->font().family(), "MS Sans Serif");
    EXPECT_DOUBLE_EQ(list->font().pointSizeF(), 12.0);
    EXPECT_EQ(list->pattern(), "*.drv");
    EXPECT_TRUE(list->path().isEmpty());
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->property("tabIndex").toInt(), 0);

    auto* picture = child<ClickablePicture>("Picture1");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), QRect(160, 184, 153, 73));
    EXPECT_EQ(picture->property("tabIndex").toInt(), 7);
    ASSERT_TRUE(QFile::exists(":/images/shortcut.png"));
    const QPixmap shown = picture->pixmap();
    EXPECT_EQ(shown.size(), QSize(150, 72));
    EXPECT_EQ(shown.toImage(), QPixmap(":/images/shortcut.png").toImage());
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

TEST_F(Form1Definition, TabOrderFollowsTheTabIndexes) {
    auto* list = child<FileListBox>("DrvListBox");
    auto* picture = child<ClickablePicture>("Picture1");
    ASSERT_TRUE(list && picture);
    // The next widget that Tab reaches, skipping the inner parts of a control.
    auto nextTabStop = [](QWidget* from) {
        for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
            if (from->isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus))
                continue;
            if (!w->isWindow())
                return w;
        }
        return from;
    };
    EXPECT_EQ(nextTabStop(list), picture);
    EXPECT_EQ(nextTabStop(picture), list);
    EXPECT_NE(list->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(picture->focusPolicy() & Qt::TabFocus);
}

struct MenuItem {
    const char* name;
    const char* caption;
    bool separator;
    bool checkable;
    bool checked;
};

QList<QAction*> actionsOf(Form1& form, const char* menu) {
    auto* m = form.findChild<QMenu*>(QString::fromLatin1(menu));
    return m ? m->actions() : QList<QAction*>();
}

void expectItems(const QList<QAction*>& actions, const std::vector<MenuItem>& items) {
    ASSERT_EQ(actions.size(), static_cast<int>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        QAction* a = actions[static_cast<int>(i)];
        SCOPED_TRACE(item.name);
        EXPECT_EQ(a->objectName(), item.name);
        EXPECT_EQ(a->isSeparator(), item.separator);
        if (!item.separator)
            EXPECT_EQ(a->text(), QString::fromLatin1(item.caption));
        EXPECT_EQ(a->isCheckable(), item.checkable);
        EXPECT_EQ(a->isChecked(), item.checked);
        EXPECT_TRUE(a->isEnabled());
        EXPECT_TRUE(a->isVisible());
        EXPECT_TRUE(a->shortcut().isEmpty());
    }
}

TEST_F(Form1Definition, MenuTree) {
    const QList<QAction*> bar = form.menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    const char* headers[][2] = {
        {"Filemen", "&File"}, {"typemen", "File &Types"}, {"Helpmen", "&Help"}};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(bar[i]->menu(), nullptr);
        EXPECT_EQ(bar[i]->menu()->objectName(), headers[i][0]);
        EXPECT_EQ(bar[i]->menu()->title(), headers[i][1]);
    }
    const QList<QAction*> file = actionsOf(form, "Filemen");
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[0]->objectName(), "chdr");
    EXPECT_EQ(file[0]->text(), "&Change Directory");
    ASSERT_NE(file[1]->menu(), nullptr);
    EXPECT_EQ(file[1]->menu()->objectName(), "printmen");
    EXPECT_EQ(file[1]->menu()->title(), "&Print");
    EXPECT_EQ(file[2]->objectName(), "u");
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[2]->property("index").toInt(), 1);
    EXPECT_EQ(file[3]->objectName(), "Exitmen");
    EXPECT_EQ(file[3]->text(), "&Exit");
    expectItems(actionsOf(form, "printmen"),
                {{"SDriver", "Print This Driver", false, false, false},
                 {"ADrivers", "Print All Drivers", false, false, false}});
    expectItems(actionsOf(form, "typemen"),
                {{"DRVOnly", "DRV Files only", false, true, true},
                 {"DLLOnly", "DLL Files Only", false, true, false},
                 {"vxdonly", "VXD Files", false, true, false},
                 {"BothDLLDRV", "DRV, DLL, and VXD", false, true, false}});
    expectItems(actionsOf(form, "Helpmen"), {{"Helpme", "Help Screen", false, false, false},
                                             {"p", "-", true, false, false},
                                             {"AboutMe", "&About Tolvane", false, false, false}});
}

// The menu as drawn, at its natural size.
QImage drawn(QMenu* menu) {
    menu->ensurePolished();
    menu->resize(menu->sizeHint());
    return menu->grab().toImage();
}

TEST_F(Form1Definition, SeparatorsAreDrawnAsPlainLines) {
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

TEST_F(Form1Definition, FileTypesShowOnlyTheCheckMark) {
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

TEST_F(Form1Definition, StartsWithEmptyPublicStrings) {
    EXPECT_TRUE(form.WinPath.isEmpty());
    EXPECT_TRUE(form.newpath.isEmpty());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Definition, ShowDriverInfoWithNothingSelectedLeavesTheLabels) {
    const char* const names[] = {"FileNamelbl", "Descrlbl", "Vendorlbl", "Versionlbl"};
    for (const char* name : names)
        child<QLabel>(name)->setText(QStringLiteral("kept ") + QString::fromLatin1(name));
    ASSERT_EQ(form.driverList()->selectedIndex(), -1);
    form.ShowDriverInfo();
    for (const char* name : names)
        EXPECT_EQ(child<QLabel>(name)->text(), QStringLiteral("kept ") + QString::fromLatin1(name))
            << name;
}

} // namespace
