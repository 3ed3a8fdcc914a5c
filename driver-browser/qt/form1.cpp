#include "form1.h"

#include "about.h"
#include "ansi_codepage.h"
#include "brisklow.h"
#include "changedir.h"
#include "desktop_shortcut.h"
#include "drive_list.h"
#include "driver_info.h"
#include "drv_help.h"
#include "file_list_box.h"
#include "file_types.h"
#include "getwin_dir.h"
#include "menu_check_style.h"
#include "native_names.h"
#include "path_text.h"
#include "posix_file.h"
#include "ui_form1.h"
#include "user_texts.h"
#include "windows_directory.h"

#include <QCoreApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <algorithm>
#include <cstring>
#include <unistd.h>

namespace {
// The client area of the main window and its position on the screen, in pixels.
constexpr int kClientWidth = 317;
constexpr int kClientHeight = 262;
constexpr int kClientLeft = 109;
constexpr int kClientTop = 160;
} // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Form1>()),
      printerFactory_(&tolvane::openDefaultPrinter) {
    ui->setupUi(this);
    applyDefinition();
}

Form1::~Form1() = default;

void Form1::applyDefinition() {
    // The label font is 9.75 points, which the .ui format (whole points only) cannot hold.
    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPointSizeF(9.75);
    for (QLabel* label : {ui->Vendorlbl, ui->Versionlbl, ui->Descrlbl, ui->FileNamelbl, ui->Label4,
                          ui->Label3, ui->Label2, ui->Label1})
        label->setFont(labelFont);

    // "-" marks a separator in the definition; the separator itself is a plain line.
    for (QAction* line : {ui->u, ui->p}) {
        line->setSeparator(true);
        line->setText(QString());
    }
    // Only the checked file type shows a mark, as in a Windows menu.
    ui->typemen->setStyle(new MenuCheckStyle(this));

    // Fixed single border: the client area keeps its size; the menu bar sits above it.
    ui->centralwidget->setFixedSize(kClientWidth, kClientHeight);
    const int menuHeight = menuBar()->sizeHint().height();
    setFixedSize(kClientWidth, kClientHeight + menuHeight);
    // setGeometry places the inside of the window, without the frame the system adds.
    setGeometry(kClientLeft, kClientTop - menuHeight, kClientWidth, kClientHeight + menuHeight);

    // DrvListBox has the first tab index: the window opens with the focus on it (the focus
    // chain alone would start on Picture1, the control defined first).
    ui->DrvListBox->setFocus();
}

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
    if (splashEnabled_) {
        Brisklow splash(this);
        if (splashSetup_)
            splashSetup_(splash);
        splash.exec();
    }
    GetwinDir();
    if (ui->DrvListBox->count() > 0)
        ui->DrvListBox->setSelectedIndex(0);
}

void Form1::GetwinDir() {
    const std::string winPath = tolvane::windowsDirectory();
    WinPath = tolvane::pathFromNative(QByteArray::fromStdString(winPath));
    QByteArray systemDir(
        static_cast<qsizetype>(tolvane::systemDirectory(winPath.c_str(), nullptr, 0)), '\0');
    tolvane::systemDirectory(winPath.c_str(), systemDir.data(),
                             static_cast<std::size_t>(systemDir.size()) + 1);
    if (::chdir(systemDir.constData()) != 0) {
        // A directory that cannot be entered leaves the current one.
    }
    ui->DrvListBox->setPath(tolvane::pathFromNative(systemDir));
}

// What ShowDriverInfo reads of the list while it runs: the bytes that open the file.
struct Form1::DriverInfoRun {
    QByteArray listPath;
    QByteArray fileName;
};

void Form1::ShowDriverInfo() {
    DriverInfoRun run;
    driverInfoRun_ = &run;
    tolvane::PosixFile file;
    tolvane::showDriverInfo(windowSeam(), file.seam());
    driverInfoRun_ = nullptr;
}

void Form1::on_DrvListBox_entrySelected(int /*index*/) {
    ShowDriverInfo();
}

void Form1::on_DrvListBox_pathChanged() {
    refreshList();
}

void Form1::on_DrvListBox_patternChanged() {
    refreshList();
}

void Form1::refreshList() {
    tolvane::refreshDriverList(windowSeam());
}

QLabel* Form1::valueLabel(tolvane::ValueLabel label) const {
    switch (label) {
    case tolvane::ValueLabel::FileName:
        return ui->FileNamelbl;
    case tolvane::ValueLabel::Description:
        return ui->Descrlbl;
    case tolvane::ValueLabel::Vendor:
        return ui->Vendorlbl;
    case tolvane::ValueLabel::Version:
        return ui->Versionlbl;
    }
    return ui->FileNamelbl;
}

