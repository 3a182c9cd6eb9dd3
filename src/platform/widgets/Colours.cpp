#include "Colours.h"

#include <QAbstractButton>
#include <QWidget>

void Colours::paintBackground(QWidget* widget, const QColor& colour)
{
    const QPalette::ColorRole role = qobject_cast<QAbstractButton*>(widget) ? QPalette::Button : QPalette::Window;
    widget->setAutoFillBackground(true);
    if (widget->palette().color(role) == colour && widget->palette().isBrushSet(QPalette::Active, role))
        return;
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}
