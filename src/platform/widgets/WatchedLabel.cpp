#include "WatchedLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>

void WatchedLabel::setText(const QString& text)
{
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    if (m_shrinkToFit)
        fitText();
    emit textChanged(text);
}

void WatchedLabel::setShrinkToFit(bool on)
{
    m_shrinkToFit = on;
    m_fullFont = font();
    fitText();
}

void WatchedLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    if (m_shrinkToFit)
        fitText();
}

void WatchedLabel::fitText()
{
    QFont f = m_fullFont;
    const int room = contentsRect().width() - 2;
    const int full = f.pixelSize();
    if (full > 0) {
        for (int size = full; size > full / 2; --size) {
            f.setPixelSize(size);
            if (QFontMetrics(f).horizontalAdvance(text()) <= room)
                break;
        }
    }
    if (f != font())
        setFont(f);
}

void WatchedLabel::mousePressEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    event->accept();
}

void WatchedLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_clicks.released(event, this))
        emit clicked();
}

void WatchedLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_clicks.pressed(event);
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
