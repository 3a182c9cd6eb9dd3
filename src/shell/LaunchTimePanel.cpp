#include "LaunchTimePanel.h"

#include "LayoutKit.h"
#include "clock/LaunchTimeEntry.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/TimeField.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QCalendarWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace LayoutKit;
using Metrics::twipsRect;
using Metrics::uiFont;

LaunchTimePanel::LaunchTimePanel(Mission& mission, QWidget* parent) : ClickPanel(parent), m_mission(mission)
{
    entryPanel(this, u"pctLaunchTime"_s, {3960, 1920, 5805, 3465}, u"Label11"_s, u"Launch Time (local zone)"_s,
               {1200, 120, 3015, 255});
    LaunchTimeEntry& entry = m_mission.launchTimeEntry();
    const MissionState& state = m_mission.state();
    // A click steps the date one day later.
    auto* lblTarget =
        label(this, u"lblTarget"_s, state.targetText(), {1530, 600, 3675, 360}, uiFont(13.5, true), Qt::AlignCenter);
    Colours::paintBackground(lblTarget, Colours::Silver);
    lblTarget->setShrinkToFit(true); // long month names and file-loaded texts

    m_txtLaunchDate = textBox(this, u"txtLaunchDate"_s, {60, 1642, 2535, 420}, 18, false);
    m_txtLaunchDate->setText(entry.launchDateText());
    m_txtLaunchDate->setToolTip(u"Double Click HERE to set the date using the calendar."_s);
    const auto [texts, bars] =
        timeEntry(this, {2700, 1642}, QString(), true, {u"Launch hour"_s, u"Launch minute"_s, u"Launch second"_s});
    name({{m_txtLaunchDate, u"Launch date"_s}, {this, u"Launch time"_s}});
    const QFont caption = uiFont(8.25, true);
    // A click steps the date one day earlier.
    auto* label10 = label(this, u"Label10"_s, u"Launch Date (MM/DD/YYYY)"_s, {90, 2160, 2500, 255}, caption);
    label(this, u"Label4"_s, u"Hour (24 h)"_s, {2640, 2160, 1100, 255}, caption);
    label(this, u"Label8"_s, u"Minute"_s, {3795, 2160, 900, 255}, caption);
    label(this, u"Label9"_s, u"Second"_s, {4717, 2160, 900, 255}, caption);
    auto* cmdSet = button(this, u"cmdSet"_s, u"&Set Launch Time"_s, {2640, 2640, 3015, 615}, uiFont(8.25));
    cmdSet->setToolTip(u"Click to set the Launch Time and Date"_s);

    // Last, so that it lies over the fields when shown.
    m_calendar = place(new QCalendarWidget(this), u"Calendar"_s, {120, 960, 3615, 2175}, uiFont(8.25));
    m_calendar->setToolTip(u"Double Click on a date to set and exit."_s);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->hide();
    m_calendar->setAccessibleName(u"Launch date calendar"_s);
    m_calendar->setDateRange(LaunchTimeEntry::earliestDate(), LaunchTimeEntry::latestDate());

    connect(&state, &MissionState::targetChanged, lblTarget, &WatchedLabel::setText);
    connect(lblTarget, &WatchedLabel::clicked, &entry, &LaunchTimeEntry::lblTarget_Click);
    connect(label10, &WatchedLabel::clicked, &entry, &LaunchTimeEntry::Label10_Click);

    connect(m_txtLaunchDate, &QLineEdit::textChanged, &entry, &LaunchTimeEntry::setLaunchDateText);
    connect(&entry, &LaunchTimeEntry::launchDateTextChanged, m_txtLaunchDate,
            [this](const QString& text) { showText(m_txtLaunchDate, text); });
    connect(m_txtLaunchDate, &ClickLineEdit::doubleClicked, this, &LaunchTimePanel::txtLaunchDate_DblClick);
    connect(m_calendar, &QCalendarWidget::activated, this, &LaunchTimePanel::Calendar_DblClick);

    using Click = void (LaunchTimeEntry::*)();
    const std::array<Click, 3> clicks = {&LaunchTimeEntry::txtHours_Click, &LaunchTimeEntry::txtMinutes_Click,
                                         &LaunchTimeEntry::txtSeconds_Click};
    for (size_t i = 0; i < texts.size(); ++i) {
        showTimeField(*entry.timeFields()[i], texts[i], bars[i]);
        connect(texts[i], &ClickLineEdit::clicked, &entry, clicks[i]);
        // The locked time fields take no typing; from the keyboard the arrow and page keys work their scroll bars.
        bars[i]->takeKeysFrom(texts[i]);
    }

    connect(cmdSet, &QPushButton::clicked, &entry, &LaunchTimeEntry::cmdSet_Click);
    cmdSet->setEnabled(entry.isArmed());
    connect(&entry, &LaunchTimeEntry::armedChanged, cmdSet, &QWidget::setEnabled);
}

void LaunchTimePanel::txtLaunchDate_DblClick()
{
    m_calendar->setSelectedDate(m_mission.launchTimeEntry().calendarDate());
    m_calendar->raise();
    m_calendar->show();
    m_calendar->setFocus(); // arrows and Enter pick a date as well
}

void LaunchTimePanel::Calendar_DblClick(const QDate& date)
{
    m_calendar->hide();
    m_mission.launchTimeEntry().pickDate(date);
    m_txtLaunchDate->setFocus();
}
