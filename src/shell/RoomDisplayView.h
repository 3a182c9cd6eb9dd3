#pragma once

#include <QObject>
#include <QPointer>

class Clock;
class MissionState;
class QMenu;
class QWidget;
class RoomDisplay;
class frmRoomDisplay;

// The room display as one of the main window's views: its controller, which follows the mission and serves it to
// the room's browsers from a thread of its own, and "Room Display . . ." at the end of the menu it is handed,
// which opens the window that starts and stops it.
class RoomDisplayView final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RoomDisplayView)

public:
    // window: the main window, over which the room display's window opens and which owns both.
    RoomDisplayView(const MissionState& state, const Clock& clock, QMenu* menu, QWidget* window);

    RoomDisplay& display() { return *m_display; }
    // Opens the room display's window, or raises it when it is open.
    void showWindow();

private:
    QWidget* m_window;
    RoomDisplay* m_display;
    QPointer<frmRoomDisplay> m_frmRoomDisplay;
};
