#include "KeyPreview.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("KeyPreview"));
    watch(window);
}

void KeyPreview::watch(QObject* object)
{
    if (!object->isWidgetType())
        return; // only widgets take keys, and only widgets have widgets as children
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->window() != m_window)
            break;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (event->type() == QEvent::KeyRelease) {
            emit keyReleased(key); // again for each parent a control leaves the key to
        } else if (key == Qt::Key_Escape) {
            emit escapePressed();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
