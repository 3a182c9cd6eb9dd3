#include "LineWidget.h"

#include <QPainter>

LineWidget::LineWidget(QPoint from, QPoint to, int width, QWidget* parent) : QWidget(parent), m_width(width)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect box = QRect(from, to).normalized().adjusted(-width, -width, width, width);
    setGeometry(box);
    m_from = from - box.topLeft();
    m_to = to - box.topLeft();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, m_width));
    painter.drawLine(m_from, m_to);
}
