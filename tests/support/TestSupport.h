#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QObject>
#include <QTest>

// Lets posted events and due zero-delay timers run, as the event loop would between two handlers.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

template <typename T> T* child(const QObject& root, const QString& name)
{
    T* found = root.findChild<T*>(name);
    if (!found)
        qFatal("no child named %s", qPrintable(name));
    return found;
}

// Triggers a menu item as the operator would: it must exist and be enabled.
inline bool triggerAction(const QObject& root, const QString& name)
{
    auto* action = root.findChild<QAction*>(name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}
