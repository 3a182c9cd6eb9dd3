#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace MenuItem {

// A new item at the end of menu, with its name; its shortcut works anywhere in the menu's window, also while
// the menu bar is hidden (once the window has the item among its actions).
inline QAction* add(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

} // namespace MenuItem
