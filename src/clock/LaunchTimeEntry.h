#pragma once

#include "EntryTexts.h"

#include <QObject>
#include <QString>

class ClickLineEdit;
class Clock;
class MissionState;
class Prompter;
class QAction;
class QCalendarWidget;
class QDate;
class QPushButton;
class UpScrollBar;
class WatchedLabel;

// The entry of a new launch date and time: the date field with its calendar and one-day steps, the three time
// fields driven by their scroll bars, and Set Launch Time, which checks the entry, asks for confirmation and
// only then changes the launch target. Any change of a field arms Set; every Set disarms it. It also shows the
// launch target, which sits in its panel.
class LaunchTimeEntry final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchTimeEntry)

public:
    // The launch time panel and its menu item, which only this class writes.
    struct Controls
    {
        WatchedLabel* lblTarget = nullptr; // shows the mission state's target; a click steps the date one day later
        QCalendarWidget* Calendar = nullptr;
        ClickLineEdit* txtLaunchDate = nullptr;
        ClickLineEdit* txtHours = nullptr;
        ClickLineEdit* txtMinutes = nullptr;
        ClickLineEdit* txtSeconds = nullptr;
        UpScrollBar* vsbHours = nullptr;
        UpScrollBar* vsbMinutes = nullptr;
        UpScrollBar* vsbSeconds = nullptr;
        WatchedLabel* Label10 = nullptr; // a click steps the date one day earlier
        QPushButton* cmdSet = nullptr;
        QAction* mnuSetLaunchTime = nullptr;
    };

    LaunchTimeEntry(Clock& clock, Prompter& prompter, MissionState& state, const Controls& controls, QObject* parent);

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
    bool isArmed() const;

    // The entry fields as the launch data file reads and writes them. Each setter that changes a text runs the
    // field's change reaction, arming Set, as typing would; a time field's scroll bar keeps its own value.
    QString launchDateText() const;
    void setLaunchDateText(const QString& text);
    EntryTexts timeTexts() const;
    // Seconds first, then minutes, then hours.
    void setTimeTexts(const EntryTexts& texts);

    void txtLaunchDate_Change() { EnableSetLaunchTime(); }
    void txtHours_Change() { EnableSetLaunchTime(); }
    void txtMinutes_Change() { EnableSetLaunchTime(); }
    void txtSeconds_Change() { EnableSetLaunchTime(); }

    void vsbHours_Change();
    void vsbMinutes_Change();
    void vsbSeconds_Change();

    void txtHours_Click();
    void txtMinutes_Click();
    void txtSeconds_Click();

    void txtLaunchDate_DblClick();
    // A date picked in the calendar (double click or Enter).
    void Calendar_DblClick(const QDate& date);

    void Label10_Click() { stepLaunchDate(-1); }
    void lblTarget_Click() { stepLaunchDate(1); }

private:
    void stepLaunchDate(int days);
    static void stepLevel(UpScrollBar* bar, int by);

    Clock& m_clock;
    Prompter& m_prompter;
    MissionState& m_state;
    const Controls m_ui;

    // The entry as read at the last Set, whatever its outcome.
    QString LaunchDateText;
    qint32 LaunchHours = 0;
    qint32 LaunchMinutes = 0;
    qint32 LaunchSeconds = 0;
};
