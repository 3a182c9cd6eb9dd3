#include "LaunchWindow.h"

#include "LaunchClock.h"
#include "platform/ClickLineEdit.h"
#include "platform/ClickPanel.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/ProcessExit.h"
#include "platform/Prompter.h"
#include "platform/SurfaceWidget.h"
#include "platform/UpScrollBar.h"
#include "platform/WatchedLabel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString AppTitle = u"Tarvane"_s;
const QString MessageTitle = u"Launch Window Message"_s;
const QString LockedTag = u"Off"_s;
const QColor ActiveColor(224, 224, 224);

// "h:mm:ss", or "hh:mm:ss" while the window runs down.
QString durationText(int secs, bool twoDigitHours)
{
    return DateTimeServices::formatNumber(secs / 3600, twoDigitHours ? 2 : 1) + u':' +
           DateTimeServices::formatNumber(secs % 3600 / 60, 2) + u':' + DateTimeServices::formatNumber(secs % 60, 2);
}

} // namespace

LaunchWindow::LaunchWindow(Clock& clock, Prompter& prompter, const LaunchClock& launchClock, const Controls& controls,
                           QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_launchClock(launchClock), m_ui(controls),
      m_tmrLaunchWindow(new ClockTimer(clock, u"tmrLaunchWindow"_s, this)),
      m_entry{{m_ui.txtHoursW, m_ui.vsbHoursW, u"hours"_s},
              {m_ui.txtMinutesW, m_ui.vsbMinutesW, u"minutes"_s},
              {m_ui.txtSecondsW, m_ui.vsbSecondsW, u"seconds"_s}}
{
    setObjectName(u"LaunchWindow"_s);
    connect(m_tmrLaunchWindow, &ClockTimer::timeout, this, &LaunchWindow::tmrLaunchWindow_Timer);
    connect(m_ui.chkLaunchWindowActive, &QCheckBox::stateChanged, this, &LaunchWindow::ApplyLaunchWindowActive);
    connect(m_ui.lblLaunchWindow, &WatchedLabel::textChanged, this, &LaunchWindow::UpdateWindowWarning);
    connect(m_ui.lblWindowWarning, &WatchedLabel::clicked, this, &LaunchWindow::lblWindowWarning_Click);
    connect(&m_launchClock, &LaunchClock::liftoffTick, this, [this] {
        UpdateWindowWarning();
        m_warningArmed = false;
    });

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

    connect(m_ui.surface, &SurfaceWidget::pressed, this, [this] { EndIfExpired(m_lockTag); });
    connect(m_ui.pctLaunchWindow, &ClickPanel::clicked, this, [this] { EndIfExpired(m_lockTag); });
    connect(m_ui.pctLaunchTime, &ClickPanel::clicked, this, [this] { EndIfExpired(m_lockTag); });
}

void LaunchWindow::ApplyLaunchWindowActive()
{
    const bool active = m_ui.chkLaunchWindowActive->isChecked();
    m_ui.mnuActiveLaunchWindow->setChecked(active);
    setRemainingLook(active);
    if (active) {
        m_ui.lblNowStampWindow->setText(DateTimeServices::formatGeneral(m_clock.now()));
        if (m_tmrLaunchWindow->isActive())
            m_ui.lblLaunchWindowStamp->setText(m_ui.lblLaunchWindow->text());
        else
            m_tmrLaunchWindow->start();
    } else {
        if (!m_tmrLaunchWindow->isActive())
            return;
        // During a hold the remaining window freezes here until the window is activated again.
        m_tmrLaunchWindow->stop();
        m_ui.lblLaunchWindowStamp->setText(m_ui.lblLaunchWindow->text());
    }
}

void LaunchWindow::ToggleActive()
{
    // The menu item's check mark mirrors the check box; the check box's change does the rest.
    m_ui.chkLaunchWindowActive->setChecked(!m_ui.chkLaunchWindowActive->isChecked());
}

void LaunchWindow::cmdSetWindow_Click()
{
    m_warningArmed = false;
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
        m_ui.lblLaunchWindow->setText(text);
        m_ui.lblLaunchWindowStamp->setText(text);
        return true;
    };
    if (holdsArmed() && !holding()) {
        setWindow();
    } else if (holdsArmed() && holding()) {
        // The window is inactive now, so the next window tick stops the clock again.
        if (setWindow())
            m_tmrLaunchWindow->start();
    } else if (!holdsArmed() && m_launchClock.TminusSec() > 0) {
        setWindow();
    } else if (m_launchClock.TminusSec() < 0) {
        if (!DeactivateWindowFirst())
            return;
        m_prompter.tell(MessageTitle, u"You must set a Launch Window BEFORE launch for it to take effect.  "
                                      u"Your new Launch Window time will be displayed but will not function."_s);
        m_ui.lblLaunchWindow->setText(text);
    }
}

