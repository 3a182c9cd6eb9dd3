#include "HoldAccessKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>
#include <QWindow>

HoldAccessKey::HoldAccessKey(QWidget& window, QAbstractButton& button)
    : QObject(&window), m_window(window), m_button(button)
{
    setObjectName(QStringLiteral("HoldAccessKey"));
    // Shortcuts are matched before the window's widgets see the key: only an application filter comes first.
    qApp->installEventFilter(this);
}

HoldAccessKey::~HoldAccessKey()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool HoldAccessKey::isButtonsKey(QObject* receiver, const QEvent* event) const
{
    if (!m_button.isEnabled() || !m_button.isVisible())
        return false;
    if (auto* window = qobject_cast<QWindow*>(receiver); window == nullptr || window != m_window.windowHandle()) {
        auto* widget = qobject_cast<QWidget*>(receiver);
        if (widget == nullptr || widget->window() != &m_window)
            return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const QKeySequence mnemonic = QKeySequence::mnemonic(m_button.text());
    return !mnemonic.isEmpty() && key->modifiers() == Qt::AltModifier &&
           mnemonic[0] == QKeyCombination(Qt::AltModifier, Qt::Key(key->key()));
}

bool HoldAccessKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isButtonsKey(watched, event)) {
        event->accept(); // comes back as a key press instead of the ambiguous shortcut
        return true;
    }
    if (event->type() == QEvent::KeyPress && isButtonsKey(watched, event)) {
        event->accept();
        if (m_button.focusPolicy() & Qt::TabFocus)
            m_button.setFocus(Qt::ShortcutFocusReason);
        m_button.animateClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
