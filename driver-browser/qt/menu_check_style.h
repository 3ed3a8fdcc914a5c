// Menu check marks drawn as a Windows menu draws them: the checked item shows its mark and
// an unchecked item shows nothing, not an empty box.
#pragma once

#include <QProxyStyle>

class MenuCheckStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Draws with the application's style apart from the unchecked items' boxes.
    explicit MenuCheckStyle(QObject* parent = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
