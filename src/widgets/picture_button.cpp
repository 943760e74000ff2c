#include "picture_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <utility>

PictureButton::PictureButton(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    // The release of a double-click's second press is no second click.
    const bool second = std::exchange(m_secondPress, false);
    if (event->button() == Qt::LeftButton && !second && rect().contains(event->position().toPoint()))
        emit clicked(event->globalPosition().toPoint());
    QLabel::mouseReleaseEvent(event);
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_secondPress = true;
        emit doubleClicked();
    }
    QLabel::mouseDoubleClickEvent(event);
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    QLabel::mouseMoveEvent(event);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    emit hovered();
    QLabel::enterEvent(event);
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            emit activated();
        event->accept();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void PictureButton::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}
