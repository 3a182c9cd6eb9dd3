#include "ClickLineEdit.h"

#include <QMouseEvent>

void ClickLineEdit::mousePressEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    QLineEdit::mousePressEvent(event);
}

void ClickLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (m_clicks.released(event, this))
        emit clicked();
}

void ClickLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
