// The splash window shown while the main window loads: centres itself, shows the maker's
// picture and closes itself from its timer T1 after about two seconds.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <functional>
#include <memory>

namespace Ui {
class Brisklow;
}

class Brisklow : public QDialog {
    Q_OBJECT

public:
    // Time of day in seconds since midnight; restarts at 0 at midnight.
    using Clock = std::function<float()>;

    explicit Brisklow(QWidget* parent = nullptr);
    ~Brisklow() override;

    // The clock the timer reads (the system's time of day unless a test replaces it).
    void setClock(Clock clock);

    // The load handler runs the first time the window is shown.
    void setVisible(bool visible) override;

    // The user has no way to close the splash: Escape and close requests leave it open.
    // Only the timer closes it.
    void reject() override {}

    // Where the window centres itself, in pixels, for a screen of the given size.
    static QPoint centredPosition(const QSize& screenPixels, const QSize& windowPixels);

private slots:
    void on_T1_timeout();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void load();

    QTimer T1;
    std::unique_ptr<Ui::Brisklow> ui;
    QPixmap background_;
    Clock clock_;
    bool loaded_ = false;
    float SplashStart = 0; // time of day at the first tick; 0 = not yet recorded
};
