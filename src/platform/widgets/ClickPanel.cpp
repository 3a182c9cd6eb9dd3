#include "ClickPanel.h"

#include <QMouseEvent>

ClickPanel::ClickPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setLineWidth(2);
    setAutoFillBackground(true);
}

void ClickPanel::mousePressEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    event->accept();
}

void ClickPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    event->accept();
}

void ClickPanel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_clicks.released(event, this))
        emit clicked();
}
