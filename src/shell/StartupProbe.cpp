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
    if (stage == Stage::MainWindowPainted)
        report();
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

bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && event->type() == QEvent::Paint) {
        m_watched->removeEventFilter(this);
        m_watched = nullptr;
        mark(Stage::MainWindowPainted);
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::report() const
{
    std::fprintf(stderr, "tarvane-startup progress_start_ns=%lld progress_end_ns=%lld shown_ns=%lld\n",
                 static_cast<long long>(m_ns[0]), static_cast<long long>(m_ns[1]), static_cast<long long>(m_ns[2]));
    std::fflush(stderr);
}
