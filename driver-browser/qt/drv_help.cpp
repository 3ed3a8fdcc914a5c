#include "drv_help.h"

#include "ui_drv_help.h"
#include "user_texts.h"
#include "windows_look.h"

#include <QKeyEvent>

drvHelp::drvHelp(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::drvHelp>()) {
    ui->setupUi(this);
    for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3}) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    ui->Label3->setText(QString::fromLatin1(tolvane::kHelpText));
    // Whole-point sizes only fit in a .ui file; these two are quarter points.
    QFont buttonFont = ui->Command1->font();
    buttonFont.setPointSizeF(9.75);
    ui->Command1->setFont(buttonFont);
    QFont taglineFont = ui->Label2->font();
    taglineFont.setPointSizeF(14.25);
    ui->Label2->setFont(taglineFont);

    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setGeometry(76, 103, 446, 382);
    setWindowIcon(tolvane::windowIcon("help"));
}

drvHelp::~drvHelp() = default;

void drvHelp::on_Command1_clicked() {
    accept();
}

void drvHelp::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
