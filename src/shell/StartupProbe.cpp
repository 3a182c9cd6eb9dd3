#include "StartupProbe.h"

#include <QEvent>
#include <QWidget>

#include <chrono>
#include <cstdio>

StartupProbe::StartupProbe() : m_enabled(qEnvironmentVariableIsSet("TARVANE_STARTUP_TRACE")) {}

void StartupProbe::mark(Stage stage)
{
    if (!m_enabled)
        return;
    m_ns[static_cast<size_t>(stage)] =
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    const bool bothPainted = m_ns[static_cast<size_t>(Stage::MainWindowPainted)] != 0 &&
                             m_ns[static_cast<size_t>(Stage::SplashPainted)] != 0;
    if (bothPainted && !m_reported) {
        m_reported = true;
        report();
    }
}

void StartupProbe::watchFirstPaint(QWidget& window)
{
    if (!m_enabled)
        return;
    // The central surface paints first and covers the window.
    m_watched = qobject_cast<QWidget*>(window.findChild<QWidget*>(QStringLiteral("frmTarvaneSurface")));
    if (m_watched == nullptr)
        m_watched = &window;
    m_watched->installEventFilter(this);
}

void StartupProbe::watchSplashPaint(QWidget& splash)
{
    if (!m_enabled)
        return;
    m_splash = &splash;
    m_splash->installEventFilter(this);
}

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_splash && m_splash != nullptr && event->type() == QEvent::Paint) {
        m_splash->removeEventFilter(this);
        m_splash = nullptr;
        mark(Stage::SplashPainted);
    }
    if (watched == m_watched && event->type() == QEvent::Paint) {
        m_watched->removeEventFilter(this);
        m_watched = nullptr;
        mark(Stage::MainWindowPainted);
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::report() const
{
    std::fprintf(stderr, "tarvane-startup progress_start_ns=%lld progress_end_ns=%lld shown_ns=%lld splash_ns=%lld\n",
                 static_cast<long long>(m_ns[0]), static_cast<long long>(m_ns[1]), static_cast<long long>(m_ns[2]),
                 static_cast<long long>(m_ns[3]));
    std::fflush(stderr);
}
