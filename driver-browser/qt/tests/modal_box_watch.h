// Test helper: deals with a modal window that the code under test opens with exec().
//
// ModalWatch polls for the active modal widget; when one of the wanted type appears it hands
// it to `inspect` and then closes it through `close`. If none appears within the time limit
// it records a failure (unless the window is NotExpected) and rejects whatever modal window is
// open, so a test never hangs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

template <typename Window>
class ModalWatch {
public:
    using Inspect = std::function<void(Window*)>;
    // Time limit for a watch that guards against a window that should not appear at all.
    static constexpr int NotExpected = -1;

    explicit ModalWatch(Inspect inspect = {}, std::function<void(Window*)> close = {},
                        int timeoutMs = 5000)
        : inspect_(std::move(inspect)), close_(std::move(close)), timeoutMs_(timeoutMs) {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }

    ~ModalWatch() { timer_.stop(); }

    // How many windows of the wanted type were seen and closed.
    int seen() const { return seen_; }
    bool timedOut() const { return timedOut_; }
    // Stop waiting for another window (the watch stays quiet afterwards).
    void stop() { timer_.stop(); }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* window = qobject_cast<Window*>(modal); window && window != handled_) {
            handled_ = window;
            ++seen_;
            if (inspect_)
                inspect_(window);
            if (close_)
                close_(window);
            else
                window->close();
            return;
        }
        if (seen_ == 0 && timeoutMs_ >= 0 && clock_.elapsed() > timeoutMs_) {
            timedOut_ = true;
            timer_.stop();
            ADD_FAILURE() << "no modal window of the expected kind appeared";
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected); // also ends windows that ignore Escape
        }
    }

    Inspect inspect_;
    std::function<void(Window*)> close_;
    int timeoutMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    QPointer<Window> handled_;
    int seen_ = 0;
    bool timedOut_ = false;
};
