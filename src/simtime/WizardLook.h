#pragma once

#include <QColor>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

// Colours and small helpers shared by the two wizard pages.
namespace WizardLook {

inline const QColor PageGrey{192, 192, 192};
inline const QColor BeforeLiftoffPink{255, 192, 192};
inline const QColor AfterLiftoffGreen{0, 192, 0};

inline QColor sideColour(bool tPlus)
{
    return tPlus ? AfterLiftoffGreen : BeforeLiftoffPink;
}

inline void paint(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colour); // Button for buttons, so a frame's colour stays its own
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Outside a dialog there is no default button; Enter presses only the focused one.
inline void pressedByEnterWhenFocused(QPushButton* button)
{
    button->setAutoDefault(true);
    button->setDefault(false);
}

} // namespace WizardLook
