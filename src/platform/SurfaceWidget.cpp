#include "SurfaceWidget.h"

#include <QMouseEvent>

SurfaceWidget::SurfaceWidget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(event->button());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::RightButton)
        emit rightReleased(event->globalPosition().toPoint());
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
