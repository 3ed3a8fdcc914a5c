#include "brisklow.h"

#include "splash_timer.h"
#include "ui_brisklow.h"
#include "windows_look.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTime>

namespace {

float timeOfDay() {
    const QTime now = QTime::currentTime();
    return tolvane::secondsSinceMidnight(now.hour(), now.minute(), now.second(), now.msec());
}

} // namespace

Brisklow::Brisklow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui(std::make_unique<Ui::Brisklow>()),
      background_(QStringLiteral(":/images/splash.png")), clock_(&timeOfDay) {
    // The timer exists before the definition is applied so that its tick handler connects.
    T1.setParent(this);
    T1.setObjectName(QStringLiteral("T1"));
    T1.setInterval(1000);
    ui->setupUi(this);
    setFixedSize(size());
    setWindowIcon(tolvane::windowIcon("splash"));
}

Brisklow::~Brisklow() = default;

void Brisklow::setClock(Clock clock) {
    clock_ = std::move(clock);
}

QPoint Brisklow::centredPosition(const QSize& screenPixels, const QSize& windowPixels) {
    const tolvane::SplashPosition at = tolvane::centredSplashPosition(
        screenPixels.width(), screenPixels.height(), windowPixels.width(), windowPixels.height());
    return {at.left, at.top};
}

void Brisklow::setVisible(bool visible) {
    if (visible && !loaded_) {
        loaded_ = true;
        load();
        return;
    }
    QDialog::setVisible(visible);
}

void Brisklow::load() {
    QDir::setCurrent(QCoreApplication::applicationDirPath()); // a failure goes unnoticed
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(centredPosition(screen->geometry().size(), size()));
    setWindowTitle(QStringLiteral("Brisklow -loading-"));
    QDialog::setVisible(true);
    QCoreApplication::processEvents();
    T1.start();
}

void Brisklow::on_T1_timeout() {
    const tolvane::TimeOfDaySource clock{
        &clock_, [](void* context) { return (*static_cast<Clock*>(context))(); }};
    if (!tolvane::splashTickCloses(SplashStart, clock))
        return;
    T1.stop();
    accept();
}

void Brisklow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}
