// The main window: the driver list of the Windows system directory, the details of the
// selected driver, the menus and the shortcut picture.
#pragma once

#include "main_window_seam.h"
#include "print_report.h"
#include "report_printer.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class Brisklow;
class FileListBox;
class QAction;
class QLabel;

namespace Ui {
class Form1;
}

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    QString WinPath; // the Windows directory as the platform reports it
    QString newpath; // the directory exchanged with the change-directory dialog

    // Start-up: shows the splash window modally, points the list at the system directory
    // and selects the first driver.
    void load();
    // Reads the Windows directory into WinPath and points the list at its "system" folder.
    void GetwinDir();
    // Shows name, description, vendor and version of the selected driver; with nothing
    // selected it leaves the labels as they are.
    void ShowDriverInfo();

    FileListBox* driverList() const;

    // Where the print commands get their printer (default: the system's default printer).
    void setPrinterFactory(tolvane::PrinterFactory factory);
    // The drives Select Path offers (default, or when empty: the machine's).
    void setDrives(const QStringList& drives);
    // Whether load() shows the splash window (on by default).
    void setSplashEnabled(bool enabled);
    // Called with the splash window after it is created and before it is shown.
    void setSplashSetup(std::function<void(Brisklow&)> setup);

private slots:
    void on_chdr_triggered();
    void on_SDriver_triggered();
    void on_ADrivers_triggered();
    void on_Exitmen_triggered();
    void on_DRVOnly_triggered();
    void on_DLLOnly_triggered();
    void on_vxdonly_triggered();
    void on_BothDLLDRV_triggered();
    void on_Helpme_triggered();
    void on_AboutMe_triggered();
    void on_Picture1_clicked();
    void on_DrvListBox_entrySelected(int index);
    void on_DrvListBox_pathChanged();
    void on_DrvListBox_patternChanged();

private:
    void chooseFileType(const QAction* chosen);
    QLabel* valueLabel(tolvane::ValueLabel label) const;
    QByteArray textFor(tolvane::WindowText which) const;
    void setTextFor(tolvane::WindowText which, const char* text);
    // The window and the printer as the core's sequences see them.
    struct PrintJob;
    tolvane::MainWindowSeam windowSeam();
    tolvane::PrinterSeam printerSeam(PrintJob& job);

    std::unique_ptr<Ui::Form1> ui;
    tolvane::PrinterFactory printerFactory_;
    QStringList drives_;
    bool splashEnabled_ = true;
    std::function<void(Brisklow&)> splashSetup_;
    QByteArray seamMemory_; // what the core copies and joins texts in
};
