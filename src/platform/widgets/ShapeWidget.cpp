#include "ShapeWidget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(Kind kind, const QColor& fill, QWidget* parent) : QWidget(parent), m_kind(kind), m_fill(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents); // a click on a shape belongs to what lies under it
}

void ShapeWidget::setFill(const QColor& fill)
{
    if (fill == m_fill)
        return;
    m_fill = fill;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_kind == Kind::Circle);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_fill);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_kind == Kind::Circle)
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}
