#include "TimeZoneMenu.h"

#include <QAction>

TimeZoneMenu::TimeZoneMenu(const std::array<QAction*, 8>& mnuZone, QObject* parent)
    : QObject(parent), m_mnuZone(mnuZone)
{
    setObjectName(QStringLiteral("TimeZoneMenu"));
    for (size_t i = 0; i < m_mnuZone.size(); ++i)
        connect(m_mnuZone[i], &QAction::triggered, this, [this, i] { mnuZone_Click(static_cast<qint16>(i)); });
}

void TimeZoneMenu::mnuZone_Click(qint16 index)
{
    if (index < 0 || index >= static_cast<qint16>(m_mnuZone.size()))
        return;
    // A checkable item unchecks itself when chosen again; a mark, once set, stays.
    m_mnuZone[static_cast<size_t>(index)]->setChecked(true);
}
