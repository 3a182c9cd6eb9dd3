#pragma once

class QMouseEvent;
class QWidget;

// Tells a click from the mouse events a widget receives: the left button went down on it and came up over it.
// Qt delivers the second press of a double click as a double click alone, never as a press: it begins a click too,
// so that every click the operator makes counts, however quick.
class ClickTracker
{
public:
    // For a press or a double click.
    void pressed(const QMouseEvent* event);
    // For a release: true when it completes a click on widget.
    bool released(const QMouseEvent* event, const QWidget* widget);

private:
    bool m_pressed = false;
};
