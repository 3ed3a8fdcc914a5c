#include "form1.h"

#include "about.h"
#include "ansi_codepage.h"
#include "brisklow.h"
#include "changedir.h"
#include "desktop_shortcut.h"
#include "driver_info.h"
#include "drv_help.h"
#include "file_list_box.h"
#include "file_types.h"
#include "machine_drives.h"
#include "main_window.h"
#include "native_names.h"
#include "posix_file.h"
#include "ui_form1.h"
#include "user_texts.h"
#include "windows_directory.h"
#include "windows_look.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <cstring>
#include <unistd.h>

Form1::Form1(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Form1>()),
      printerFactory_(&tolvane::openDefaultPrinter) {
    ui->setupUi(this);
    // Every label shows plain text, wrapped at its width; all but Label5 in 9.75 points, which
    // the .ui format (whole points only) cannot hold.
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPointSizeF(9.75);
    for (QLabel* label : {ui->Vendorlbl, ui->Versionlbl, ui->Descrlbl, ui->FileNamelbl, ui->Label4,
                          ui->Label3, ui->Label2, ui->Label1, ui->Label5}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        if (label != ui->Label5)
            label->setFont(labelFont);
    }

    // "-" marks a separator in the definition; the separator itself is a plain line.
    for (QAction* line : {ui->u, ui->p}) {
        line->setSeparator(true);
        line->setText(QString());
    }
    // Only the checked file type shows a mark, as in a Windows menu.
    ui->typemen->setStyle(new MenuCheckStyle(this));

    // Fixed single border, without a maximize button. The definition's size is the client
    // area's, which keeps it; the menu bar sits above it. setGeometry places the inside of the
    // window, without the frame the system adds.
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    const QRect client(QPoint(109, 160), size());
    ui->centralwidget->setFixedSize(client.size());
    const QRect inside = client.adjusted(0, -menuBar()->sizeHint().height(), 0, 0);
    setFixedSize(inside.size());
    setGeometry(inside);

    // DrvListBox has the first tab index: the window opens with the focus on it.
    ui->DrvListBox->setFocus();
}

Form1::~Form1() = default;

FileListBox* Form1::driverList() const {
    return ui->DrvListBox;
}

void Form1::setPrinterFactory(tolvane::PrinterFactory factory) {
    printerFactory_ = std::move(factory);
}

void Form1::setDrives(const QStringList& drives) {
    drives_ = drives;
}

void Form1::setSplashEnabled(bool enabled) {
    splashEnabled_ = enabled;
}

void Form1::setSplashSetup(std::function<void(Brisklow&)> setup) {
    splashSetup_ = std::move(setup);
}

void Form1::load() {
    tolvane::loadMainWindow(windowSeam());
}

void Form1::GetwinDir() {
    tolvane::getwinDir(windowSeam());
}

void Form1::ShowDriverInfo() {
    tolvane::PosixFile file;
    tolvane::showDriverInfo(windowSeam(), file.seam());
}

void Form1::on_DrvListBox_entrySelected(int /*index*/) {
    ShowDriverInfo();
}

void Form1::on_DrvListBox_pathChanged() {
    tolvane::refreshDriverList(windowSeam());
}

void Form1::on_DrvListBox_patternChanged() {
    tolvane::refreshDriverList(windowSeam());
}

QLabel* Form1::valueLabel(tolvane::ValueLabel label) const {
    QLabel* const labels[] = {ui->FileNamelbl, ui->Descrlbl, ui->Vendorlbl, ui->Versionlbl};
    return labels[static_cast<int>(label)];
}

// Paths as the file system's bytes; a label as it shows, in UTF-8.
QByteArray Form1::textFor(tolvane::WindowText which) const {
    switch (which) {
    case tolvane::WindowText::ListPath:
        return tolvane::pathToNative(ui->DrvListBox->path());
    case tolvane::WindowText::Newpath:
        return tolvane::pathToNative(newpath);
    case tolvane::WindowText::WinPath:
        return tolvane::pathToNative(WinPath);
    default:
        return valueLabel(static_cast<tolvane::ValueLabel>(which))->text().toUtf8();
    }
}

// Paths from the file system's bytes; a label from the code page's.
void Form1::setTextFor(tolvane::WindowText which, const char* text) {
    switch (which) {
    case tolvane::WindowText::ListPath:
        ui->DrvListBox->setPath(tolvane::pathFromNative(QByteArray(text)));
        break;
    case tolvane::WindowText::Newpath:
        newpath = tolvane::pathFromNative(QByteArray(text));
        break;
    case tolvane::WindowText::WinPath:
        WinPath = tolvane::pathFromNative(QByteArray(text));
        break;
    default:
        valueLabel(static_cast<tolvane::ValueLabel>(which))
            ->setText(QString::fromStdU16String(
                tolvane::ansiToString(reinterpret_cast<const uint8_t*>(text), std::strlen(text))));
        break;
    }
}

namespace {

Form1* self(void* context) {
    return static_cast<Form1*>(context);
}

} // namespace

