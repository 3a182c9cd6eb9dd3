#include "LaunchTimeEntry.h"

#include "MissionState.h"
#include "MissionTexts.h"
#include "TimeField.h"
#include "platform/Clock.h"
#include "platform/DateTimeServices.h"
#include "platform/Prompter.h"

#include <optional>

using namespace Qt::StringLiterals;
using namespace DateTimeServices;

namespace {

const QString DateFieldForm = u"mmm d, yyyy"_s;

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

LaunchTimeEntry::LaunchTimeEntry(Clock& clock, Prompter& prompter, MissionState& state, QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter),
      m_state(state), m_time{new TimeField(u"launchHours"_s, 23, 10, u"10"_s, this),
                             new TimeField(u"launchMinutes"_s, 59, 30, u"30"_s, this),
                             new TimeField(u"launchSeconds"_s, 59, 0, u"00"_s, this)}
{
    setObjectName(u"LaunchTimeEntry"_s);
    connect(this, &LaunchTimeEntry::launchDateTextChanged, this, &LaunchTimeEntry::txtLaunchDate_Change);
    connect(m_time[0], &TimeField::textChanged, this, &LaunchTimeEntry::txtHours_Change);
    connect(m_time[1], &TimeField::textChanged, this, &LaunchTimeEntry::txtMinutes_Change);
    connect(m_time[2], &TimeField::textChanged, this, &LaunchTimeEntry::txtSeconds_Change);
    connect(m_time[0], &TimeField::levelChanged, this, &LaunchTimeEntry::vsbHours_Change);
    connect(m_time[1], &TimeField::levelChanged, this, &LaunchTimeEntry::vsbMinutes_Change);
    connect(m_time[2], &TimeField::levelChanged, this, &LaunchTimeEntry::vsbSeconds_Change);
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
    m_state.setTargetText(MissionTexts::enteredTargetText(target));
    m_state.noteLaunchTimeSet();
}

QString LaunchTimeEntry::ConfirmLaunchTime(QString& dateText, qint32& hours, qint32& minutes, qint32& seconds)
{
    const auto s = wholeNumber(m_time[2]->text());
    const auto m = wholeNumber(m_time[1]->text());
    const auto h = wholeNumber(m_time[0]->text());
    seconds = s.value_or(-1);
    minutes = m.value_or(-1);
    hours = h.value_or(-1);
    dateText = m_launchDateText;

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
    setLaunchDateText(calendarDateText(*date));
    // A running hold measures from here, so the new target holds from this moment on.
    m_state.setHoldBase(formatGeneral(m_clock.now()), formatGeneral(target));
    return result;
}

void LaunchTimeEntry::EnableSetLaunchTime()
{
    setArmed(true);
}

void LaunchTimeEntry::DisableSetLaunchTime()
{
    setArmed(false);
}

void LaunchTimeEntry::setArmed(bool armed)
{
    if (armed == m_armed)
        return;
    m_armed = armed;
    emit armedChanged(armed);
}

void LaunchTimeEntry::setLaunchDateText(const QString& text)
{
    const QString kept = MissionTexts::cut(text, MissionTexts::LaunchDateLength);
    if (kept == m_launchDateText)
        return;
    m_launchDateText = kept;
    emit launchDateTextChanged(kept);
}

EntryTexts LaunchTimeEntry::timeTexts() const
{
    return textsOf(m_time);
}

void LaunchTimeEntry::setTimeTexts(const EntryTexts& texts)
{
    setTexts(m_time, texts);
}

void LaunchTimeEntry::vsbHours_Change()
{
    m_time[0]->setText(formatNumber(m_time[0]->level(), 2));
}

void LaunchTimeEntry::vsbMinutes_Change()
{
    m_time[1]->setText(formatNumber(m_time[1]->level(), 2));
}

void LaunchTimeEntry::vsbSeconds_Change()
{
    m_time[2]->setText(formatNumber(m_time[2]->level(), 2));
}

void LaunchTimeEntry::txtHours_Click()
{
    m_time[0]->stepUp();
}

void LaunchTimeEntry::txtMinutes_Click()
{
    m_time[1]->stepUp();
}

void LaunchTimeEntry::txtSeconds_Click()
{
    m_time[2]->stepUp();
}

QDate LaunchTimeEntry::calendarDate() const
{
    const auto date = parseDate(m_launchDateText);
    return date ? *date : m_clock.now().date();
}

void LaunchTimeEntry::pickDate(const QDate& date)
{
    setLaunchDateText(calendarDateText(date));
}

void LaunchTimeEntry::stepLaunchDate(int days)
{
    const auto date = parseDate(m_launchDateText);
    if (!date)
        return;
    const QString stepped = calendarDateText(date->addDays(days));
    // Past the first or last year a date field may name, the field stays as it is.
    if (isValidDate(stepped))
        setLaunchDateText(stepped);
}
