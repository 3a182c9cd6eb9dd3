#include "UpScrollBar.h"

#include <QAccessibleWidget>
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

// A screen reader hears the value the field beside the bar shows, not the negated one underneath.
class UpScrollBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit UpScrollBarAccessible(UpScrollBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return QString::number(bar()->level());
        return QAccessibleWidget::text(type);
    }
    QVariant currentValue() const override { return bar()->level(); }
    void setCurrentValue(const QVariant& value) override { bar()->setLevel(value.toInt()); }
    QVariant maximumValue() const override { return bar()->maximumLevel(); }
    QVariant minimumValue() const override { return bar()->minimumLevel(); }
    QVariant minimumStepSize() const override { return bar()->singleStep(); }

private:
    UpScrollBar* bar() const { return static_cast<UpScrollBar*>(widget()); }
};

QAccessibleInterface* accessibleUpScrollBar(const QString& className, QObject* object)
{
    if (className == QLatin1String(UpScrollBar::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType())
        return new UpScrollBarAccessible(static_cast<UpScrollBar*>(object));
    return nullptr;
}

} // namespace

UpScrollBar::UpScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleUpScrollBar);
        return true;
    }();
    Q_UNUSED(accessible)
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
