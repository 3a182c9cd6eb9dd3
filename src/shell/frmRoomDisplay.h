#pragma once

#include "display/ScreenInfo.h"

#include <QHostAddress>
#include <QList>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class RoomDisplay;
struct RoomDisplayStart;

// The small window that starts and stops the room display, tells the operator what to type into the browsers
// of the room, and lists the screens that follow the count with how quickly each answers. It only asks the
// room display and shows what it reports; it never waits for the server.
class frmRoomDisplay final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmRoomDisplay)

public:
    // A round trip longer than this leaves a screen's second visibly uncertain.
    static constexpr int SlowRoundTripMs = 50;

    explicit frmRoomDisplay(RoomDisplay& display, QWidget* parent = nullptr);

    // The addresses of this machine a browser elsewhere can reach, the most useful first.
    static QList<QHostAddress> ownAddresses();

private:
    void cmdStartStop_Click();
    void chooseReach();
    void showStatus();
    void showStartResult(const RoomDisplayStart& result);
    void showScreens();
    void showChoice();

    RoomDisplay& m_display;
    QRadioButton* m_optThisComputer;
    QRadioButton* m_optEveryNetwork;
    QLabel* m_lblGiven;
    QSpinBox* m_txtPort;
    QPushButton* m_cmdStartStop;
    QLabel* m_lblAddresses;
    QLabel* m_lblScreens;
    QTreeWidget* m_lvwScreens;
    QLabel* m_lblStatus;
    QTimer m_tmrHeard; // keeps "last heard" current while screens are listed
};
