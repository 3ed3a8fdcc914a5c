// The "Select Path" dialog: choose a drive and a directory for the driver list.
//
// Opened modally by the main window, which passes the list's path in and gets the chosen
// directory back through `newpath`: OK writes the directory list's path into it, Cancel and
// closing by the frame leave it alone. Neither button is a default or cancel button; Enter
// and Esc act on the focused control only.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>

namespace Ui {
class changedir;
}

class changedir : public QDialog {
    Q_OBJECT
public:
    changedir(const QString& listPath, QString& newpath, QWidget* parent = nullptr);
    // As above with the drives given instead of read from the machine.
    changedir(const QString& listPath, QString& newpath, const QStringList& drives,
              QWidget* parent = nullptr);
    ~changedir() override;

private slots:
    void on_Drive1_currentIndexChanged(int index);
    void on_Command1_clicked();
    void on_Command2_clicked();
    void tellOpenFailed(const QString& dir, const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void load(const QString& listPath);
    struct Seam;
    std::unique_ptr<Seam> seam();
    static Seam* seamOf(void* context);

    std::unique_ptr<Ui::changedir> ui;
    QString& newpath_;
    int shownDrive_ = -1;  // the drive whose directory Dir1 shows
    bool loading_ = false; // failures are told once the dialog is up
};
