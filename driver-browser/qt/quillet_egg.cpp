#include "quillet_egg.h"

#include "ui_quillet_egg.h"

#include <QKeyEvent>
#include <QPainter>

QuilletEgg::QuilletEgg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::QuilletEgg>()) {
    background_ = QPixmap(QStringLiteral(":/images/quillet_egg.png"));
    ui->setupUi(this);
    QFont buttonFont = ui->Command1->font();
    buttonFont.setPointSizeF(9.75); // a quarter-point size does not fit in the .ui file
    ui->Command1->setFont(buttonFont);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setGeometry(76, 103, 399, 338);
    // This window has no icon of its own: clear it rather than inherit one.
    setWindowIcon(QIcon());
}

QuilletEgg::~QuilletEgg() = default;

void QuilletEgg::on_Command1_clicked() {
    accept();
}

void QuilletEgg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void QuilletEgg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}
