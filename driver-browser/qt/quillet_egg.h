// The hidden picture window, opened from the about window's gesture. It has no icon of its
// own; its one button closes it.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <memory>

namespace Ui {
class QuilletEgg;
}

class QuilletEgg : public QDialog {
    Q_OBJECT
public:
    explicit QuilletEgg(QWidget* parent = nullptr);
    ~QuilletEgg() override;

private slots:
    void on_Command1_clicked();

protected:
    // Escape does nothing: the window has no cancel button.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<Ui::QuilletEgg> ui;
    QPixmap background_;
};
