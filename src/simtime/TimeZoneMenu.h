#pragma once

#include <QObject>

#include <array>

class QAction;

// The Time Zone submenu. Choosing a zone marks it and does nothing else: every time in the program is the
// computer's local time. Marks only accumulate until the program ends.
class TimeZoneMenu final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeZoneMenu)

public:
    TimeZoneMenu(const std::array<QAction*, 8>& mnuZone, QObject* parent);

    void mnuZone_Click(qint16 index);

private:
    std::array<QAction*, 8> m_mnuZone;
};
