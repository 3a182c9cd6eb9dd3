#include "SimTime.h"

#include "CSimTime.h"
#include "SimTimeWizard.h"
#include "clock/MissionState.h"
#include "platform/ApplicationInfo.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"
#include "platform/widgets/MenuItem.h"

#include <QAction>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using DateTimeServices::Interval;

namespace {
const QString& AppTitle = ApplicationInfo::Name;
const QString NotChanged = u"Your computer's clock was not changed."_s;
} // namespace

SimTime::SimTime(Clock& clock, Prompter& prompter, const MissionState& state, QWidget* window, QMenu* menu,
                 QObject* parent)
    : QObject(parent), m_clock(clock), m_prompter(prompter), m_state(state), m_wizard(new SimTimeWizard(window, this))
{
    setObjectName(u"SimTime"_s);
    struct Command
    {
        const char16_t* name;
        const char16_t* caption;
        void (SimTime::*handler)();
    };
    const std::array<Command, 11> commands = {{
        {u"mnuTminus45", u"T - 45", &SimTime::mnuTminus45_Click},
        {u"mnuTminus30", u"T - 30", &SimTime::mnuTminus30_Click},
        {u"mnuTminus20", u"T - 20", &SimTime::mnuTminus20_Click},
        {u"mnuTminus10", u"T - 10", &SimTime::mnuTminus10_Click},
        {u"mnuTminus8", u"T - 8", &SimTime::mnuTminus8_Click},
        {u"mnuTminus6", u"T - 6", &SimTime::mnuTminus6_Click},
        {u"mnuTminus4", u"T - 4", &SimTime::mnuTminus4_Click},
        {u"mnuTminus2", u"T - 2", &SimTime::mnuTminus2_Click},
        {u"mnuTminus30Sec", u"T - 30 Seconds", &SimTime::mnuTminus30Sec_Click},
        {u"mnuTplus5", u"T + 5", &SimTime::mnuTplus5_Click},
        {u"mnuManualSet", u"Manual Set", &SimTime::mnuManualSet_Click},
    }};
    for (size_t i = 0; i < commands.size(); ++i) {
        m_commands[i] =
            MenuItem::add(menu, QString::fromUtf16(commands[i].name), QString::fromUtf16(commands[i].caption));
        connect(m_commands[i], &QAction::triggered, this, commands[i].handler);
    }
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
    const auto& actions = m_commands;
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