tolvane::MainWindowSeam Form1::windowSeam() {
    tolvane::MainWindowSeam seam{};
    seam.context = this;
    seam.listCount = [](void* self) { return static_cast<Form1*>(self)->ui->DrvListBox->count(); };
    seam.selectEntry = [](void* self, int index) {
        static_cast<Form1*>(self)->ui->DrvListBox->setSelectedIndex(index);
    };
    seam.showDriverInfo = [](void* self) { static_cast<Form1*>(self)->ShowDriverInfo(); };
    seam.clearLabel = [](void* self, tolvane::ValueLabel label) {
        static_cast<Form1*>(self)->valueLabel(label)->clear();
    };
    seam.setLabelVisible = [](void* self, tolvane::ValueLabel label, bool visible) {
        static_cast<Form1*>(self)->valueLabel(label)->setVisible(visible);
    };
    seam.processPendingEvents = [](void*) { QCoreApplication::processEvents(); };
    seam.labelText = [](void* self, tolvane::ValueLabel label, char* buffer, std::size_t capacity) {
        const QByteArray text = static_cast<Form1*>(self)->valueLabel(label)->text().toUtf8();
        const auto length = static_cast<std::size_t>(text.size());
        if (capacity > 0) {
            const std::size_t n = length < capacity ? length : capacity - 1;
            std::copy_n(text.constData(), n, buffer);
            buffer[n] = '\0';
        }
        return length;
    };
    seam.selectedIndex = [](void* self) {
        return static_cast<Form1*>(self)->ui->DrvListBox->selectedIndex();
    };
    // The label shows the name as listed; the file is opened by the name's own bytes.
    seam.showEntryName = [](void* self, int index) {
        auto* form = static_cast<Form1*>(self);
        form->ui->FileNamelbl->setText(form->ui->DrvListBox->entry(index));
    };
    seam.listPath = [](void* self) {
        auto* form = static_cast<Form1*>(self);
        form->driverInfoRun_->listPath = tolvane::pathToNative(form->ui->DrvListBox->path());
        return form->driverInfoRun_->listPath.constData();
    };
    seam.entryFileName = [](void* self, int index) {
        auto* form = static_cast<Form1*>(self);
        form->driverInfoRun_->fileName = form->ui->DrvListBox->entryFileName(index);
        return form->driverInfoRun_->fileName.constData();
    };
    seam.setLabel = [](void* self, tolvane::ValueLabel label, const char* text) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(text);
        static_cast<Form1*>(self)->valueLabel(label)->setText(
            QString::fromStdU16String(tolvane::ansiToString(bytes, std::strlen(text))));
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
        auto* print = static_cast<PrintJob*>(context);
        print->window->showPrinterProblem(QString::fromUtf8(text));
    };
    return seam;
}

void Form1::chooseFileType(QAction* item, const QString& pattern) {
    item->setChecked(true);
    for (QAction* other : {ui->DRVOnly, ui->DLLOnly, ui->vxdonly, ui->BothDLLDRV}) {
        if (other != item)
            other->setChecked(false);
    }
    ui->DrvListBox->setPattern(pattern);
}

void Form1::on_DRVOnly_triggered() {
    chooseFileType(ui->DRVOnly, QString::fromLatin1(tolvane::kFileTypeItems[0].pattern));
}

void Form1::on_DLLOnly_triggered() {
    chooseFileType(ui->DLLOnly, QString::fromLatin1(tolvane::kFileTypeItems[1].pattern));
}

void Form1::on_vxdonly_triggered() {
    chooseFileType(ui->vxdonly, QString::fromLatin1(tolvane::kFileTypeItems[2].pattern));
}

void Form1::on_BothDLLDRV_triggered() {
    chooseFileType(ui->BothDLLDRV, QString::fromLatin1(tolvane::kFileTypeItems[3].pattern));
}

void Form1::on_chdr_triggered() {
    newpath = ui->DrvListBox->path();
    {
        changedir dialog(ui->DrvListBox->path(), newpath,
                         drives_.isEmpty() ? tolvane::machineDrives() : drives_, this);
        dialog.exec();
    }
    ui->DrvListBox->setPath(newpath);
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
    tolvane::createDesktopShortcut(this, WinPath);
}

void Form1::on_Exitmen_triggered() {
    close();
}

void Form1::showPrinterProblem(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(tolvane::kPrintWarningTitle), text,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrinterProblem"));
    box.exec();
}

void Form1::on_SDriver_triggered() {
    PrintJob job{this, nullptr, {}, {}};
    tolvane::printThisDriver(windowSeam(), printerSeam(job));
}

void Form1::on_ADrivers_triggered() {
    PrintJob job{this, nullptr, {}, {}};
    tolvane::printAllDrivers(windowSeam(), printerSeam(job));
}
