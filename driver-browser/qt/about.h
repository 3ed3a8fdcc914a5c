// The about window: the maker's picture and notices, "Go Away" closes it. A hidden gesture
// on the picture and the "Watch out" label opens the picture window (see egg_gesture.h).
//
// "Go Away" is the only way out: Escape and the window frame do not close it. There is no
// default button either; Enter presses the focused button and nothing else, and the focus
// starts on the picture.
#pragma once

#include "egg_gesture.h"

#include <QDialog>
#include <memory>

namespace Ui {
class About;
}

class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);
    ~About() override;

    // Stage of the hidden gesture (0 idle .. 8).
    int EggStage() const { return egg_.stage(); }

    // The window has no cancel: Escape and close requests leave it open.
    void reject() override {}

private slots:
    void on_Command1_clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Label6_Click();

    std::unique_ptr<Ui::About> ui;
    tolvane::EggGesture egg_;
    bool label6Pressed_ = false;
};
