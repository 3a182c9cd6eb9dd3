#pragma once

#include <QWidget>

// A straight line between two points of its parent, drawn in a widget that just covers it.
class LineWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LineWidget)

public:
    LineWidget(QPoint from, QPoint to, int width, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint m_from;
    QPoint m_to;
    int m_width;
};
