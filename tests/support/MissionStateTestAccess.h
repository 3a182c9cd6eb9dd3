#pragma once

#include "clock/MissionState.h"

// Writes a mission state directly, as only the mission's own classes may: for tests of a view against a state
// made up for the purpose, with no mission behind it (a stub model).
class MissionStateTestAccess
{
public:
    explicit MissionStateTestAccess(const MissionState& state) : m_state(const_cast<MissionState&>(state)) {}

    void setTargetText(const QString& text) { m_state.setTargetText(text); }
    void setCount(std::optional<qint64> count) { m_state.setCount(count); }
    void setPhase(MissionState::Phase phase) { m_state.setPhase(phase); }
    void setHolding(bool holding) { m_state.setHolding(holding); }
    void setHoldsArmed(bool armed) { m_state.setHoldsArmed(armed); }
    void setWindowRemainingText(const QString& text) { m_state.setWindowRemainingText(text); }
    void setWindowActive(bool active) { m_state.setWindowActive(active); }
    void setWindowWarning(bool shown) { m_state.setWindowWarning(shown); }
    void setWindowExpired(bool expired) { m_state.setWindowExpired(expired); }
    void setWarningArmed(bool armed) { m_state.setWarningArmed(armed); }
    void noteClockJumped() { m_state.noteClockJumped(); }
    void noteFileLoaded() { m_state.noteFileLoaded(); }

private:
    MissionState& m_state;
};
