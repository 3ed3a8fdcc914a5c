// Plays a conformance table (the scenarios, or the windows' definitions) against the Qt
// front-end on the offscreen platform: the real Form1 and its dialogs, driven with QTest's
// mouse and key events, printing into a recording printer. Drive C is the drive_c folder of a
// throw-away Wine prefix, drive D its drive_d folder (holding "data"); drive Q is a link to nothing
// beside them, a drive whose medium is gone.
//
// usage: conformance_qt TABLE OUTPUT
#include "scenario_table.h"

#include "ansi_codepage.h"
#include "brisklow.h"
#include "changedir.h"
#include "file_list_box.h"
#include "form1.h"
#include "native_names.h"
#include "report_printer.h"
#include "splash_timer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

using conformance::Step;

std::vector<std::string> printed;

// The printer a scenario's "printer" steps make ready, missing or failing at the end.
std::string printerMode;

class RecordingPrinter : public tolvane::ReportPrinter {
public:
    void printLine(const QString& text) override {
        printed.push_back("printed: " + text.toStdString());
    }
    bool endDocument() override {
        printed.push_back("printed: <end of document>");
        return printerMode == "ready";
    }
    // What a printer out of paper says; the failing one gives no reason.
    QString errorString() const override {
        return printerMode == "out-of-paper" ? QStringLiteral("Out of paper") : QString();
    }
};

std::unique_ptr<tolvane::ReportPrinter> recordingPrinter() {
    if (printerMode == "none")
        return nullptr;
    return std::make_unique<RecordingPrinter>();
}

// ---- "define": the window taking input, as the table describes windows and controls ----

// The controls of a window, in the order they were made: the content's children, and a
// frame's own after it (with the frame as their container).
void controlsOf(QWidget* parent, QWidget* frame, std::vector<std::pair<QWidget*, QWidget*>>* out) {
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow() || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
            continue;
        out->push_back({w, frame});
        if (qobject_cast<QGroupBox*>(w))
            controlsOf(w, w, out);
    }
}

// The picture of that folder of the resources whose file, "NAME" + suffix, shows image.
std::string resourceName(const QString& folder, const QString& suffix, const QImage& image) {
    for (const QString& file : QDir(folder).entryList({"*" + suffix})) {
        if (QImage(folder + "/" + file).convertToFormat(image.format()) == image)
            return file.chopped(suffix.size()).toStdString();
    }
    return "?";
}

// A label shows plain text from its top edge and takes no focus; anything else is no label.
// A focused button is the dialog's default one, as in Windows; any other is not.
std::string kindOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        const Qt::Alignment a = label->alignment();
        if (!label->pixmap().isNull())
            return "picture";
        if (label->textFormat() != Qt::PlainText || !(a & Qt::AlignTop) ||
            label->focusPolicy() != Qt::NoFocus)
            return "label?";
        return a & Qt::AlignRight     ? "label right"
               : a & Qt::AlignHCenter ? "label centred"
                                      : "label left";
    }
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->isDefault() && !button->hasFocus() ? "default button" : "button";
    if (qobject_cast<QGroupBox*>(w))
        return "frame";
    if (qobject_cast<QListWidget*>(w))
        return "list";
    if (qobject_cast<QComboBox*>(w))
        return "drop-down list";
    auto* line = qobject_cast<QFrame*>(w); // an etched line
    return line && line->frameShape() == QFrame::HLine && line->frameShadow() == QFrame::Sunken
               ? "frame"
               : "?";
}

std::string captionOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->pixmap().isNull())
            return label->text().toStdString();
        const QImage picture = label->pixmap().toImage();
        return resourceName(":/images", ".png", picture) + " " + std::to_string(picture.width()) +
               "x" + std::to_string(picture.height());
    }
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text().toStdString();
    if (auto* frame = qobject_cast<QGroupBox*>(w))
        return frame->title().toStdString();
    return w->property("caption").toString().toStdString();
}

