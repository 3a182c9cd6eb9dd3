#include "SplashKeyClaim.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

SplashKeyClaim::SplashKeyClaim(QWidget& splash, std::function<void()> keyPressed)
    : QObject(&splash), m_splash(splash), m_keyPressed(std::move(keyPressed))
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

bool SplashKeyClaim::forModalBox(QObject* receiver) const
{
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == &m_splash)
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
    if (widget == nullptr || widget == &m_splash || !widget->isWindow() || !widget->isModal())
        return;
    if (event->type() == QEvent::Show && m_splash.isVisible()) {
        m_steppedAside = true;
        m_splash.hide();
    } else if (event->type() == QEvent::Hide && m_steppedAside && QApplication::activeModalWidget() == nullptr) {
        m_steppedAside = false;
        m_splash.show();
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
        if (!forModalBox(watched)) {
            // Accepted, the key comes as a key press instead of triggering a shortcut; the press is claimed below.
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (!forModalBox(watched)) {
            event->accept();
            m_keyPressed();
            return true;
        }
        break;
    case QEvent::KeyRelease:
        if (!forModalBox(watched))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
