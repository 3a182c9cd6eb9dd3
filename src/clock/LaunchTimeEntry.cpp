#include "LaunchTimeEntry.h"

#include "MissionState.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/Clock.h"
#include "platform/DateTimeServices.h"
#include "platform/Prompter.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QAction>
#include <QCalendarWidget>
#include <QPushButton>

#include <optional>

using namespace Qt::StringLiterals;
using namespace DateTimeServices;

namespace {

const QString DateFieldForm = u"mmm d, yyyy"_s;
const QString TargetForm = u"mmmm dd, yyyy   h:mm:ss AM/PM"_s;

// A time field's text as a whole number, or nothing when it holds none (only a launch data file can bring one).
std::optional<qint32> wholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(n) : std::nullopt;
}

QString calendarDateText(const QDate& date)
{
    return format(CivilDateTime(date, QTime(0, 0)), DateFieldForm);
}

} // namespace

LaunchTimeEntry::LaunchTimeEntry(Clock& clock, Prompter& prompter, MissionState& state, const Controls& controls,
                                 QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_state(state), m_ui(controls)
{
    setObjectName(u"LaunchTimeEntry"_s);
    m_ui.lblTarget->setText(m_state.targetText());
    connect(&m_state, &MissionState::targetChanged, m_ui.lblTarget, &WatchedLabel::setText);
    connect(m_ui.txtLaunchDate, &QLineEdit::textChanged, this, &LaunchTimeEntry::txtLaunchDate_Change);
    connect(m_ui.txtHours, &QLineEdit::textChanged, this, &LaunchTimeEntry::txtHours_Change);
    connect(m_ui.txtMinutes, &QLineEdit::textChanged, this, &LaunchTimeEntry::txtMinutes_Change);
    connect(m_ui.txtSeconds, &QLineEdit::textChanged, this, &LaunchTimeEntry::txtSeconds_Change);

    connect(m_ui.vsbHours, &UpScrollBar::levelChanged, this, &LaunchTimeEntry::vsbHours_Change);
    connect(m_ui.vsbMinutes, &UpScrollBar::levelChanged, this, &LaunchTimeEntry::vsbMinutes_Change);
    connect(m_ui.vsbSeconds, &UpScrollBar::levelChanged, this, &LaunchTimeEntry::vsbSeconds_Change);

    connect(m_ui.txtHours, &ClickLineEdit::clicked, this, &LaunchTimeEntry::txtHours_Click);
    connect(m_ui.txtMinutes, &ClickLineEdit::clicked, this, &LaunchTimeEntry::txtMinutes_Click);
    connect(m_ui.txtSeconds, &ClickLineEdit::clicked, this, &LaunchTimeEntry::txtSeconds_Click);
    // The locked time fields take no typing; from the keyboard the arrow and page keys work their scroll bars.
    m_ui.vsbHours->takeKeysFrom(m_ui.txtHours);
    m_ui.vsbMinutes->takeKeysFrom(m_ui.txtMinutes);
    m_ui.vsbSeconds->takeKeysFrom(m_ui.txtSeconds);

    connect(m_ui.txtLaunchDate, &ClickLineEdit::doubleClicked, this, &LaunchTimeEntry::txtLaunchDate_DblClick);
    connect(m_ui.Calendar, &QCalendarWidget::activated, this, &LaunchTimeEntry::Calendar_DblClick);
    // The calendar offers exactly the years a date field may name.
    m_ui.Calendar->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    connect(m_ui.Label10, &WatchedLabel::clicked, this, &LaunchTimeEntry::Label10_Click);
    connect(m_ui.lblTarget, &WatchedLabel::clicked, this, &LaunchTimeEntry::lblTarget_Click);
}

void LaunchTimeEntry::cmdSet_Click()
{
    SetLaunchTime();
    DisableSetLaunchTime();
}

void LaunchTimeEntry::mnuSetLaunchTime_Click()
{
    SetLaunchTime();
    DisableSetLaunchTime();
}

void LaunchTimeEntry::SetLaunchTime()
{
    if (ConfirmLaunchTime(LaunchDateText, LaunchHours, LaunchMinutes, LaunchSeconds).isEmpty())
        return;
    const auto date = parseDate(LaunchDateText);
    if (!date)
        return;
    const CivilDateTime target(*date, QTime(LaunchHours, LaunchMinutes, LaunchSeconds));
    m_state.setTargetText(format(target, TargetForm));
}

QString LaunchTimeEntry::ConfirmLaunchTime(QString& dateText, qint32& hours, qint32& minutes, qint32& seconds)
{
    const auto s = wholeNumber(m_ui.txtSeconds->text());
    const auto m = wholeNumber(m_ui.txtMinutes->text());
    const auto h = wholeNumber(m_ui.txtHours->text());
    seconds = s.value_or(-1);
    minutes = m.value_or(-1);
    hours = h.value_or(-1);
    dateText = m_ui.txtLaunchDate->text();

    const auto date = parseDate(dateText);
    if (!date) {
        m_prompter.ask(u"Invalid Date"_s, u"You must enter a valid date in the MM/DD/YYYY format."_s,
                       Prompter::Buttons::Ok);
        return {};
    }
    // The locked fields always hold a number in range unless a launch data file brought something else.
    struct TimeField
    {
        qint32 value;
        int top;
        const char16_t* name;
    };
    for (const TimeField& f :
         {TimeField{hours, 23, u"hour"}, TimeField{minutes, 59, u"minute"}, TimeField{seconds, 59, u"second"}}) {
        if (f.value < 0 || f.value > f.top) {
            m_prompter.ask(u"Invalid Time"_s,
                           u"You must enter a valid "_s + QStringView(f.name) + u" from 00 to "_s +
                               QString::number(f.top) + u".  Use its scroll bar to set it."_s,
                           Prompter::Buttons::Ok);
            return {};
        }
    }

    const QString question = u"Are you sure you want to enter "_s + calendarDateText(*date) + u"  "_s +
                             formatNumber(hours, 2) + u':' + formatNumber(minutes, 2) + u':' +
                             formatNumber(seconds, 2) + u" as your new Launch Time?"_s;
    if (m_prompter.ask(u"Set Launch Time"_s, question, Prompter::Buttons::YesNo) != Prompter::Answer::Yes)
        return {};

    const CivilDateTime target(*date, QTime(hours, minutes, seconds));
    const QString result = formatGeneral(target);
    m_ui.txtLaunchDate->setText(calendarDateText(*date));
    // A running hold measures from here, so the new target holds from this moment on.
    m_state.setHoldBase(formatGeneral(m_clock.now()), formatGeneral(target));
    return result;
}

void LaunchTimeEntry::EnableSetLaunchTime()
{
    m_ui.cmdSet->setEnabled(true);
    m_ui.mnuSetLaunchTime->setEnabled(true);
}

void LaunchTimeEntry::DisableSetLaunchTime()
{
    m_ui.cmdSet->setEnabled(false);
    m_ui.mnuSetLaunchTime->setEnabled(false);
}

bool LaunchTimeEntry::isArmed() const
{
    // The button's own state: a disabled panel or window would hide it from isEnabled().
    return !m_ui.cmdSet->testAttribute(Qt::WA_ForceDisabled);
}

QString LaunchTimeEntry::launchDateText() const
{
    return m_ui.txtLaunchDate->text();
}

void LaunchTimeEntry::setLaunchDateText(const QString& text)
{
    m_ui.txtLaunchDate->setText(text);
}

EntryTexts LaunchTimeEntry::timeTexts() const
{
    return {m_ui.txtSeconds->text(), m_ui.txtMinutes->text(), m_ui.txtHours->text()};
}

void LaunchTimeEntry::setTimeTexts(const EntryTexts& texts)
{
    m_ui.txtSeconds->setText(texts.seconds);
    m_ui.txtMinutes->setText(texts.minutes);
    m_ui.txtHours->setText(texts.hours);
}

void LaunchTimeEntry::vsbHours_Change()
{
    m_ui.txtHours->setText(formatNumber(m_ui.vsbHours->level(), 2));
}

void LaunchTimeEntry::vsbMinutes_Change()
{
    m_ui.txtMinutes->setText(formatNumber(m_ui.vsbMinutes->level(), 2));
}

void LaunchTimeEntry::vsbSeconds_Change()
{
    m_ui.txtSeconds->setText(formatNumber(m_ui.vsbSeconds->level(), 2));
}

// A click starts from the scroll bar's value, not from the text shown; at the top it stays at the top.
void LaunchTimeEntry::txtHours_Click()
{
    stepLevel(m_ui.vsbHours, 1);
}

void LaunchTimeEntry::txtMinutes_Click()
{
    stepLevel(m_ui.vsbMinutes, 1);
}

void LaunchTimeEntry::txtSeconds_Click()
{
    stepLevel(m_ui.vsbSeconds, 1);
}

void LaunchTimeEntry::txtLaunchDate_DblClick()
{
    const auto date = parseDate(m_ui.txtLaunchDate->text());
    m_ui.Calendar->setSelectedDate(date ? *date : m_clock.now().date());
    m_ui.Calendar->raise();
    m_ui.Calendar->show();
    m_ui.Calendar->setFocus(); // arrows and Enter pick a date as well
}

void LaunchTimeEntry::Calendar_DblClick(const QDate& date)
{
    m_ui.Calendar->hide();
    m_ui.txtLaunchDate->setText(calendarDateText(date));
    m_ui.txtLaunchDate->setFocus();
}

void LaunchTimeEntry::stepLaunchDate(int days)
{
    const auto date = parseDate(m_ui.txtLaunchDate->text());
    if (!date)
        return;
    const QString stepped = calendarDateText(date->addDays(days));
    // Past the first or last year a date field may name, the field stays as it is.
    if (isValidDate(stepped))
        m_ui.txtLaunchDate->setText(stepped);
}

void LaunchTimeEntry::stepLevel(UpScrollBar* bar, int by)
{
    bar->setLevel(bar->level() + by);
}
