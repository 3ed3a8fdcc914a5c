#include "menu_check_style.h"

#include <QStyleOptionMenuItem>

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