bool LaunchWindow::DeactivateWindowFirst()
{
    if (!m_ui.chkLaunchWindowActive->isChecked())
        return true;
    const auto answer = m_prompter.ask(MessageTitle,
                                       u"You must deactivate the Launch Window before setting a Launch Window Time.  "
                                       u"Would you like to deactivate the Launch Window now?"_s,
                                       Prompter::Buttons::YesNo);
    if (answer == Prompter::Answer::Yes) {
        m_ui.chkLaunchWindowActive->setChecked(false);
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
    const bool active = m_ui.chkLaunchWindowActive->isChecked();
    if (active && holding())
        UpdateLaunchWindow();
    else if (!active && holding())
        m_tmrLaunchWindow->stop();
}

void LaunchWindow::UpdateLaunchWindow()
{
    const auto base = WindowBaseTime();
    const auto w = WindowAtBase();
    if (!base || !w)
        return; // a remaining text that names no duration (a file can bring one) does not run down
    const qint64 elapsed = DateTimeServices::secondsBetween(*base, m_clock.now());
    qint64 r = elapsed % 86400;
    const qint64 hours = r / 3600;
    r %= 3600;
    const qint64 held = DateTimeServices::timeOf(hours, r / 60, r % 60);
    // A clock set back during the hold gives time back, but never more than the longest window.
    const auto remaining = static_cast<int>(std::clamp<qint64>(*w - held, 0, LongestWindow));
    m_ui.lblLaunchWindow->setText(durationText(remaining, true));
    if (held > *w)
        expire();
}

std::optional<CivilDateTime> LaunchWindow::WindowBaseTime() const
{
    return DateTimeServices::parseDateTime(m_ui.lblNowStampWindow->text());
}

std::optional<int> LaunchWindow::WindowAtBase() const
{
    return DateTimeServices::parseTimeOfDay(m_ui.lblLaunchWindowStamp->text());
}

void LaunchWindow::UpdateWindowWarning()
{
    m_ui.lblWindowWarning->setVisible(WindowWarningDue());
}

bool LaunchWindow::WindowWarningDue() const
{
    const auto remaining = DateTimeServices::parseTimeOfDay(m_ui.lblLaunchWindow->text());
    return remaining && *remaining < 60 && m_ui.chkLaunchWindowActive->isChecked() && m_warningArmed && holding();
}

void LaunchWindow::StartWindowClockForHold()
{
    m_tmrLaunchWindow->start();
    m_ui.lblLaunchWindowStamp->setText(m_ui.lblLaunchWindow->text());
    m_ui.lblNowStampWindow->setText(DateTimeServices::formatGeneral(m_clock.now()));
}

void LaunchWindow::EndIfExpired(const QString& tag)
{
    if (tag != LockedTag)
        return;
    m_prompter.tell(AppTitle, u"You must exit "_s + AppTitle + u" and restart the program."_s);
    ProcessExit::endNow();
}

bool LaunchWindow::WindowActive() const
{
    return m_ui.chkLaunchWindowActive->isChecked();
}

void LaunchWindow::SetWindowActive(bool active)
{
    m_ui.chkLaunchWindowActive->setChecked(active);
}

QString LaunchWindow::RemainingText() const
{
    return m_ui.lblLaunchWindow->text();
}

void LaunchWindow::SetRemainingText(const QString& text)
{
    // The window clock runs a remaining window given from outside (a launch data file) down from now on.
    m_ui.lblLaunchWindowStamp->setText(text);
    m_ui.lblNowStampWindow->setText(DateTimeServices::formatGeneral(m_clock.now()));
    m_ui.lblLaunchWindow->setText(text);
}

QString LaunchWindow::HoursWText() const
{
    return m_ui.txtHoursW->text();
}

QString LaunchWindow::MinutesWText() const
{
    return m_ui.txtMinutesW->text();
}

QString LaunchWindow::SecondsWText() const
{
    return m_ui.txtSecondsW->text();
}

void LaunchWindow::SetHoursWText(const QString& text)
{
    m_ui.txtHoursW->setText(text);
}

void LaunchWindow::SetMinutesWText(const QString& text)
{
    m_ui.txtMinutesW->setText(text);
}

void LaunchWindow::SetSecondsWText(const QString& text)
{
    m_ui.txtSecondsW->setText(text);
}

void LaunchWindow::lblWindowWarning_Click()
{
    // Only the start of the next hold arms the warning again.
    m_ui.lblWindowWarning->hide();
    m_warningArmed = false;
}

void LaunchWindow::setRemainingLook(bool active)
{
    QLabel* label = m_ui.lblLaunchWindow;
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, active ? ActiveColor : QApplication::palette().color(QPalette::Button));
    label->setPalette(palette);
    label->setFrameShape(active ? QFrame::Box : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
}

void LaunchWindow::expire()
{
    m_ui.lblLaunchWindow->setText(u"00:00:00"_s);
    // The spent window stays spent: activating the window again during this hold does not bring it back.
    m_ui.lblLaunchWindowStamp->setText(u"00:00:00"_s);
    m_expiryShowing = true;
    m_prompter.tell(MessageTitle, u"Your Launch Window has expired.  You must reschedule a new Launch Date.  "
                                  u"Press OK then the Esc key to exit the program."_s);
    m_expiryShowing = false;
    m_tmrLaunchWindow->stop();
    m_lockTag = LockedTag;
}

bool LaunchWindow::holding() const
{
    return m_ui.cmdHoldResume->text() == u"&Resume"_s;
}

bool LaunchWindow::holdsArmed() const
{
    return m_ui.cmdHoldResume->isEnabled();
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
