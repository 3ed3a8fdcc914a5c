#include "about.h"

#include "ansi_codepage.h"
#include "quillet_egg.h"
#include "ui_about.h"
#include "windows_look.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

int buttonBits(Qt::MouseButton button) {
    return button == Qt::LeftButton     ? tolvane::LeftButtonBit
           : button == Qt::RightButton  ? tolvane::RightButtonBit
           : button == Qt::MiddleButton ? tolvane::MiddleButtonBit
                                        : 0;
}

int shiftBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? tolvane::ShiftBit : 0) |
           (modifiers & Qt::ControlModifier ? tolvane::CtrlBit : 0) |
           (modifiers & Qt::AltModifier ? tolvane::AltBit : 0);
}

} // namespace

About::About(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::About>()) {
    ui->setupUi(this);
    // The six labels: plain text in 12-point MS Sans Serif, centred from the top.
    const QFont labelFont(QStringLiteral("MS Sans Serif"), 12);
    for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5, ui->Label6}) {
        label->setFont(labelFont);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    // No close button on the frame: "Go Away" closes the window.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint);
    setFixedSize(325, 406);
    setGeometry(74, 103, 325, 406); // the client area's: the system's frame goes round it
    setWindowIcon(tolvane::windowIcon("about"));

    // Picture1 has the first tab index: the focus starts there.
    ui->Picture1->setFocus();
    ui->Picture1->installEventFilter(this);
    ui->Label6->installEventFilter(this);

    // Load: the caption gets the registered sign of the ANSI code page, once per opening.
    setWindowTitle(windowTitle() + QChar(tolvane::ansiToChar(174)));
}

About::~About() = default;

void About::on_Command1_clicked() {
    accept();
}

void About::keyPressEvent(QKeyEvent* event) {
    // No default and no cancel button: Enter presses only the focused button, Escape nothing.
    if (!tolvane::handleButtonOnlyDialogKey(this, event))
        QDialog::keyPressEvent(event);
}

bool About::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);

    if (watched == ui->Picture1) {
        // A double click is the second press of a pair.
        if (type == QEvent::MouseButtonRelease) {
            // Coordinates in twips from the top-left corner of the picture's client area.
            const QPointF local =
                mouse->position() - QPointF(ui->Picture1->contentsRect().topLeft());
            egg_.released(buttonBits(mouse->button()), shiftBits(mouse->modifiers()),
                          tolvane::pixelsToTwips(static_cast<float>(local.x())),
                          tolvane::pixelsToTwips(static_cast<float>(local.y())));
        } else {
            egg_.pressed(buttonBits(mouse->button()), shiftBits(mouse->modifiers()));
        }
        return true;
    }
    if (watched == ui->Label6) {
        // A click on the label is a left press and release on it. The second press of a
        // double click is a double click, which the window does not handle: it and its
        // release make no click.
        if (mouse->button() != Qt::LeftButton)
            return true;
        if (type == QEvent::MouseButtonRelease) {
            const bool click =
                label6Pressed_ && ui->Label6->rect().contains(mouse->position().toPoint());
            label6Pressed_ = false;
            if (click)
                Label6_Click();
        } else {
            label6Pressed_ = type == QEvent::MouseButtonPress;
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void About::Label6_Click() {
    if (!egg_.labelClicked())
        return;
    {
        QuilletEgg egg(this);
        egg.exec();
    }
    egg_.pictureClosed();
}
