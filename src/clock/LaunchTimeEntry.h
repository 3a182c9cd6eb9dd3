#pragma once

#include "EntryTexts.h"
#include "TimeField.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <array>

class Clock;
class MissionState;
class Prompter;

// The entry of a new launch date and time: the date field with its calendar and one-day steps, the three time
// fields driven by their scroll bars, and Set Launch Time, which checks the entry, asks for confirmation and
// only then changes the launch target. Any change of a field arms Set; every Set disarms it.
class LaunchTimeEntry final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchTimeEntry)
    Q_PROPERTY(QString launchDateText READ launchDateText WRITE setLaunchDateText NOTIFY launchDateTextChanged)
    Q_PROPERTY(bool armed READ isArmed NOTIFY armedChanged)

public:
    LaunchTimeEntry(Clock& clock, Prompter& prompter, MissionState& state, QObject* parent);

    void cmdSet_Click();
    void mnuSetLaunchTime_Click();

    // Confirms the entry and, on Yes, writes the new launch target.
    void SetLaunchTime();
    // Reads the fields into the four arguments and checks them; asks for confirmation. On Yes it rewrites the
    // date field in its own form and re-bases a hold, and returns the new target in the general date
    // form. Returns empty text when nothing is to be set (an invalid entry, or No). A time field that holds no
    // whole number reads as -1.
    QString ConfirmLaunchTime(QString& dateText, qint32& hours, qint32& minutes, qint32& seconds);

    void EnableSetLaunchTime();
    void DisableSetLaunchTime();
    // An entry is pending: Set Launch Time is enabled.
    bool isArmed() const { return m_armed; }

    // The entry fields as the launch data file reads and writes them. Each setter that changes a text runs the
    // field's change reaction, arming Set, as typing would; a time field's scroll bar keeps its own level.
    QString launchDateText() const { return m_launchDateText; }
    void setLaunchDateText(const QString& text);
    EntryTexts timeTexts() const;
    // Seconds first, then minutes, then hours.
    void setTimeTexts(const EntryTexts& texts);
    // Hours, minutes, seconds.
    const TimeFields& timeFields() const { return m_time; }

    void txtLaunchDate_Change() { EnableSetLaunchTime(); }
    void txtHours_Change() { EnableSetLaunchTime(); }
    void txtMinutes_Change() { EnableSetLaunchTime(); }
    void txtSeconds_Change() { EnableSetLaunchTime(); }

    void vsbHours_Change();
    void vsbMinutes_Change();
    void vsbSeconds_Change();

    // A click starts from the scroll bar's level, not from the text shown; at the top it stays at the top.
    void txtHours_Click();
    void txtMinutes_Click();
    void txtSeconds_Click();

    // The date the calendar opens on: the date field's, or today's when it names none. Every date the calendar
    // offers is one a date field may name.
    QDate calendarDate() const;
    static QDate earliestDate() { return {100, 1, 1}; }
    static QDate latestDate() { return {9999, 12, 31}; }
    // A date picked in the calendar.
    void pickDate(const QDate& date);

    void Label10_Click() { stepLaunchDate(-1); }
    void lblTarget_Click() { stepLaunchDate(1); }

signals:
    void launchDateTextChanged(const QString& text);
    void armedChanged(bool armed);

private:
    void stepLaunchDate(int days);
    void setArmed(bool armed);

    Clock& m_clock;
    Prompter& m_prompter;
    MissionState& m_state;
    QString m_launchDateText = QStringLiteral("May 3, 2001");
    TimeFields m_time;
    bool m_armed = false;

    // The entry as read at the last Set, whatever its outcome.
    QString LaunchDateText;
    qint32 LaunchHours = 0;
    qint32 LaunchMinutes = 0;
    qint32 LaunchSeconds = 0;
};
