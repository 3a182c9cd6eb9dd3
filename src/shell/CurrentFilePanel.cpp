#include "CurrentFilePanel.h"

#include "TarvaneArt.h"

#include <QPainter>

namespace {
constexpr int Gap = 4;
}

CurrentFilePanel::CurrentFilePanel(QWidget* parent) : WatchedLabel(QString(), parent)
{
    m_picture = TarvaneArt::currentFilePicture();
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

QSize CurrentFilePanel::sizeHint() const
{
    return minimumSizeHint();
}

QSize CurrentFilePanel::minimumSizeHint() const
{
    const int frame = 2 * frameWidth();
    return {m_picture.width() + 3 * Gap + frame, std::max(m_picture.height(), fontMetrics().height()) + frame + 2};
}

QRect CurrentFilePanel::textRect() const
{
    return contentsRect().adjusted(m_picture.width() + 2 * Gap, 0, -Gap, 0);
}

void CurrentFilePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect inside = contentsRect();
    painter.drawPixmap(inside.left() + Gap / 2, inside.top() + (inside.height() - m_picture.height()) / 2, m_picture);
    const QRect box = textRect();
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(box, Qt::AlignVCenter | Qt::AlignLeft,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, box.width()));
}