tolvane::MainWindowSeam Form1::windowSeam() {
    tolvane::MainWindowSeam seam{};
    seam.context = this;
    seam.listCount = [](void* c) { return self(c)->ui->DrvListBox->count(); };
    seam.selectedIndex = [](void* c) { return self(c)->ui->DrvListBox->selectedIndex(); };
    seam.selectEntry = [](void* c, int index) { self(c)->ui->DrvListBox->setSelectedIndex(index); };
    // The label shows the name as listed; the file is opened by the name's own bytes.
    seam.showEntryName = [](void* c, int index) {
        self(c)->ui->FileNamelbl->setText(self(c)->ui->DrvListBox->entry(index));
    };
    seam.entryFileName = [](void* c, int index, char* buffer, std::size_t capacity) {
        return tolvane::copyOut(self(c)->ui->DrvListBox->entryFileName(index), buffer, capacity);
    };
    seam.showDriverInfo = [](void* c) { self(c)->ShowDriverInfo(); };
    seam.text = [](void* c, tolvane::WindowText which, char* buffer, std::size_t capacity) {
        return tolvane::copyOut(self(c)->textFor(which), buffer, capacity);
    };
    seam.setText = [](void* c, tolvane::WindowText which, const char* text) {
        self(c)->setTextFor(which, text);
    };
    seam.setLabelVisible = [](void* c, tolvane::ValueLabel label, bool visible) {
        self(c)->valueLabel(label)->setVisible(visible);
    };
    seam.processPendingEvents = [](void*) { QCoreApplication::processEvents(); };
    seam.showSplash = [](void* c) {
        if (!self(c)->splashEnabled_)
            return;
        Brisklow splash(self(c));
        if (self(c)->splashSetup_)
            self(c)->splashSetup_(splash);
        splash.exec();
    };
    seam.showSelectPath = [](void* c) {
        Form1* form = self(c);
        changedir dialog(form->ui->DrvListBox->path(), form->newpath,
                         form->drives_.isEmpty() ? tolvane::machineDrives() : form->drives_, form);
        dialog.exec();
    };
    seam.windowsDirectory = tolvane::wineWindowsDirectory();
    seam.setCurrentDirectory = [](void*, const char* path) {
        if (::chdir(path) != 0) {
            // A directory that cannot be entered leaves the current one.
        }
    };
    seam.memory = [](void* c, std::size_t size) {
        self(c)->seamMemory_.resize(static_cast<qsizetype>(size));
        return self(c)->seamMemory_.data();
    };
    return seam;
}

// One print command's printer, from the printer factory, and the memory its lines are put
// together in.
struct Form1::PrintJob {
    Form1* window;
    std::unique_ptr<tolvane::ReportPrinter> printer;
    QByteArray memory;
    QByteArray reason;
};

tolvane::PrinterSeam Form1::printerSeam(PrintJob& job) {
    tolvane::PrinterSeam seam{};
    seam.context = &job;
    seam.open = [](void* context) {
        auto* print = static_cast<PrintJob*>(context);
        print->printer = print->window->printerFactory_();
        return print->printer != nullptr;
    };
    seam.memory = [](void* context, std::size_t size) {
        auto* print = static_cast<PrintJob*>(context);
        print->memory.resize(static_cast<qsizetype>(size));
        return print->memory.data();
    };
    seam.printLine = [](void* context, const char* text, std::size_t length) {
        static_cast<PrintJob*>(context)->printer->printLine(
            QString::fromUtf8(text, static_cast<qsizetype>(length)));
    };
    seam.endDocument = [](void* context, const char** reason) {
        auto* print = static_cast<PrintJob*>(context);
        if (print->printer->endDocument())
            return true;
        print->reason = print->printer->errorString().toUtf8();
        *reason = print->reason.constData();
        return false;
    };
    seam.warn = [](void* context, const char* text) {
        QMessageBox box(QMessageBox::Warning, QString::fromLatin1(tolvane::kPrintWarningTitle),
                        QString::fromUtf8(text), QMessageBox::Ok,
                        static_cast<PrintJob*>(context)->window);
        box.setObjectName(QStringLiteral("PrinterProblem"));
        box.exec();
    };
    return seam;
}

// The chosen item alone carries the check mark, and its pattern goes to the list.
void Form1::chooseFileType(const QAction* chosen) {
    for (const tolvane::FileTypeItem& item : tolvane::kFileTypeItems) {
        auto* action = findChild<QAction*>(QLatin1String(item.name));
        action->setChecked(action == chosen);
        if (action == chosen)
            ui->DrvListBox->setPattern(QString::fromLatin1(item.pattern));
    }
}

void Form1::on_DRVOnly_triggered() {
    chooseFileType(ui->DRVOnly);
}

void Form1::on_DLLOnly_triggered() {
    chooseFileType(ui->DLLOnly);
}

void Form1::on_vxdonly_triggered() {
    chooseFileType(ui->vxdonly);
}

void Form1::on_BothDLLDRV_triggered() {
    chooseFileType(ui->BothDLLDRV);
}

void Form1::on_chdr_triggered() {
    tolvane::changeDirectory(windowSeam());
}

void Form1::on_Helpme_triggered() {
    drvHelp window(this);
    window.exec();
}

void Form1::on_AboutMe_triggered() {
    About window(this);
    window.exec();
}

void Form1::on_Picture1_clicked() {
    tolvane::createDesktopShortcut(this, tolvane::pathToNative(WinPath));
}

void Form1::on_Exitmen_triggered() {
    close();
}

void Form1::on_SDriver_triggered() {
    PrintJob job{this, nullptr, {}, {}};
    tolvane::printThisDriver(windowSeam(), printerSeam(job));
}

void Form1::on_ADrivers_triggered() {
    PrintJob job{this, nullptr, {}, {}};
    tolvane::printAllDrivers(windowSeam(), printerSeam(job));
}
