#include "ClickTracker.h"

#include <QMouseEvent>
#include <QWidget>

void ClickTracker::pressed(const QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

bool ClickTracker::released(const QMouseEvent* event, const QWidget* widget)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && widget->rect().contains(event->position().toPoint());
    m_pressed = false;
    return click;
}
