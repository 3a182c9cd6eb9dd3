#include "LaunchWindow.h"

#include "HeldTime.h"
#include "LaunchClock.h"
#include "MissionState.h"
#include "MissionTexts.h"
#include "TimeField.h"
#include "platform/ApplicationInfo.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/ProcessExit.h"
#include "platform/Prompter.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString MessageTitle = u"Launch Window Message"_s;
const QString LockedTag = u"Off"_s;

} // namespace

LaunchWindow::LaunchWindow(Clock& clock, Prompter& prompter, MissionState& state, const LaunchClock& launchClock,
                           QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_state(state), m_launchClock(launchClock),
      m_tmrLaunchWindow(new ClockTimer(clock, u"tmrLaunchWindow"_s, this)),
      m_entry{new TimeField(u"windowHours"_s, 23, 0, u"00"_s, this),
              new TimeField(u"windowMinutes"_s, 59, 0, u"00"_s, this),
              new TimeField(u"windowSeconds"_s, 59, 0, u"00"_s, this)}
{
    setObjectName(u"LaunchWindow"_s);
    connect(m_tmrLaunchWindow, &ClockTimer::timeout, this, &LaunchWindow::tmrLaunchWindow_Timer);
    connect(&m_state, &MissionState::windowActiveChanged, this, &LaunchWindow::ApplyLaunchWindowActive);
    connect(&m_state, &MissionState::windowRemainingChanged, this, &LaunchWindow::UpdateWindowWarning);
    connect(&m_state, &MissionState::holdingChanged, this, &LaunchWindow::holdingChanged);
    connect(&m_state, &MissionState::phaseChanged, this, &LaunchWindow::phaseChanged);
    connect(&m_launchClock, &LaunchClock::liftoffTick, this, &LaunchWindow::UpdateWindowWarning);
    // The scroll bar writes its level into the field.
    for (TimeField* field : m_entry)
        connect(field, &TimeField::levelChanged, field,
                [field](int level) { field->setText(DateTimeServices::formatNumber(level, 2)); });
}

void LaunchWindow::ApplyLaunchWindowActive()
{
    if (m_state.windowActive()) {
        const bool running = m_tmrLaunchWindow->isActive();
        setBase(DateTimeServices::formatGeneral(m_clock.now()),
                running ? m_state.windowRemainingText() : m_windowAtBase);
        if (!running)
            m_tmrLaunchWindow->start();
    } else {
        if (!m_tmrLaunchWindow->isActive())
            return;
        // During a hold the remaining window freezes here until the window is activated again.
        m_tmrLaunchWindow->stop();
        setWindowAtBase(m_state.windowRemainingText());
    }
}

void LaunchWindow::toggleActive()
{
    m_state.setWindowActive(!m_state.windowActive());
}

void LaunchWindow::cmdSetWindow_Click()
{
    m_state.setWarningArmed(false);
    SetLaunchWindow();
}

void LaunchWindow::SetLaunchWindow()
{
    if (const TimeField* field = invalidEntryField()) {
        const QString caption = field == m_entry[0] ? u"hours"_s : field == m_entry[1] ? u"minutes"_s : u"seconds"_s;
        m_prompter.tell(u"Invalid Launch Window"_s, u"You must enter the Launch Window "_s + caption +
                                                        u" as a number from 00 to "_s +
                                                        QString::number(field->maximumLevel()) + u'.');
        return;
    }
    const QString text = LaunchWindowText();
    const auto answer = m_prompter.ask(u"Set Launch Time"_s,
                                       u"Are you sure you want to enter "_s + text + u" as your new Launch Window?"_s,
                                       Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes) {
        // The scroll bars keep their values: the next click goes on from there.
        for (TimeField* field : {m_entry[2], m_entry[1], m_entry[0]})
            field->setText(u"00"_s);
        return;
    }
    const auto setWindow = [&] {
        if (!DeactivateWindowFirst())
            return false;
        m_state.setWindowRemainingText(text);
        setWindowAtBase(text);
        return true;
    };
    const bool armed = m_state.holdsArmed();
    if (armed && !m_state.holding()) {
        setWindow();
    } else if (armed && m_state.holding()) {
        // The window is inactive now, so the next window tick stops the clock again.
        if (setWindow())
            m_tmrLaunchWindow->start();
    } else if (!armed && m_launchClock.TminusSec() > 0) {
        setWindow();
    } else if (m_launchClock.TminusSec() < 0) {
        if (!DeactivateWindowFirst())
            return;
        m_prompter.tell(MessageTitle, u"You must set a Launch Window BEFORE launch for it to take effect.  "
                                      u"Your new Launch Window time will be displayed but will not function."_s);
        m_state.setWindowRemainingText(text);
    }
}

bool LaunchWindow::DeactivateWindowFirst()
{
    if (!m_state.windowActive())
        return true;
    const auto answer = m_prompter.ask(MessageTitle,
                                       u"You must deactivate the Launch Window before setting a Launch Window Time.  "
                                       u"Would you like to deactivate the Launch Window now?"_s,
                                       Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes) {
        m_state.setWindowActive(false);
        return true;
    }
    m_prompter.tell(MessageTitle, u"Launch Window time will not be set."_s);
    return false;
}

QString LaunchWindow::LaunchWindowText() const
{
    const QString joined = m_entry[0]->text() + u':' + m_entry[1]->text() + u':' + m_entry[2]->text();
    const auto secs = DateTimeServices::parseTimeOfDay(joined);
    return secs ? MissionTexts::windowText(*secs) : joined;
}

void LaunchWindow::tmrLaunchWindow_Timer()
{
    if (m_expiryShowing)
        return; // an expiry is reported once
    const bool active = m_state.windowActive();
    if (active && m_state.holding())
        UpdateLaunchWindow();
    else if (!active && m_state.holding())
        m_tmrLaunchWindow->stop();
}

void LaunchWindow::UpdateLaunchWindow()
{
    const auto base = WindowBaseTime();
    const auto w = WindowAtBase();
    if (!base || !w)
        return; // a remaining text that names no duration (a file can bring one) does not run down
    const qint64 held = HeldTime::between(*base, m_clock.now());
    // A clock set back during the hold gives time back, but never more than the longest window.
    const auto remaining = static_cast<int>(std::clamp<qint64>(*w - held, 0, MissionTexts::LongestWindow));
    m_state.setWindowRemainingText(MissionTexts::runningWindowText(remaining));
    if (held > *w)
        expire();
}

std::optional<CivilDateTime> LaunchWindow::WindowBaseTime() const
{
    return DateTimeServices::parseDateTime(m_baseTime);
}

std::optional<int> LaunchWindow::WindowAtBase() const
{
    return DateTimeServices::parseTimeOfDay(m_windowAtBase);
}

bool LaunchWindow::catchUp()
{
    if (m_tmrLaunchWindow->isActive())
        tmrLaunchWindow_Timer();
    return !m_expiryShowing && !m_state.windowExpired();
}

void LaunchWindow::UpdateWindowWarning()
{
    m_state.setWindowWarning(WindowWarningDue());
}

bool LaunchWindow::WindowWarningDue() const
{
    return MissionTexts::windowWarningDue(m_state.windowRemaining(), m_state.windowActive(), m_state.warningArmed(),
                                          m_state.holding());
}

bool LaunchWindow::warningArmed() const
{
    return m_state.warningArmed();
}

void LaunchWindow::EndIfExpired(const QString& tag)
{
    if (tag != LockedTag)
        return;
    m_prompter.tell(ApplicationInfo::Name,
                    u"You must exit "_s + ApplicationInfo::Name + u" and restart the program."_s);
    ProcessExit::endNow();
}

QString LaunchWindow::lockTag() const
{
    return m_state.windowExpired() ? LockedTag : QString();
}

void LaunchWindow::setWindowActive(bool active)
{
    m_state.setWindowActive(active);
}

void LaunchWindow::setRemainingText(const QString& text)
{
    // The window clock runs a remaining window given from outside (a launch data file) down from now on.
    setBase(DateTimeServices::formatGeneral(m_clock.now()), text);
    m_state.setWindowRemainingText(text);
}

EntryTexts LaunchWindow::entryTexts() const
{
    return textsOf(m_entry);
}

void LaunchWindow::setEntryTexts(const EntryTexts& texts)
{
    setTexts(m_entry, texts);
}

void LaunchWindow::entryField_Click(TimeField& field)
{
    // At the top the level stays there, and the field shows where it stands.
    field.stepUp();
    field.setText(DateTimeServices::formatNumber(field.level(), 2));
}

// A hold starts the window clock from the hold's start (now, or the second a late tick found a built-in hold in)
// and from the remaining window as it stands; its end stops the clock.
void LaunchWindow::holdingChanged(bool holding)
{
    if (holding) {
        m_tmrLaunchWindow->start();
        const QString start = m_state.holdStartText();
        setBase(start.isEmpty() ? DateTimeServices::formatGeneral(m_clock.now()) : start,
                m_state.windowRemainingText());
    } else {
        m_tmrLaunchWindow->stop();
    }
}

// The window can be activated only before liftoff; without a target the controls stay as they were.
void LaunchWindow::phaseChanged()
{
    const MissionState::Phase phase = m_state.phase();
    if (phase == MissionState::Phase::NoTarget)
        return;
    const bool before = phase == MissionState::Phase::BeforeLiftoff;
    if (before == m_activationEnabled)
        return;
    m_activationEnabled = before;
    emit activationEnabledChanged(before);
}

void LaunchWindow::lblWindowWarning_Click()
{
    // Only the start of the next hold arms the warning again.
    m_state.setWindowWarning(false);
    m_state.setWarningArmed(false);
}

void LaunchWindow::setBase(const QString& baseTime, const QString& windowAtBase)
{
    if (baseTime == m_baseTime && windowAtBase == m_windowAtBase)
        return;
    m_baseTime = baseTime;
    m_windowAtBase = windowAtBase;
    emit baseChanged();
}

void LaunchWindow::setWindowAtBase(const QString& text)
{
    setBase(m_baseTime, text);
}

void LaunchWindow::expire()
{
    m_state.setWindowRemainingText(u"00:00:00"_s);
    // The spent window stays spent: activating the window again during this hold does not bring it back.
    setWindowAtBase(u"00:00:00"_s);
    // Views outside the message box (the room's screens, the spoken callouts) hear of the expiry in its own
    // second, not when the operator closes the box; the box is modal, so the lock acts only after it anyway.
    m_state.setWindowExpired(true);
    m_expiryShowing = true;
    m_prompter.tell(MessageTitle, u"Your Launch Window has expired.  You must reschedule a new Launch Date.  "
                                  u"Press OK then the Esc key to exit the program."_s);
    m_expiryShowing = false;
    m_tmrLaunchWindow->stop();
}

const TimeField* LaunchWindow::invalidEntryField() const
{
    for (const TimeField* field : m_entry) {
        const QString text = field->text();
        bool ok = false;
        const int value = text.toInt(&ok);
        const bool digitsOnly = !text.isEmpty() && text.size() <= 2 &&
                                std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!digitsOnly || !ok || value < TimeField::MinimumLevel || value > field->maximumLevel())
            return field;
    }
    return nullptr;
}
