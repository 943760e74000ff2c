#include "picture_button.h"

#include <QMouseEvent>

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(event->globalPosition().toPoint());
    QLabel::mouseReleaseEvent(event);
}

void PictureButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
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
