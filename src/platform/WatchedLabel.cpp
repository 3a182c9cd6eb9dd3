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
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void WatchedLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

// Qt delivers the second press of a double click as this event alone, never as a press: it begins a click too, so
// that every click counts, however quick.
void WatchedLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    emit doubleClicked();
}
