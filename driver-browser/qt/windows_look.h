// Where Tolvane's windows behave as Windows windows do rather than as Qt's do by default: the
// picture box, menu check marks, the keys of a dialog without default and cancel buttons, and
// the windows' icons in two sizes.
#pragma once

#include <QIcon>
#include <QLabel>
#include <QProxyStyle>

class QKeyEvent;

// A picture box: shows a picture at its top-left corner and reports clicks.
class ClickablePicture : public QLabel {
    Q_OBJECT

public:
    explicit ClickablePicture(QWidget* parent = nullptr);

signals:
    // A left-button press and release inside the picture.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// Menu check marks as a Windows menu draws them: the checked item shows its mark and an
// unchecked item shows nothing, not an empty box. Draws with the application's style apart
// from that.
class MenuCheckStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit MenuCheckStyle(QObject* parent = nullptr);

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

namespace tolvane {

// The keys of a dialog that has no default and no cancel button (About, Select Path): Enter
// presses the focused button and nothing else, and Escape does nothing. True when the key was
// one of them (the event is then accepted), false when the dialog's usual handling should see
// it.
bool handleButtonOnlyDialogKey(QWidget* dialog, QKeyEvent* event);

// A window's icon, in 32 and 16 pixels (":/icons/WINDOW_32.png" and "_16.png").
QIcon windowIcon(const char* window);

} // namespace tolvane
