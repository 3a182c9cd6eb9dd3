#include "Mission.h"

#include "Holds.h"
#include "LaunchClock.h"
#include "LaunchTimeEntry.h"
#include "LaunchWindow.h"
#include "MissionState.h"
#include "SequenceEngine.h"
#include "platform/Clock.h"

Mission::Mission(Clock& clock, Prompter& prompter, QObject* parent)
    : QObject(parent), m_clock(clock), m_state(new MissionState(this)),
      m_launchClock(new LaunchClock(clock, *m_state, this)),
      m_launchTimeEntry(new LaunchTimeEntry(clock, prompter, *m_state, this)),
      m_holds(new Holds(clock, *m_state, *m_launchClock, this)),
      m_launchWindow(new LaunchWindow(clock, prompter, *m_state, *m_launchClock, this)),
      m_sequence(new SequenceEngine(clock, *m_state, *m_holds, *m_launchWindow, this))
{
    setObjectName(QStringLiteral("Mission"));
    // Views elsewhere keep their own second; they hear of a jump of the clock.
    connect(&m_clock, &Clock::changed, m_state, &MissionState::noteClockJumped);
}

Mission::~Mission() = default;

void Mission::noteFileLoaded()
{
    m_state->noteFileLoaded();
}
