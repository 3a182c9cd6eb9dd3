#pragma once

#include <QWidget>

#include <array>

class Mission;
class MissionCountPanel;
class QColor;
class QPushButton;
class ShapeWidget;
class WatchedLabel;

// The strip at the top of the main window, all the compact view shows: the count with its sign, the three
// indicator lamps, the launch window warning, the Hold/Resume button and the button that switches the views. It
// follows the mission state: the count and lamps of each tick, the digits yellow while the count is held, the
// hold button's caption and availability; its buttons and the warning give their commands to the mission.
// Between its controls it is the window's background.
class CountStrip final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CountStrip)

public:
    CountStrip(Mission& mission, QWidget* parent);

    QPushButton* holdButton() const { return m_cmdHoldResume; }
    QPushButton* accessButton() const { return m_cmdAccess; }

    void SetCountBackColor(const QColor& color);

private:
    void buildCount();
    void buildLamps();
    void buildCommands();
    void UpdateCount();
    void showLamps();
    void showHoldCommand();
    void holdingChanged(bool holding);

    Mission& m_mission;
    MissionCountPanel* m_countPanel = nullptr;
    WatchedLabel* m_lblTMinus = nullptr;
    std::array<WatchedLabel*, 4> m_digits{}; // lblDays, lblHours, lblMinutes, lblSeconds
    std::array<ShapeWidget*, 3> m_lamps{};
    WatchedLabel* m_lblWindowWarning = nullptr;
    QPushButton* m_cmdHoldResume = nullptr;
    QPushButton* m_cmdAccess = nullptr;
    WatchedLabel* m_lblNowStamp = nullptr; // never visible: the hold's base
    WatchedLabel* m_lblTargetStamp = nullptr;
};
