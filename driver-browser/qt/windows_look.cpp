#include "windows_look.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleOptionMenuItem>

ClickablePicture::ClickablePicture(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::TabFocus);
}

void ClickablePicture::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

MenuCheckStyle::MenuCheckStyle(QObject* parent) : QProxyStyle() {
    setParent(parent);
}

void MenuCheckStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuItem) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item && item->checkType != QStyleOptionMenuItem::NotCheckable && !item->checked) {
            // Drawn like an item that cannot be checked; the column for the marks stays.
            QStyleOptionMenuItem plain(*item);
            plain.checkType = QStyleOptionMenuItem::NotCheckable;
            QProxyStyle::drawControl(element, &plain, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

namespace tolvane {

bool handleButtonOnlyDialogKey(QWidget* dialog, QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(dialog->focusWidget()))
            button->click();
        event->accept();
        return true;
    case Qt::Key_Escape:
        event->accept();
        return true;
    default:
        return false;
    }
}

QIcon windowIcon(const char* window) {
    QIcon icon;
    for (int size : {32, 16})
        icon.addFile(QStringLiteral(":/icons/%1_%2.png").arg(QLatin1String(window)).arg(size),
                     QSize(size, size));
    return icon;
}

} // namespace tolvane
