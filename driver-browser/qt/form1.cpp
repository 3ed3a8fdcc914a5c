#include "form1.h"

#include "about.h"
#include "brisklow.h"
#include "changedir.h"
#include "desktop_shortcut.h"
#include "drive_list.h"
#include "drv_help.h"
#include "file_list_box.h"
#include "file_types.h"
#include "image_resources.h"
#include "menu_check_style.h"
#include "native_names.h"
#include "ui_form1.h"
#include "version_strings.h"
#include "windows_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <filesystem>
#include <system_error>

namespace {
// The client area of the main window and its position on the screen, in pixels.
constexpr int kClientWidth = 317;
constexpr int kClientHeight = 262;
constexpr int kClientLeft = 109;
constexpr int kClientTop = 160;

QString separator() {
    return QString::fromLatin1(tolvane::pathSeparator());
}
} // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::Form1>()),
      printerFactory_(&tolvane::openDefaultPrinter) {
    tolvane::loadImageResources();
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
    WinPath = tolvane::pathFromNative(QByteArray::fromStdString(tolvane::windowsDirectory()));
    const QString systemDir = WinPath + separator() + QStringLiteral("system");
    // A directory that cannot be entered leaves the current one.
    std::error_code ignored;
    std::filesystem::current_path(tolvane::pathToNative(systemDir).toStdString(), ignored);
    ui->DrvListBox->setPath(systemDir);
}

void Form1::ShowDriverInfo() {
    FileListBox* list = ui->DrvListBox;
    const int selected = list->selectedIndex();
    if (selected < 0)
        return;
    // The label shows the name as listed; the file is opened by the name's own bytes.
    ui->FileNamelbl->setText(list->entry(selected));
    ui->Descrlbl->clear();
    const QByteArray fullName = tolvane::pathToNative(list->path()) + tolvane::pathSeparator() +
                                list->entryFileName(selected);
    const tolvane::VersionCaptions captions = tolvane::readVersionCaptions(fullName.toStdString());
    ui->Descrlbl->setText(QString::fromStdU16String(captions.description));
    ui->Vendorlbl->setText(QString::fromStdU16String(captions.vendor));
    ui->Versionlbl->setText(QString::fromStdU16String(captions.version));
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
    return seam;
}

// One print command's printer, from the printer factory.
struct Form1::PrintJob {
    Form1* window;
    std::unique_ptr<tolvane::ReportPrinter> printer;
    QString why;
};

tolvane::PrinterSeam Form1::printerSeam(PrintJob& job) {
    tolvane::PrinterSeam seam{};
    seam.context = &job;
    seam.open = [](void* context) {
        auto* print = static_cast<PrintJob*>(context);
        print->printer = print->window->printerFactory_(&print->why);
        return print->printer != nullptr;
    };
    seam.printLine = [](void* context, const tolvane::ReportLine& line) {
        auto* print = static_cast<PrintJob*>(context);
        QString text = QString::fromLatin1(line.prefix);
        if (line.hasLabel)
            text += print->window->valueLabel(line.label)->text();
        print->printer->printLine(text);
    };
    seam.endDocument = [](void* context) {
        auto* print = static_cast<PrintJob*>(context);
        if (print->printer->endDocument())
            return true;
        print->why = print->printer->errorString();
        return false;
    };
    seam.warn = [](void* context) {
        auto* print = static_cast<PrintJob*>(context);
        print->window->showPrinterProblem(print->why);
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

void Form1::showPrinterProblem(const QString& why) {
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    why.isEmpty() ? QStringLiteral("The report could not be printed.") : why,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrinterProblem"));
    box.exec();
}

void Form1::on_SDriver_triggered() {
    PrintJob job{this, nullptr, QString()};
    tolvane::printThisDriver(printerSeam(job));
}

void Form1::on_ADrivers_triggered() {
    PrintJob job{this, nullptr, QString()};
    tolvane::printAllDrivers(windowSeam(), printerSeam(job));
}
