#include "LaunchWindow.h"

#include "HeldTime.h"
#include "LaunchClock.h"
#include "MissionState.h"
#include "platform/ApplicationInfo.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/widgets/Colours.h"
#include "platform/DateTimeServices.h"
#include "platform/ProcessExit.h"
#include "platform/Prompter.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QRegularExpressionValidator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString MessageTitle = u"Launch Window Message"_s;
const QString LockedTag = u"Off"_s;

// "h:mm:ss", or "hh:mm:ss" while the window runs down.
QString durationText(int secs, bool twoDigitHours)
{
    return DateTimeServices::formatNumber(secs / 3600, twoDigitHours ? 2 : 1) + u':' +
           DateTimeServices::formatNumber(secs % 3600 / 60, 2) + u':' + DateTimeServices::formatNumber(secs % 60, 2);
}

} // namespace

LaunchWindow::LaunchWindow(Clock& clock, Prompter& prompter, MissionState& state, const LaunchClock& launchClock,
                           const Controls& controls, QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_state(state), m_launchClock(launchClock), m_ui(controls),
      m_tmrLaunchWindow(new ClockTimer(clock, u"tmrLaunchWindow"_s, this)),
      m_entry{{m_ui.txtHoursW, m_ui.vsbHoursW, u"hours"_s},
              {m_ui.txtMinutesW, m_ui.vsbMinutesW, u"minutes"_s},
              {m_ui.txtSecondsW, m_ui.vsbSecondsW, u"seconds"_s}}
{
    setObjectName(u"LaunchWindow"_s);
    connect(m_tmrLaunchWindow, &ClockTimer::timeout, this, &LaunchWindow::tmrLaunchWindow_Timer);
    // The check box and the active flag follow each other; a change from either side applies the new state once.
    connect(m_ui.chkLaunchWindowActive, &QCheckBox::toggled, &m_state, &MissionState::setWindowActive);
    connect(&m_state, &MissionState::windowActiveChanged, this, [this](bool active) {
        m_ui.chkLaunchWindowActive->setChecked(active);
        ApplyLaunchWindowActive();
    });
    connect(&m_state, &MissionState::windowRemainingChanged, this, [this](const QString& text) {
        m_ui.lblLaunchWindow->setText(text);
        UpdateWindowWarning();
    });
    connect(&m_state, &MissionState::windowWarningChanged, m_ui.lblWindowWarning, &QWidget::setVisible);
    connect(&m_state, &MissionState::holdingChanged, this, &LaunchWindow::holdingChanged);
    connect(&m_state, &MissionState::phaseChanged, this, &LaunchWindow::phaseChanged);
    connect(m_ui.lblWindowWarning, &WatchedLabel::clicked, this, &LaunchWindow::lblWindowWarning_Click);
    connect(&m_launchClock, &LaunchClock::liftoffTick, this, &LaunchWindow::UpdateWindowWarning);

    // Typing takes digits only; a number out of range is refused when the window is set.
    const QRegularExpression digits(u"[0-9]{0,2}"_s);
    for (const EntryField& field : std::as_const(m_entry)) {
        field.text->setValidator(new QRegularExpressionValidator(digits, field.text));
        connect(field.level, &UpScrollBar::levelChanged, field.text,
                [text = field.text](int level) { text->setText(DateTimeServices::formatNumber(level, 2)); });
        // A click raises the value by one; at the top it stays there, and the field shows where it stands.
        connect(field.text, &ClickLineEdit::clicked, this, [field] {
            field.level->setLevel(field.level->level() + 1);
            field.text->setText(DateTimeServices::formatNumber(field.level->level(), 2));
        });
    }
}

void LaunchWindow::ApplyLaunchWindowActive()
{
    const bool active = m_state.windowActive();
    m_ui.mnuActiveLaunchWindow->setChecked(active);
    setRemainingLook(active);
    if (active) {
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
    if (const EntryField* field = invalidEntryField()) {
        m_prompter.tell(u"Invalid Launch Window"_s, u"You must enter the Launch Window "_s + field->caption +
                                                        u" as a number from 00 to "_s +
                                                        QString::number(field->level->maximumLevel()) + u'.');
        return;
    }
    const QString text = LaunchWindowText();
    const auto answer = m_prompter.ask(u"Set Launch Time"_s,
                                       u"Are you sure you want to enter "_s + text + u" as your new Launch Window?"_s,
                                       Prompter::Buttons::YesNo);
    if (answer != Prompter::Answer::Yes) {
        // The scroll bars keep their values: the next click goes on from there.
        m_ui.txtSecondsW->setText(u"00"_s);
        m_ui.txtMinutesW->setText(u"00"_s);
        m_ui.txtHoursW->setText(u"00"_s);
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
    const QString joined = m_ui.txtHoursW->text() + u':' + m_ui.txtMinutesW->text() + u':' + m_ui.txtSecondsW->text();
    const auto secs = DateTimeServices::parseTimeOfDay(joined);
    return secs ? durationText(*secs, false) : joined;
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
    const auto remaining = static_cast<int>(std::clamp<qint64>(*w - held, 0, LongestWindow));
    m_state.setWindowRemainingText(durationText(remaining, true));
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

void LaunchWindow::UpdateWindowWarning()
{
    m_state.setWindowWarning(WindowWarningDue());
}

bool LaunchWindow::WindowWarningDue() const
{
    const auto remaining = m_state.windowRemaining();
    return remaining && *remaining < 60 && m_state.windowActive() && m_state.warningArmed() && m_state.holding();
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
    return {m_ui.txtSecondsW->text(), m_ui.txtMinutesW->text(), m_ui.txtHoursW->text()};
}

void LaunchWindow::setEntryTexts(const EntryTexts& texts)
{
    m_ui.txtSecondsW->setText(texts.seconds);
    m_ui.txtMinutesW->setText(texts.minutes);
    m_ui.txtHoursW->setText(texts.hours);
}

// A hold starts the window clock from now and from the remaining window as it stands; its end stops the clock.
void LaunchWindow::holdingChanged(bool holding)
{
    if (holding) {
        m_tmrLaunchWindow->start();
        setBase(DateTimeServices::formatGeneral(m_clock.now()), m_state.windowRemainingText());
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
    m_ui.mnuActiveLaunchWindow->setEnabled(before);
    m_ui.chkLaunchWindowActive->setEnabled(before);
}

void LaunchWindow::lblWindowWarning_Click()
{
    // Only the start of the next hold arms the warning again.
    m_state.setWindowWarning(false);
    m_state.setWarningArmed(false);
}

void LaunchWindow::setRemainingLook(bool active)
{
    QLabel* label = m_ui.lblLaunchWindow;
    Colours::paintBackground(label, active ? Colours::ActiveWindow : QApplication::palette().color(QPalette::Button));
    label->setFrameShape(active ? QFrame::Box : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
}

void LaunchWindow::setBase(const QString& baseTime, const QString& windowAtBase)
{
    m_baseTime = baseTime;
    m_ui.lblNowStampWindow->setText(baseTime);
    setWindowAtBase(windowAtBase);
}

void LaunchWindow::setWindowAtBase(const QString& text)
{
    m_windowAtBase = text;
    m_ui.lblLaunchWindowStamp->setText(text);
}

void LaunchWindow::expire()
{
    m_state.setWindowRemainingText(u"00:00:00"_s);
    // The spent window stays spent: activating the window again during this hold does not bring it back.
    setWindowAtBase(u"00:00:00"_s);
    m_expiryShowing = true;
    m_prompter.tell(MessageTitle, u"Your Launch Window has expired.  You must reschedule a new Launch Date.  "
                                  u"Press OK then the Esc key to exit the program."_s);
    m_expiryShowing = false;
    m_tmrLaunchWindow->stop();
    m_state.setWindowExpired(true);
}

const LaunchWindow::EntryField* LaunchWindow::invalidEntryField() const
{
    for (const EntryField& field : m_entry) {
        const QString text = field.text->text();
        bool ok = false;
        const int value = text.toInt(&ok);
        const bool digitsOnly = !text.isEmpty() && text.size() <= 2 &&
                                std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        if (!digitsOnly || !ok || value < field.level->minimumLevel() || value > field.level->maximumLevel())
            return &field;
    }
    return nullptr;
}
