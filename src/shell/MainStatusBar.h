#pragma once

#include <QStatusBar>
#include <QTimer>

#include <memory>

class Clock;
class ClockTimer;
class KeyboardIndicators;
class LaunchFileNames;
class WatchedLabel;

// The main window's status bar, shown in the full view: the Num Lock light, the current date and time and the
// current file. It keeps the Num Lock panel current while it shows, writes the date and time at each tick of
// tmrCurrentDateTime, follows the current file name, and reports double clicks on any panel with its text.
class MainStatusBar final : public QStatusBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainStatusBar)

public:
    MainStatusBar(Clock& clock, std::unique_ptr<KeyboardIndicators> indicators, QWidget* parent);
    ~MainStatusBar() override;

    // Shows the file the launch settings came from.
    void followCurrentFile(const LaunchFileNames& names);

    // Replaces the source of the keyboard state (tests use a fake) and shows it at once.
    void setIndicators(std::unique_ptr<KeyboardIndicators> indicators);
    // Reads the Num Lock state and shows it: "NUM", dimmed while off; empty when it cannot be read.
    void refreshNumberLock();
    // A key released in the main window: the Num Lock key changes the light.
    void keyReleased(int key);

    void tmrCurrentDateTime_Timer();
    // Runs in the full view only.
    ClockTimer& tmrCurrentDateTime() { return *m_tmrCurrentDateTime; }

    // A double click on a panel; the current-file panel is told by its text.
    void sbrStatusBar_PanelDblClick(const WatchedLabel* panel);

signals:
    void panelDoubleClicked(const QString& panelText);
    void currentFilePanelDoubleClicked();

protected:
    bool event(QEvent* event) override;

private:
    WatchedLabel* addPanel(WatchedLabel* panel, const QString& key, const QString& tip, int stretch);

    Clock& m_clock;
    std::unique_ptr<KeyboardIndicators> m_indicators;
    QTimer m_poll;
    ClockTimer* m_tmrCurrentDateTime;
    WatchedLabel* m_pnlNumberLock = nullptr;
    WatchedLabel* m_pnlCurrentDate = nullptr;
    WatchedLabel* m_pnlCurrentFile = nullptr;
};
