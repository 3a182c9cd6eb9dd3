#pragma once

#include <QObject>

#include <array>
#include <cstdint>

class QWidget;

// Start-up timings for the benchmark: when TARVANE_STARTUP_TRACE is set, the moments of the progress sequence, of
// the splash's first paint and of the main window's first paint go to standard error as one line, once both have
// painted, on the monotonic clock, so that a harness can
// set them against the moment it started the process. Otherwise it does nothing.
class StartupProbe final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartupProbe)

public:
    enum class Stage
    {
        ProgressStarts,
        ProgressEnds,
        MainWindowPainted,
        SplashPainted
    };

    StartupProbe();

    void mark(Stage stage);
    void watchFirstPaint(QWidget& window);
    void watchSplashPaint(QWidget& splash);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void report() const;

    bool m_enabled = false;
    QWidget* m_watched = nullptr;
    QWidget* m_splash = nullptr;
    bool m_reported = false;
    std::array<std::int64_t, 4> m_ns{};
};
