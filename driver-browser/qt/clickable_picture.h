// A picture box: shows a picture at its top-left corner and reports clicks.
#pragma once

#include <QLabel>

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
