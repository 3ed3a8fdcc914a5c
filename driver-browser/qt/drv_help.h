// The help window: the maker's banner and a short help text; "Back to Tolvane" closes it.
// Sizable, but its controls keep their places when it is resized.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class drvHelp;
}

class drvHelp : public QDialog {
    Q_OBJECT
public:
    explicit drvHelp(QWidget* parent = nullptr);
    ~drvHelp() override;

private slots:
    void on_Command1_clicked();

protected:
    // Escape does nothing: the window has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::drvHelp> ui;
};