// "-" for a control that shows no text: a picture, an etched line.
std::string fontOf(QWidget* w) {
    const bool line =
        qobject_cast<QFrame*>(w) && kindOf(w) == "frame" && !qobject_cast<QGroupBox*>(w);
    if (kindOf(w) == "picture" || line)
        return "-";
    if (!w->testAttribute(Qt::WA_SetFont))
        return "default";
    const QFont font = w->font();
    return conformance::fontText(font.family().toStdString(), qRound(font.pointSizeF() * 100),
                                 font.italic(), font.bold());
}

// Fixed single, fixed dialog (no button on its title bar), sizable, or none.
std::string borderOf(QWidget* window) {
    const Qt::WindowFlags flags = window->windowFlags();
    const bool fixed = window->minimumSize() == window->maximumSize();
    const bool buttons = flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                  Qt::WindowCloseButtonHint);
    if (flags & Qt::FramelessWindowHint)
        return fixed ? "none" : "?";
    if (!fixed)
        return "sizable";
    if ((flags & Qt::CustomizeWindowHint) && !buttons)
        return "fixed dialog";
    return flags & Qt::WindowMaximizeButtonHint ? "?" : "fixed single";
}

// The icon's picture and sizes, largest first.
std::string iconOf(QWidget* window) {
    const QIcon icon = window->windowIcon();
    if (icon.isNull())
        return "no icon";
    std::string text = "icon " + resourceName(":/icons", "_32.png", icon.pixmap(32, 32).toImage());
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() > b.width(); });
    for (const QSize& size : sizes)
        text += " " + std::to_string(size.width());
    return text;
}

void menuLines(const QList<QAction*>& actions, int depth, std::vector<std::string>* out) {
    for (QAction* item : actions) {
        QMenu* sub = item->menu();
        std::string line = "menu: " + std::string(static_cast<size_t>(depth), '>') +
                           (sub ? sub->objectName() : item->objectName()).toStdString();
        if (item->property("index").isValid())
            line += "(" + item->property("index").toString().toStdString() + ")";
        line += " " + (item->isSeparator() ? std::string("-")
                                           : (sub ? sub->title() : item->text()).toStdString());
        line += std::string(item->isChecked() ? " (checked)" : "") +
                (item->isEnabled() ? "" : " (disabled)") + (item->isVisible() ? "" : " (hidden)");
        if (!item->shortcut().isEmpty())
            line += " (shortcut " + item->shortcut().toString().toStdString() + ")";
        out->push_back(line);
        if (sub)
            menuLines(sub->actions(), depth + 1, out);
    }
}

void define(QWidget* window, std::vector<std::string>* out) {
    auto* main = qobject_cast<QMainWindow*>(window);
    QWidget* content = main ? main->centralWidget() : window;
    const QPoint at = content->mapToGlobal(QPoint(0, 0));
    const QSize screen = window->screen()->geometry().size();
    const tolvane::SplashPosition centre = tolvane::centredSplashPosition(
        screen.width(), screen.height(), window->frameGeometry().width(),
        window->frameGeometry().height());
    std::string place =
        conformance::twipsPlace(at.x(), at.y(), content->width(), content->height());
    if (window->frameGeometry().topLeft() == QPoint(centre.left, centre.top))
        place = "centred" + place.substr(place.rfind(' '));
    out->push_back("window: " + window->objectName().toStdString() + " | " +
                   window->windowTitle().toStdString() + " | " + place + " | " + borderOf(window) +
                   " | " + iconOf(window));
    std::vector<std::pair<QWidget*, QWidget*>> controls;
    controlsOf(content, nullptr, &controls);
    for (size_t tab = 0; tab < controls.size(); ++tab) {
        QWidget* w = controls[tab].first;
        QWidget* frame = controls[tab].second;
        out->push_back("control: " + w->objectName().toStdString() +
                       (frame ? " in " + frame->objectName().toStdString() : std::string()) +
                       " | " + kindOf(w) + " | " + captionOf(w) + " | " +
                       conformance::twipsPlace(w->x(), w->y(), w->width(), w->height()) + " | " +
                       fontOf(w) + " | tab " + std::to_string(tab));
    }
    std::string stops = "tab stops:";
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        const bool control = std::any_of(controls.begin(), controls.end(),
                                         [w](const auto& c) { return c.first == w; });
        if (control && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible())
            stops += " " + w->objectName().toStdString();
    }
    out->push_back(stops);
    if (main)
        menuLines(main->menuBar()->actions(), 0, out);
}

