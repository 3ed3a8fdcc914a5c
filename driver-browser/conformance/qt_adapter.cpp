// Plays the conformance table against the Qt front-end on the offscreen platform: the real
// Form1 and its dialogs, driven with QTest's mouse and key events, printing into a
// recording printer. Drive C is the drive_c folder of a throw-away Wine prefix, drive D its
// drive_d folder (holding "data"); drive Q is a link to nothing beside them, a drive whose
// medium is gone.
//
// usage: conformance_qt TABLE OUTPUT
#include "scenario_table.h"

#include "ansi_codepage.h"
#include "directory_list.h"
#include "file_list_box.h"
#include "form1.h"
#include "native_names.h"
#include "report_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
            auto* dirs = dialog->findChild<DirectoryList*>("Dir1");
            size_t rootIndent = 0;
            for (int i = 0; i < dirs->count(); ++i) {
                const std::string path =
                    shownPath(dirs->item(i)->data(DirectoryList::PathRole).toString());
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
        } else if (a[0] == "open" || a[0] == "select") {
            auto* dirs = qobject_cast<QListWidget*>(find(window, "Dir1"));
            for (int i = 0; dirs && i < dirs->count(); ++i) {
                QListWidgetItem* item = dirs->item(i);
                const auto* bytes = reinterpret_cast<const uint8_t*>(a[1].data());
                if (item->text().trimmed() !=
                        QString::fromStdU16String(tolvane::ansiToString(bytes, a[1].size())) &&
                    shownPath(item->data(DirectoryList::PathRole).toString()) != a[1])
                    continue;
                dirs->scrollToItem(item);
                const QPoint at = dirs->visualItemRect(item).center();
                if (a[0] == "open")
                    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, at);
                else
                    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, at);
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
