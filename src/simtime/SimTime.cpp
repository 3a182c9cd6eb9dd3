#include "SimTime.h"

#include "CSimTime.h"
#include "SimTimeWizard.h"
#include "clock/MissionState.h"
#include "platform/ApplicationInfo.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using DateTimeServices::Interval;

namespace {
const QString& AppTitle = ApplicationInfo::Name;
const QString NotChanged = u"Your computer's clock was not changed."_s;
} // namespace

SimTime::SimTime(Clock& clock, Prompter& prompter, const MissionState& state, const Controls& controls, QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_state(state), m_ui(controls),
      m_wizard(new SimTimeWizard(controls.window, this))
{
    setObjectName(u"SimTime"_s);
    const std::array<void (SimTime::*)(), 11> handlers = {
        &SimTime::mnuTminus45_Click, &SimTime::mnuTminus30_Click, &SimTime::mnuTminus20_Click,
        &SimTime::mnuTminus10_Click, &SimTime::mnuTminus8_Click,  &SimTime::mnuTminus6_Click,
        &SimTime::mnuTminus4_Click,  &SimTime::mnuTminus2_Click,  &SimTime::mnuTminus30Sec_Click,
        &SimTime::mnuTplus5_Click,   &SimTime::mnuManualSet_Click};
    const auto actions = commands();
    for (size_t i = 0; i < actions.size(); ++i)
        connect(actions[i], &QAction::triggered, this, handlers[i]);
    connect(m_wizard, &SimTimeWizard::entered, this, &SimTime::wizardEntered);
}

void SimTime::SetSimTime(QStringView unit, qint32 count)
{
    Q_ASSERT(unit == u"n" || unit == u"s");
    if (m_jumping || !confirm())
        return;
    jump(unit == u"n" ? Interval::Minutes : Interval::Seconds, count);
}

void SimTime::mnuManualSet_Click()
{
    m_wizard->mnuManualSet_Click();
}

bool SimTime::confirm()
{
    return m_prompter.ask(AppTitle, AppTitle + u" will now change your computer's clock.  Do you want to continue?",
                          Prompter::Buttons::YesNo) == Prompter::Answer::Yes;
}

// The pages close whatever the answer; they go before the clock is set, which may take a while.
void SimTime::wizardEntered(const CSimTime& mission)
{
    const std::optional<qint32> total = totalSeconds(mission);
    const bool yes = !m_jumping && confirm();
    m_wizard->close();
    if (yes && total)
        jump(Interval::Seconds, *total);
}

void SimTime::jump(Interval unit, qint32 count)
{
    // The target as it reads after the answer: a hold may have moved it while the question was open.
    const std::optional<CivilDateTime> target = m_state.target();
    if (!target) {
        m_prompter.tell(AppTitle, NotChanged + u"  The launch target is not a date and time."_s);
        return;
    }
    const CivilDateTime instant = DateTimeServices::add(unit, count, *target);

    // Setting the computer's clock may wait for a password; no second jump may start meanwhile.
    m_jumping = true;
    const auto actions = commands();
    std::array<bool, 11> wasEnabled{};
    for (size_t i = 0; i < actions.size(); ++i) {
        wasEnabled[i] = actions[i]->isEnabled();
        actions[i]->setEnabled(false);
    }
    const auto done = qScopeGuard([&] {
        for (size_t i = 0; i < actions.size(); ++i)
            actions[i]->setEnabled(wasEnabled[i]);
        m_jumping = false;
    });
    const ClockSetResult result = m_clock.setLocal(instant);

    if (!result.ok) {
        m_prompter.tell(AppTitle, NotChanged + u"  "_s + result.reason);
    } else if (result.keptByProgram && !result.reason.isEmpty() && !m_toldKeptInside) {
        m_toldKeptInside = true;
        m_prompter.tell(AppTitle, NotChanged + u"  "_s + result.reason + u"  The mission time is kept inside "_s +
                                      AppTitle + u" instead, and the count shows it from now on."_s);
    }
}

std::array<QAction*, 11> SimTime::commands() const
{
    return {m_ui.mnuTminus45,    m_ui.mnuTminus30, m_ui.mnuTminus20, m_ui.mnuTminus10,
            m_ui.mnuTminus8,     m_ui.mnuTminus6,  m_ui.mnuTminus4,  m_ui.mnuTminus2,
            m_ui.mnuTminus30Sec, m_ui.mnuTplus5,   m_ui.mnuManualSet};
}
