#include "RoomDisplayView.h"

#include "display/RoomDisplay.h"
#include "frmRoomDisplay.h"
#include "platform/widgets/MenuItem.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

using namespace Qt::StringLiterals;

RoomDisplayView::RoomDisplayView(const MissionState& state, const Clock& clock, QMenu* menu, QWidget* window)
    : QObject(window), m_window(window), m_display(new RoomDisplay(state, clock, this))
{
    setObjectName(u"RoomDisplayView"_s);
    QAction* item = MenuItem::add(menu, u"mnuRoomDisplay"_s, u"Room &Display . . ."_s);
    connect(item, &QAction::triggered, this, &RoomDisplayView::showWindow);
}

void RoomDisplayView::showWindow()
{
    if (!m_frmRoomDisplay)
        m_frmRoomDisplay = new frmRoomDisplay(*m_display, m_window);
    m_frmRoomDisplay->show();
    m_frmRoomDisplay->raise();
    m_frmRoomDisplay->activateWindow();
}
