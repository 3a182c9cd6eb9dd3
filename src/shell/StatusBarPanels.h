#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

class KeyboardIndicators;
class QStatusBar;
class WatchedLabel;

// Keeps the Num Lock panel current while the status bar shows, and reports double clicks on any panel with that
// panel's text. It writes the Num Lock panel only.
class StatusBarPanels final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatusBarPanels)

public:
    struct Controls
    {
        QStatusBar* sbrStatusBar = nullptr;
        WatchedLabel* pnlNumberLock = nullptr;
        WatchedLabel* pnlCurrentDate = nullptr;
        WatchedLabel* pnlCurrentFile = nullptr;
    };

    StatusBarPanels(const Controls& controls, std::unique_ptr<KeyboardIndicators> indicators, QObject* parent);
    ~StatusBarPanels() override;

    // Replaces the source of the keyboard state (tests use a fake) and shows it at once.
    void setIndicators(std::unique_ptr<KeyboardIndicators> indicators);
    // Reads the Num Lock state and shows it: "NUM", dimmed while off; empty when it cannot be read.
    void refreshNumberLock();
    // A key released in the main window: the Num Lock key changes the light.
    void keyReleased(int key);

signals:
    void panelDoubleClicked(const QString& panelText);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const Controls m_ui;
    std::unique_ptr<KeyboardIndicators> m_indicators;
    QTimer m_poll;
};
