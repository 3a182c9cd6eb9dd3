#include "Holds.h"

#include "LaunchClock.h"
#include "LaunchWindow.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/WatchedLabel.h"

#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString HoldCaption = u"&Hold"_s;
const QString ResumeCaption = u"&Resume"_s;
const QString HoldEnableCaption = u"Hold Enable"_s;
const QString HoldDisableCaption = u"Hold Disable"_s;
} // namespace

Holds::Holds(Clock& clock, LaunchClock& launchClock, LaunchWindow& launchWindow, const Controls& controls,
             QObject* parent)
    : QObject(parent), m_clock(clock), m_launchClock(launchClock), m_launchWindow(launchWindow), m_ui(controls),
      m_tmrHold(new ClockTimer(clock, u"tmrHold"_s, this))
{
    setObjectName(u"Holds"_s);
    connect(m_tmrHold, &ClockTimer::timeout, this, &Holds::UpdateHeldTarget);
}

void Holds::ToggleHold()
{
    if (m_ui.cmdHoldResume->text() == HoldCaption)
        HoldCount();
    else
        ResumeCount();
}

void Holds::HoldCount()
{
    setHoldCaptions(ResumeCaption);
    m_ui.cmdHoldResume->setToolTip(u"Click here to RESUME the count."_s);
    SetCountBackColor(HoldingColor);
    // The count tick runs just after each second; a hold begun before it would freeze the second before. (Not in
    // the second of liftoff itself: that tick would disarm the hold being begun.)
    if (m_launchClock.TminusSec() > 0)
        m_launchClock.UpdateCountDisplay();
    m_launchClock.tmrCountdown().stop();
    m_tmrHold->start();
    m_ui.lblNowStamp->setText(DateTimeServices::formatGeneral(m_clock.now()));
    m_ui.lblTargetStamp->setText(m_ui.lblTarget->text());
    m_launchWindow.StartWindowClockForHold();
    m_ui.mnuHoldEnable->setEnabled(false);
    m_ui.mnuRtHoldEnable->setEnabled(false);
    m_launchWindow.SetWarningArmed(true);
}

void Holds::ResumeCount()
{
    setHoldCaptions(HoldCaption);
    m_ui.cmdHoldResume->setToolTip(u"Click here to HOLD the count."_s);
    SetCountBackColor(CountingColor);
    // The hold tick runs just after each second; catch up with a second that began since, so the count
    // resumes exactly where it stopped.
    UpdateHeldTarget();
    m_tmrHold->stop();
    m_launchClock.tmrCountdown().start();
    m_launchWindow.tmrLaunchWindow().stop();
    m_ui.mnuHoldEnable->setEnabled(true);
    m_ui.mnuRtHoldEnable->setEnabled(true);
}

void Holds::SetCountBackColor(const QColor& color)
{
    for (WatchedLabel* digits : m_ui.countDigits) {
        QPalette palette = digits->palette();
        palette.setColor(QPalette::Window, color);
        digits->setPalette(palette);
    }
}

void Holds::UpdateHeldTarget()
{
    const auto start = HoldStartTime();
    const auto target = TargetAtHoldStart();
    if (!start || !target)
        return;
    const qint64 elapsed = DateTimeServices::secondsBetween(*start, m_clock.now());
    // A hold adds at most 23:59:59; the remainder keeps the sign, so a clock set back moves the target earlier.
    qint64 r = elapsed % 86400;
    const qint64 hours = r / 3600;
    r %= 3600;
    const qint64 held = DateTimeServices::timeOf(hours, r / 60, r % 60);
    m_ui.lblTarget->setText(DateTimeServices::format(
        DateTimeServices::add(DateTimeServices::Interval::Seconds, held, *target), u"mmmm d, yyyy   h:mm:ss AM/PM"));
}

std::optional<CivilDateTime> Holds::HoldStartTime() const
{
    return DateTimeServices::parseDateTime(m_ui.lblNowStamp->text());
}

std::optional<CivilDateTime> Holds::TargetAtHoldStart() const
{
    return DateTimeServices::parseDateTime(m_ui.lblTargetStamp->text());
}

void Holds::ToggleHoldEnable()
{
    if (m_ui.mnuHoldEnable->text() == HoldEnableCaption && m_launchClock.TminusSec() >= 0) {
        setArmingCaptions(HoldDisableCaption);
        m_ui.cmdHoldResume->setEnabled(true);
        m_ui.mnuHold->setEnabled(true);
    } else if (m_ui.mnuHoldEnable->text() == HoldDisableCaption && m_launchClock.TminusSec() >= 0) {
        setArmingCaptions(HoldEnableCaption);
        m_ui.cmdHoldResume->setEnabled(false);
        m_ui.mnuHold->setEnabled(false);
    } else {
        return;
    }
    // The pop-up item follows at the next count tick; bring it on at once, or a hold begun within the same
    // second would leave the pop-up's Resume disabled for the whole hold.
    m_launchClock.tmrCountdown().fireSoon();
}

bool Holds::HoldsArmed() const
{
    return m_ui.cmdHoldResume->isEnabled();
}

void Holds::SetHoldsArmed(bool armed)
{
    m_ui.cmdHoldResume->setEnabled(armed);
}

bool Holds::IsHolding() const
{
    return m_ui.cmdHoldResume->text() == ResumeCaption;
}

void Holds::SetLaunchTarget(const QString& text)
{
    m_ui.lblNowStamp->setText(DateTimeServices::formatGeneral(m_clock.now()));
    m_ui.lblTargetStamp->setText(text);
    m_ui.lblTarget->setText(text);
}

void Holds::setHoldCaptions(const QString& caption)
{
    m_ui.cmdHoldResume->setText(caption);
    m_ui.mnuRtHold->setText(caption);
    m_ui.mnuHold->setText(caption);
}

void Holds::setArmingCaptions(const QString& caption)
{
    m_ui.mnuHoldEnable->setText(caption);
    m_ui.mnuRtHoldEnable->setText(caption);
}
