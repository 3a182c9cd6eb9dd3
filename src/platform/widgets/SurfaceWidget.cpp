#include "SurfaceWidget.h"

#include <QMouseEvent>

SurfaceWidget::SurfaceWidget(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
}

// A control that leaves a mouse event unhandled (a button pressed with the right button, a disabled control) lets
// it rise to its parent; that is still a click on the control, not on the bare surface.
// A child that only groups others (marked "partOfSurface") is background too, where none of its own lies.
bool SurfaceWidget::onBareSurface(const QMouseEvent* event) const
{
    const QWidget* hit = childAt(event->position().toPoint());
    return hit == nullptr || hit->property("partOfSurface").toBool();
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (onBareSurface(event))
        emit pressed(event->button());
}

void SurfaceWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::RightButton && onBareSurface(event))
        emit rightReleased(event->globalPosition().toPoint());
}

void SurfaceWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && onBareSurface(event))
        emit doubleClicked();
}