class Player {
public:
    Player(const QString& prefix, conformance::Layout& layout, conformance::Transcript& transcript,
           const conformance::Scenario& scenario)
        : driveC_(prefix + "/drive_c"), driveD_(prefix + "/drive_d"), driveQ_(prefix + "/drive_q"),
          layout_(layout), transcript_(transcript), scenario_(scenario) {}

    // Runs the steps one after the other, each from a timer of its own, so that a step that
    // opens a modal window finds the next one running inside that window's event loop.
    void play() {
        QEventLoop loop;
        done_ = [&loop] { loop.quit(); };
        QTimer::singleShot(0, [this] { perform(0); });
        QTimer::singleShot(60000, [this] {
            std::fprintf(stderr, "conformance_qt: %s: timed out\n", scenario_.header[0].c_str());
            std::exit(1);
        });
        loop.exec();
    }

private:
    void perform(size_t k) {
        if (k == scenario_.steps.size()) {
            if (auto* left = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                left->done(0); // what the table left open, before its owner goes
                QTimer::singleShot(50, [this, k] { perform(k); });
                return;
            }
            form_.reset();
            done_();
            return;
        }
        QTimer::singleShot(50, [this, k] {
            transcript_.stepDone(scenario_.steps[k], state(), &printed);
            perform(k + 1);
        });
        act(scenario_.steps[k]);
    }

    QWidget* current() const {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        return form_.get();
    }

    // A path as Windows writes it ("C:\\a"); "" above the drives.
    std::string shownPath(const QString& path) const {
        QString shown = tolvane::shownPath(path);
        bool onDrive = false;
        for (const auto& [letter, root] :
             {std::pair{"C:", driveC_}, std::pair{"D:", driveD_}, std::pair{"Q:", driveQ_}}) {
            if (shown == root || shown.startsWith(root + "/")) {
                shown = letter + shown.mid(root.size());
                onDrive = true;
            }
        }
        if (!onDrive)
            return std::string();
        shown.replace('/', '\\');
        return (shown.size() == 2 ? shown + "\\" : shown).toStdString();
    }

    conformance::State state() const {
        conformance::State s;
        if (!form_)
            return s;
        FileListBox* list = form_->driverList();
        for (int i = 0; i < list->count(); ++i)
            s.list.push_back(list->entry(i).toStdString());
        // The highlighted entry, as the user sees it.
        const QList<QListWidgetItem*> highlighted = list->selectedItems();
        s.selected = highlighted.isEmpty() ? -1 : list->row(highlighted.first());
        const char* labels[] = {"FileNamelbl", "Descrlbl", "Vendorlbl", "Versionlbl"};
        for (int i = 0; i < 4; ++i) {
            s.labels[i] = form_->findChild<QLabel*>(labels[i])->text().toStdString();
            s.hidden[i] = form_->findChild<QLabel*>(labels[i])->isHidden();
        }
        for (const char* item : {"DRVOnly", "DLLOnly", "vxdonly", "BothDLLDRV"})
            if (form_->findChild<QAction*>(item)->isChecked())
                s.types += (s.types.empty() ? "" : " ") + std::string(item);
        s.newpath = form_->newpath.isEmpty() ? std::string() : shownPath(form_->newpath);
        QWidget* window = current();
        if (auto* box = qobject_cast<QMessageBox*>(window)) {
            s.window = "MessageBox " + box->windowTitle().toStdString();
            // The paths in it as Windows writes them.
            QStringList words = box->text().split(' ');
            for (QString& word : words)
                if (const std::string path = shownPath(word); !path.empty())
                    word = QString::fromStdString(path);
            s.message = words.join(' ').toStdString();
        } else {
            QWidget* focus = window->focusWidget();
            s.window = window->objectName().toStdString() + " " +
                       (focus ? focus->objectName().toStdString() : std::string("-"));
        }
        if (auto* dialog = form_->findChild<QDialog*>("changedir")) {
            s.drive =
                shownPath(dialog->findChild<QComboBox*>("Drive1")->currentText()).substr(0, 2);
            auto* dirs = dialog->findChild<QListWidget*>("Dir1");
            size_t rootIndent = 0;
            for (int i = 0; i < dirs->count(); ++i) {
                const std::string path =
                    shownPath(dirs->item(i)->data(changedir::PathRole).toString());
                const std::string text = dirs->item(i)->text().toStdString();
                if (path.empty())
                    continue; // above the drive's folder, which stands for its root
                if (path.size() == 3) {
                    rootIndent = text.find_first_not_of(' ');
                    s.dirs.push_back(path);
                } else {
                    s.dirs.push_back(conformance::treeEntry(text, rootIndent));
                }
                if (i == dirs->currentRow())
                    s.openDir = static_cast<int>(s.dirs.size()) - 1;
            }
        }
        return s;
    }

