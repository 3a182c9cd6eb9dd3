#include "SplashKeyClaim.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

SplashKeyClaim::SplashKeyClaim(QWidget& splash, std::function<void()> keyPressed)
    : QObject(&splash), m_splash(&splash), m_keyPressed(std::move(keyPressed))
{
    setObjectName(QStringLiteral("SplashKeyClaim"));
}

SplashKeyClaim::~SplashKeyClaim()
{
    remove();
}

void SplashKeyClaim::install()
{
    remove();
    qApp->installEventFilter(this);
    m_installed = true;
}

void SplashKeyClaim::remove()
{
    if (m_installed && qApp)
        qApp->removeEventFilter(this);
    m_installed = false;
}

void SplashKeyClaim::releaseWhenKeysUp()
{
    if (m_held.isEmpty()) {
        remove();
        return;
    }
    m_releasing = true;
    setParent(QCoreApplication::instance()); // the splash is on its way out
}

void SplashKeyClaim::finish()
{
    remove();
    deleteLater();
}

bool SplashKeyClaim::inChord(const QKeyEvent& key)
{
    // A modifier that a later key reports up is up, even if its own release never came (the program lost the
    // keyboard meanwhile, say).
    static constexpr std::pair<int, Qt::KeyboardModifier> Modifiers[] = {{Qt::Key_Control, Qt::ControlModifier},
                                                                         {Qt::Key_Shift, Qt::ShiftModifier},
                                                                         {Qt::Key_Alt, Qt::AltModifier},
                                                                         {Qt::Key_Meta, Qt::MetaModifier}};
    bool modifierHeld = false;
    for (const auto& [modifierKey, modifier] : Modifiers) {
        if (!key.modifiers().testFlag(modifier))
            m_held.remove(modifierKey);
        modifierHeld = modifierHeld || m_held.contains(modifierKey);
    }
    if (key.type() == QEvent::KeyRelease)
        return !m_held.isEmpty();
    // A press goes on the chord while one of its modifiers is down, or repeats a key of it held down. Any other is
    // a new key, also when the release of a plain key never came (the splash had the keyboard when it closed).
    return modifierHeld || (key.isAutoRepeat() && m_held.contains(key.key()));
}

bool SplashKeyClaim::forModalBox(QObject* receiver) const
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == m_splash)
        return false;
    if (auto* window = qobject_cast<QWindow*>(receiver))
        return window == modal->windowHandle();
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->window() == modal;
    return false;
}

// A modal box shown while the splash is up would open under it (the window manager keeps a splash on top):
// the splash hides while the box is open and comes back after.
void SplashKeyClaim::stepAsideFor(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (m_releasing || !m_splash || widget == nullptr || widget == m_splash || !widget->isWindow() ||
        !widget->isModal())
        return;
    if (event->type() == QEvent::Show && m_splash->isVisible()) {
        m_steppedAside = true;
        m_splash->hide();
    } else if (event->type() == QEvent::Hide && m_steppedAside && QApplication::activeModalWidget() == nullptr) {
        m_steppedAside = false;
        m_splash->show();
    }
}

bool SplashKeyClaim::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
        stepAsideFor(watched, event);
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        if (forModalBox(watched))
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_releasing && !inChord(*key)) {
            finish(); // a new key after the chord: the main window's
            break;
        }
        // An accepted shortcut override comes back as a key press instead of triggering a shortcut.
        event->accept();
        if (event->type() == QEvent::KeyPress) {
            if (!key->isAutoRepeat())
                m_held.insert(key->key());
            if (!m_releasing)
                m_keyPressed();
        }
        return true;
    }
    case QEvent::KeyRelease: {
        if (forModalBox(watched))
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            m_held.remove(key->key());
        if (m_releasing && !inChord(*key))
            finish();
        return true;
    }
    case QEvent::ApplicationDeactivate:
        if (m_releasing)
            finish(); // no key of the chord comes back to this program
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
