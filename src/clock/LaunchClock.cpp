#include "LaunchClock.h"

#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/WatchedLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 SecsPerDay = 86400;

struct Lamp
{
    qint32 limit; // lit only while 0 < T-minus <= limit
    int parity;   // on seconds of this parity
};
constexpr std::array<Lamp, 3> Lamps = {{{3600, 0}, {600, 0}, {60, 1}}};

} // namespace

LaunchClock::LaunchClock(Clock& clock, const Controls& controls, QObject* parent)
    : QObject(parent), m_clock(clock), m_ui(controls), m_tmrCountdown(new ClockTimer(clock, u"tmrCountdown"_s, this)),
      m_tmrCurrentDateTime(new ClockTimer(clock, u"tmrCurrentDateTime"_s, this))
{
    setObjectName(u"LaunchClock"_s);
    connect(m_tmrCountdown, &ClockTimer::timeout, this, &LaunchClock::tmrCountdown_Timer);
    connect(m_tmrCurrentDateTime, &ClockTimer::timeout, this, &LaunchClock::tmrCurrentDateTime_Timer);
    connect(m_ui.lblSeconds, &WatchedLabel::textChanged, this, &LaunchClock::lblSeconds_Change);
    // A new target shows at once rather than at the next second.
    connect(m_ui.lblTarget, &WatchedLabel::textChanged, m_tmrCountdown, &ClockTimer::fireSoon);
}

std::optional<CivilDateTime> LaunchClock::LaunchTarget() const
{
    return DateTimeServices::parseDateTime(m_ui.lblTarget->text());
}

qint32 LaunchClock::TminusSec() const
{
    const auto target = LaunchTarget();
    if (!target)
        return 0;
    const qint64 secs = DateTimeServices::secondsBetween(m_clock.now(), *target);
    return static_cast<qint32>(
        std::clamp<qint64>(secs, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void LaunchClock::UpdateCountDisplay()
{
    const auto target = LaunchTarget();
    if (!target) {
        showDashes();
        return;
    }
    const CivilDateTime now = m_clock.now();
    qint64 secs = 0;
    if (now < *target) {
        secs = DateTimeServices::secondsBetween(now, *target);
        setPhaseColor(BeforeLiftoffColor);
        m_ui.lblTMinus->setText(u"T -"_s);
        const bool armed = m_ui.cmdHoldResume->isEnabled();
        m_ui.mnuHold->setEnabled(armed);
        m_ui.mnuRtHold->setEnabled(armed);
        m_ui.mnuHoldEnable->setEnabled(true);
        m_ui.mnuRtHoldEnable->setEnabled(true);
        m_ui.mnuActiveLaunchWindow->setEnabled(true);
        m_ui.chkLaunchWindowActive->setEnabled(true);
    } else {
        secs = DateTimeServices::secondsBetween(*target, now);
        setPhaseColor(AfterLiftoffColor);
        m_ui.lblTMinus->setText(u"T +"_s);
        m_ui.cmdHoldResume->setEnabled(false);
        m_ui.mnuHold->setEnabled(false);
        m_ui.mnuRtHold->setEnabled(false);
        m_ui.mnuHoldEnable->setText(u"Hold Enable"_s);
        m_ui.mnuRtHoldEnable->setText(u"Hold Enable"_s);
        m_ui.mnuHoldEnable->setEnabled(false);
        m_ui.mnuRtHoldEnable->setEnabled(false);
        m_ui.mnuActiveLaunchWindow->setEnabled(false);
        m_ui.chkLaunchWindowActive->setEnabled(false);
        emit liftoffTick();
    }
    // Each write raises its label's change at once; the lamps follow the seconds, written last.
    m_ui.lblDays->setText(DateTimeServices::formatNumber(secs / SecsPerDay, 3));
    secs %= SecsPerDay;
    m_ui.lblHours->setText(DateTimeServices::formatNumber(secs / 3600, 2));
    secs %= 3600;
    m_ui.lblMinutes->setText(DateTimeServices::formatNumber(secs / 60, 2));
    m_ui.lblSeconds->setText(DateTimeServices::formatNumber(secs % 60, 2));
}

void LaunchClock::lblSeconds_Change()
{
    bool ok = false;
    const int s = m_ui.lblSeconds->text().toInt(&ok);
    for (size_t i = 0; i < Lamps.size(); ++i) {
        QWidget* lamp = m_ui.shpIndicator[i];
        const qint32 t = TminusSec(); // read afresh for each lamp
        if (ok && t > 0 && t <= Lamps[i].limit && s % 2 == Lamps[i].parity)
            lamp->setHidden(!lamp->isHidden());
        else
            lamp->hide();
    }
}

void LaunchClock::tmrCurrentDateTime_Timer()
{
    if (m_ui.pnlCurrentDate)
        m_ui.pnlCurrentDate->setText(DateTimeServices::format(m_clock.now(), u"mmm d, yyyy  h:mm:ss AM/PM"));
}

void LaunchClock::setPhaseColor(const QColor& color)
{
    QPalette palette = m_ui.surface->palette();
    if (palette.color(QPalette::Window) == color)
        return;
    palette.setColor(QPalette::Window, color);
    m_ui.surface->setPalette(palette);
}

// A target text that names no date-time (a file can bring any text) gives no count: dashes, lamps dark.
void LaunchClock::showDashes()
{
    m_ui.lblDays->setText(u"---"_s);
    m_ui.lblHours->setText(u"--"_s);
    m_ui.lblMinutes->setText(u"--"_s);
    m_ui.lblSeconds->setText(u"--"_s);
    for (QWidget* lamp : m_ui.shpIndicator)
        lamp->hide();
}
