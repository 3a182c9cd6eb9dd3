#include "UpScrollBar.h"

UpScrollBar::UpScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setSingleStep(1);
    setPageStep(10);
    setTracking(false); // a dragged thumb sets the value where it is let go
    connect(this, &QScrollBar::valueChanged, this, [this](int v) { emit levelChanged(-v); });
}

void UpScrollBar::setLevelRange(int minimum, int maximum)
{
    setRange(-maximum, -minimum);
}