    // A point given in twips from the top-left corner of a control's client area, in the
    // coordinates of its top-level window.
    QPoint pointIn(QWidget* control, int x, int y) const {
        return control->mapTo(control->window(),
                              control->contentsRect().topLeft() + QPoint(x / 15, y / 15));
    }

    // The control of that name in the window taking input; null, and a word on stderr (the
    // state text then shows where the front-end went), when it has none.
    static QWidget* find(QWidget* window, const QString& name) {
        QWidget* control = window->findChild<QWidget*>(name);
        if (!control)
            std::fprintf(stderr, "conformance_qt: no %s in %s\n", name.toStdString().c_str(),
                         window->objectName().toStdString().c_str());
        return control;
    }

    static Qt::KeyboardModifiers modifiersOf(const std::string& words) {
        Qt::KeyboardModifiers modifiers;
        if (words.find("shift") != std::string::npos)
            modifiers |= Qt::ShiftModifier;
        if (words.find("ctrl") != std::string::npos)
            modifiers |= Qt::ControlModifier;
        if (words.find("alt") != std::string::npos)
            modifiers |= Qt::AltModifier;
        return modifiers;
    }

    void act(const Step& step) {
        const std::vector<std::string>& a = step.args;
        if (layout_.fileStep(step, &printed))
            return;
        QWidget* window = current();
        if (a[0] == "printer") {
            printerMode = a[1];
        } else if (a[0] == "start") {
            form_ = std::make_unique<Form1>();
            form_->setSplashEnabled(false);
            form_->setPrinterFactory(&recordingPrinter);
            form_->setDrives({driveC_, driveD_, driveQ_});
            form_->show();
            form_->activateWindow();
            form_->load();
        } else if (a[0] == "menu") {
            form_->findChild<QAction*>(QString::fromStdString(a[1]))->trigger();
        } else if (a[0] == "key") {
            // "shift+tab": the modifiers, then the key.
            const std::string name = a[1].substr(a[1].rfind('+') + 1);
            const Qt::KeyboardModifiers modifiers = modifiersOf(a[1]);
            const Qt::Key key =
                name == "down"     ? Qt::Key_Down
                : name == "up"     ? Qt::Key_Up
                : name == "tab"    ? (modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab)
                : name == "space"  ? Qt::Key_Space
                : name == "escape" ? Qt::Key_Escape
                                   : Qt::Key_Return;
            QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
            QTest::keyClick(focus, key, modifiers);
        } else if (a[0] == "click" || a[0] == "dclick" || a[0] == "ok" || a[0] == "cancel") {
            const QString name = a[0] == "ok"       ? QString("Command1")
                                 : a[0] == "cancel" ? QString("Command2")
                                                    : QString::fromStdString(a[1]);
            QWidget* control = find(window, name);
            if (!control)
                return;
            const QPoint at = control->mapTo(window, control->rect().center());
            if (a[0] == "dclick") // two presses in quick succession, as the system pairs them
                QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
            else
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
        } else if (a[0] == "pick") {
            FileListBox* list = form_->driverList();
            for (int i = 0; i < list->count(); ++i) {
                if (list->entry(i).toStdString() != a[2])
                    continue;
                const QPoint at =
                    list->viewport()->mapTo(window, list->visualItemRect(list->item(i)).center());
                QTest::mouseClick(window->windowHandle(), Qt::LeftButton, modifiersOf(a[1]), at);
                return;
            }
            std::fprintf(stderr, "conformance_qt: no entry %s\n", a[2].c_str());
        } else if (a[0] == "press" || a[0] == "release") {
            const Qt::MouseButton button = a[1] == "left" ? Qt::LeftButton : Qt::RightButton;
            const Qt::KeyboardModifiers modifiers = modifiersOf(a[2]);
            QWidget* control = find(window, QString::fromStdString(a[3]));
            if (!control)
                return;
            const QPoint at = pointIn(control, std::stoi(a[4]), std::stoi(a[5]));
            if (a[0] == "press")
                QTest::mousePress(window->windowHandle(), button, modifiers, at);
            else
                QTest::mouseRelease(window->windowHandle(), button, modifiers, at);
        } else if (a[0] == "drive") {
            auto* drives = qobject_cast<QComboBox*>(find(window, "Drive1"));
            if (!drives)
                return;
            drives->setFocus();
            drives->setCurrentIndex(drives->findText(a[1] == "Q:"   ? driveQ_
                                                     : a[1] == "D:" ? driveD_
                                                                    : driveC_));
        } else if (a[0] == "close") {
            window->close();
        } else if (a[0] == "define") {
            define(window, &printed);
        } else if (a[0] == "splash") {
            Brisklow splash(form_.get());
            splash.exec();
        } else if (a[0] == "open" || a[0] == "select") {
            auto* dirs = qobject_cast<QListWidget*>(find(window, "Dir1"));
            for (int i = 0; dirs && i < dirs->count(); ++i) {
                QListWidgetItem* item = dirs->item(i);
                const auto* bytes = reinterpret_cast<const uint8_t*>(a[1].data());
                if (item->text().trimmed() !=
                        QString::fromStdU16String(tolvane::ansiToString(bytes, a[1].size())) &&
                    shownPath(item->data(changedir::PathRole).toString()) != a[1])
                    continue;
                dirs->scrollToItem(item);
                const QPoint at =
                    dirs->viewport()->mapTo(window, dirs->visualItemRect(item).center());
                if (a[0] == "open") // two presses in quick succession, as the system pairs them
                    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, at);
                else
                    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, at);
                return;
            }
            std::fprintf(stderr, "conformance_qt: no directory %s\n", a[1].c_str());
        } else {
            std::fprintf(stderr, "conformance_qt: unknown step: %s\n", step.line.c_str());
        }
    }

    QString driveC_, driveD_, driveQ_;
    conformance::Layout& layout_;
    conformance::Transcript& transcript_;
    const conformance::Scenario& scenario_;
    std::unique_ptr<Form1> form_;
    std::function<void()> done_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: conformance_qt TABLE OUTPUT\n");
        return 2;
    }
    std::vector<conformance::Scenario> scenarios;
    std::string error;
    if (!conformance::readTable(argv[1], &scenarios, &error)) {
        std::fprintf(stderr, "conformance_qt: %s\n", error.c_str());
        return 2;
    }
    std::string text;
    for (const conformance::Scenario& scenario : scenarios) {
        QTemporaryDir prefix;
        const QString windows = prefix.path() + "/drive_c/windows";
        QDir().mkpath(windows + "/system");
        QDir().mkpath(prefix.path() + "/drive_d/data");
        QFile::link(prefix.path() + "/gone", prefix.path() + "/drive_q");
        qputenv("WINEPREFIX", QFile::encodeName(prefix.path()));
        conformance::Transcript transcript(scenario);
        printerMode = "ready";
        {
            conformance::Layout layout(QFile::encodeName(prefix.path() + "/drive_c").toStdString(),
                                       '/');
            if (!layout.make(scenario.layout, &error)) {
                std::fprintf(stderr, "conformance_qt: %s\n", error.c_str());
                return 1;
            }
            Player(prefix.path(), layout, transcript, scenario).play();
        }
        text += transcript.text();
        QDir::setCurrent(QDir::tempPath()); // off the prefix before it goes
    }
    return conformance::writeText(argv[2], text) ? 0 : 1;
}
