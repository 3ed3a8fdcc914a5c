#include "dialog_keys.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

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

} // namespace tolvane
