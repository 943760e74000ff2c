#pragma once

#include <QLabel>
#include <QPoint>

// A picture that acts as a button: the top strip's image buttons. A double-click is one click, then one
// double-click. It takes the keyboard focus with Tab and shows it; Space or Enter then activates it.
class PictureButton : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr);

signals:
    void clicked(const QPoint &globalPos);
    void doubleClicked();
    void hovered();
    // Space or Enter while the button has the focus.
    void activated();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_secondPress = false;
};
