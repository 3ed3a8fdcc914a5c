#include "Form1.h"

#include "About.h"
#include "Brisklow.h"
#include "changedir.h"
#include "core/version_strings.h"
#include "core/windows_directory.h"
#include "desktop_shortcut.h"
#include "drvHelp.h"
#include "file_list_box.h"
#include "image_resources.h"
#include "menu_check_style.h"
#include "native_names.h"
#include "ui_Form1.h"

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
}

FileListBox* Form1::driverList() const {
    return ui->DrvListBox;
}

void Form1::setPrinterFactory(tolvane::PrinterFactory factory) {
    printerFactory_ = std::move(factory);
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
    if (ui->DrvListBox->count() > 0) {
        ui->DrvListBox->setSelectedIndex(0);
        return;
    }
    ui->FileNamelbl->clear();
    ui->Descrlbl->clear();
    ui->Vendorlbl->clear();
    ui->Versionlbl->clear();
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
    chooseFileType(ui->DRVOnly, QStringLiteral("*.drv"));
}

void Form1::on_DLLOnly_triggered() {
    chooseFileType(ui->DLLOnly, QStringLiteral("*.dll"));
}

void Form1::on_vxdonly_triggered() {
    chooseFileType(ui->vxdonly, QStringLiteral("*.vxd"));
}

void Form1::on_BothDLLDRV_triggered() {
    chooseFileType(ui->BothDLLDRV, QStringLiteral("*.dll;*.drv;*.vxd"));
}

void Form1::on_chdr_triggered() {
    newpath = ui->DrvListBox->path();
    {
        changedir dialog(ui->DrvListBox->path(), newpath, this);
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

void Form1::printDetails(tolvane::ReportPrinter& printer) {
    printer.printLine(QStringLiteral("File Name: ") + ui->FileNamelbl->text());
    printer.printLine(QStringLiteral("Version: ") + ui->Versionlbl->text());
    printer.printLine(QStringLiteral("Vendor: ") + ui->Vendorlbl->text());
    printer.printLine(QStringLiteral("Description: ") + ui->Descrlbl->text());
}

void Form1::showPrinterProblem(const QString& why) {
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    why.isEmpty() ? QStringLiteral("The report could not be printed.") : why,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrinterProblem"));
    box.exec();
}

void Form1::on_SDriver_triggered() {
    QString why;
    std::unique_ptr<tolvane::ReportPrinter> printer = printerFactory_(&why);
    if (!printer) {
        showPrinterProblem(why);
        return;
    }
    printDetails(*printer);
    if (!printer->endDocument())
        showPrinterProblem(printer->errorString());
}

void Form1::on_ADrivers_triggered() {
    // The printer is obtained first, so that without one nothing on the window changes.
    QString why;
    std::unique_ptr<tolvane::ReportPrinter> printer = printerFactory_(&why);
    if (!printer) {
        showPrinterProblem(why);
        return;
    }
    QLabel* const labels[] = {ui->FileNamelbl, ui->Versionlbl, ui->Vendorlbl, ui->Descrlbl};
    for (QLabel* label : labels)
        label->setVisible(false);
    QCoreApplication::processEvents();
    FileListBox* list = ui->DrvListBox;
    const int count = list->count();
    for (int x = 0; x < count; ++x) {
        list->setSelectedIndex(x);
        ShowDriverInfo();
        printDetails(*printer);
        printer->printLine(QString());
    }
    for (QLabel* label : labels)
        label->setVisible(true);
    if (!printer->endDocument())
        showPrinterProblem(printer->errorString());
}
