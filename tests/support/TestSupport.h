#pragma once

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <type_traits>

// Lets posted events and due zero-delay timers run, as the event loop would between two handlers.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

// The program's settings of this test process alone, empty at first: Qt's test locations under a home folder of
// its own, so that tests running at the same time (from another build too) never read or remove each other's.
inline void useOwnSettings()
{
    static QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QStandardPaths::setTestModeEnabled(true);
}

// The object named name below root. A missing one fails the test, not the whole program: the test goes on, failed,
// with a stand-in that belongs to root (nothing, where no stand-in can be made).
template <typename T> T* child(const QObject& root, const QString& name)
{
    if (T* found = root.findChild<T*>(name))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no child named ") + name), __FILE__, __LINE__);
    if constexpr (std::is_default_constructible_v<T>) {
        auto* standIn = new T;
        auto* owner = const_cast<QObject*>(&root);
        if constexpr (std::is_base_of_v<QWidget, T>) {
            if (owner->isWidgetType())
                standIn->setParent(static_cast<QWidget*>(owner));
        } else {
            standIn->setParent(owner);
        }
        return standIn;
    } else {
        return nullptr;
    }
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
