#include "UpScrollBar.h"

#include <QKeyEvent>
#include <QProxyStyle>

#include <algorithm>

namespace {

// Arrows as long as the bar is wide and a thumb no longer than that, as on a classic scroll bar. The layout's
// bars are narrow and short; with the style's own arrows and thumb the thumb would fill the whole track and
// leave nowhere to click for a page step.
class NarrowBarStyle final : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        const int own = QProxyStyle::pixelMetric(metric, option, widget);
        if (widget && (metric == PM_ScrollBarExtent || metric == PM_ScrollBarSliderMin))
            return std::min(own, widget->width());
        return own;
    }
};

} // namespace

UpScrollBar::UpScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    auto* style = new NarrowBarStyle;
    style->setParent(this);
    setStyle(style);
    setSingleStep(1);
    setPageStep(10);
    setTracking(false); // a dragged thumb sets the value where it is let go
    connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit levelChanged(-v); });
}

void UpScrollBar::setLevelRange(int minimum, int maximum)
{
    setRange(-maximum, -minimum);
}

void UpScrollBar::takeKeysFrom(QWidget* field)
{
    field->installEventFilter(this);
}

bool UpScrollBar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || watched == this)
        return QScrollBar::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up:
        setLevel(level() + singleStep());
        return true;
    case Qt::Key_Down:
        setLevel(level() - singleStep());
        return true;
    case Qt::Key_PageUp:
        setLevel(level() + pageStep());
        return true;
    case Qt::Key_PageDown:
        setLevel(level() - pageStep());
        return true;
    default:
        return QScrollBar::eventFilter(watched, event);
    }
}
