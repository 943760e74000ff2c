#pragma once

#include <QLabel>
#include <QPoint>

// A picture that acts as a button: the top strip's image buttons.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked(const QPoint &globalPos);
    void doubleClicked();
    void hovered();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
};
