#include "SequenceEngine.h"

#include "HeldTime.h"
#include "Holds.h"
#include "LaunchWindow.h"
#include "MissionState.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The T-time a count stands at (seconds from liftoff, negative before it), kept within the times a milestone can
// have and one beyond, so that a target centuries away still compares.
qint32 timeAt(qint64 count)
{
    constexpr qint64 Beyond = qint64(Milestone::FarthestTime) + 1;
    return static_cast<qint32>(std::clamp(-count, -Beyond, Beyond));
}

} // namespace

SequenceEngine::SequenceEngine(Clock& clock, MissionState& state, Holds& holds, LaunchWindow& launchWindow,
                               QObject* parent)
    : QObject(parent), m_clock(clock), m_state(state), m_holds(holds), m_launchWindow(launchWindow), m_holdsFrom{0}
{
    setObjectName(u"SequenceEngine"_s);
    connect(&m_state, &MissionState::countChanged, this, &SequenceEngine::followCount);
    // After the hold's own tick has moved the target.
    connect(&m_holds.tmrHold(), &ClockTimer::timeout, this, &SequenceEngine::holdTick);
    connect(&m_state, &MissionState::holdingChanged, this, &SequenceEngine::holdingChanged);
    const auto jumped = [this] { m_jumped = true; };
    for (auto event : {&MissionState::clockJumped, &MissionState::launchTimeSet, &MissionState::fileLoaded})
        connect(&m_state, event, this, jumped);
    for (auto change :
         {&MissionState::holdsArmedChanged, &MissionState::windowActiveChanged, &MissionState::windowExpiredChanged})
        connect(&m_state, change, this, &SequenceEngine::refresh);
    connect(&m_state, &MissionState::windowRemainingChanged, this, &SequenceEngine::refresh);
    showProgress();
}

void SequenceEngine::setSequence(const CountdownSequence& sequence)
{
    std::optional<RunningHold> run = m_state.runningHold();
    if (run) {
        const qsizetype same = sequence.indexOf(run->milestone.time);
        if (same >= 0 && sequence.at(same).isBuiltInHold())
            run->milestone = sequence.at(same);
        else
            run.reset();
    }
    m_skipped.clear();
    m_jumped = true;
    m_state.setRunningHold(run);
    setSequenceAndProgress(sequence);
}

SequenceProblem SequenceEngine::addMilestone(const Milestone& milestone)
{
    CountdownSequence sequence = m_state.sequence();
    const SequenceProblem problem = sequence.add(milestone);
    if (problem.isNone())
        setSequenceAndProgress(sequence);
    return problem;
}

SequenceProblem SequenceEngine::replaceMilestone(qsizetype index, const Milestone& milestone)
{
    CountdownSequence sequence = m_state.sequence();
    if (index < 0 || index >= sequence.size())
        return sequence.problemWith(milestone, sequence.size());
    const Milestone old = sequence.at(index);
    const SequenceProblem problem = sequence.replace(index, milestone);
    if (!problem.isNone())
        return problem;
    const bool sameHold = milestone.time == old.time && milestone.isBuiltInHold();
    if (!sameHold)
        m_skipped.remove(old.time);
    std::optional<RunningHold> run = m_state.runningHold();
    if (run && run->milestone.time == old.time) {
        if (sameHold)
            run->milestone = milestone;
        else
            run.reset();
    }
    m_state.setRunningHold(run);
    setSequenceAndProgress(sequence);
    return problem;
}

bool SequenceEngine::removeMilestone(qsizetype index)
{
    CountdownSequence sequence = m_state.sequence();
    if (index < 0 || index >= sequence.size())
        return false;
    const qint32 time = sequence.at(index).time;
    sequence.remove(index);
    m_skipped.remove(time);
    if (const auto& run = m_state.runningHold(); run && run->milestone.time == time)
        m_state.setRunningHold(std::nullopt);
    setSequenceAndProgress(sequence);
    return true;
}

bool SequenceEngine::canExtendHold() const
{
    const auto& run = m_state.runningHold();
    return run && m_state.holding() && run->length() < Milestone::LongestHold;
}

bool SequenceEngine::extendHold()
{
    if (!canExtendHold())
        return false;
    RunningHold run = *m_state.runningHold();
    run.extension = std::min(run.extension + ExtendStep, Milestone::LongestHold - run.milestone.plannedLength);
    m_state.setRunningHold(run);
    refresh();
    return true;
}

void SequenceEngine::followCount()
{
    if (m_acting)
        return;
    const auto count = m_state.count();
    if (!count) {
        m_lastCount.reset();
        m_jumped = true;
        showProgress();
        return;
    }
    const bool counting = !m_jumped && m_lastCount && *count < *m_lastCount;
    const qint64 last = m_lastCount.value_or(*count);
    m_jumped = false;
    const CountdownSequence& sequence = m_state.sequence();
    if (counting) {
        // Every second the count went through since the last tick, earliest first: a late tick skips none, and
        // a built-in hold among them holds the count at its own second.
        const qsizetype from = sequence.placeOf(timeAt(last) + 1);
        const qsizetype to = sequence.placeOf(timeAt(*count) + 1);
        const QList<Milestone> reached = sequence.milestones().mid(from, to - from);
        const CivilDateTime now = m_clock.now();
        for (const Milestone& m : reached) {
            reach(m, now.addSecs(*count + m.time));
            if (m_state.holding())
                break;
        }
    } else if (const qsizetype landed = sequence.indexOf(timeAt(*count)); landed >= 0) {
        reach(sequence.at(landed), m_clock.now());
    }
    m_lastCount = m_state.count();
    showProgress();
}

void SequenceEngine::reach(const Milestone& milestone, const CivilDateTime& at)
{
    if (milestone.isBuiltInHold() && !m_state.holding()) {
        if (m_state.holdsArmed()) {
            m_state.setRunningHold(RunningHold{milestone, at, 0});
            m_acting = true;
            m_holds.holdFrom(at);
            m_acting = false;
        } else {
            m_skipped.insert(milestone.time);
            m_state.noteBuiltInHoldSkipped(milestone);
        }
    }
    m_state.noteMilestoneReached(milestone);
}

void SequenceEngine::holdTick()
{
    const auto& run = m_state.runningHold();
    if (run && m_state.holding() && HeldTime::between(run->start, m_clock.now()) >= run->length()) {
        // The launch window's last second counts before the hold ends; after an expiry the operator decides.
        if (m_launchWindow.catchUp() && m_state.runningHold())
            m_holds.ResumeCount();
    }
    refresh();
}

void SequenceEngine::holdingChanged(bool holding)
{
    if (!holding)
        m_state.setRunningHold(std::nullopt);
    showProgress();
}

void SequenceEngine::setSequenceAndProgress(const CountdownSequence& sequence)
{
    m_state.setSequence(sequence);
    m_holdsFrom = QList<qint64>(sequence.size() + 1, 0);
    for (qsizetype i = sequence.size() - 1; i >= 0; --i) {
        const Milestone& m = sequence.at(i);
        m_holdsFrom[i] = m_holdsFrom[i + 1] + (m.isBuiltInHold() ? m.plannedLength : 0);
    }
    showProgress();
}

void SequenceEngine::showProgress()
{
    const auto count = m_state.count();
    qsizetype passed = 0;
    if (count) {
        const qint32 now = timeAt(*count);
        passed = m_state.sequence().placeOf(now + 1);
        // Built-in holds the count has come back before are ahead again.
        m_skipped.removeIf([now](qint32 time) { return time > now; });
    } else {
        m_skipped.clear();
    }
    m_state.setMilestoneProgress(passed, m_skipped);
    refresh();
}

qint64 SequenceEngine::plannedAhead(qint64 count) const
{
    if (!m_state.holdsArmed())
        return 0; // they will be skipped
    return m_holdsFrom.at(m_state.sequence().placeOf(timeAt(count) + 1));
}

void SequenceEngine::refresh()
{
    const CivilDateTime now = m_clock.now();
    const auto count = m_state.count();
    const auto& run = m_state.runningHold();
    std::optional<qint64> runLeft;
    if (run)
        runLeft = std::max<qint64>(0, run->length() - HeldTime::between(run->start, now));
    m_state.setRunningHoldLeft(runLeft);

    const qint64 ahead = count ? plannedAhead(*count) : 0;
    std::optional<CivilDateTime> projection;
    bool known = true;
    if (count) {
        if (!m_state.holding()) {
            projection = now.addSecs(*count + ahead);
        } else if (run && !m_state.windowExpired()) {
            projection = now.addSecs(*count + *runLeft + ahead);
        } else {
            // A hold nobody knows the end of: the projection stands as it was, and the L clock runs on toward it.
            known = false;
            projection = m_state.projectedLiftoff();
        }
    }
    m_state.setProjection(projection, known);
    m_state.setLClock(projection ? std::optional<qint64>(now.secsTo(*projection)) : std::nullopt);

    WindowCheck check;
    if (const auto left = m_state.windowRemaining(); left && m_state.windowActive()) {
        check.applies = true;
        check.needed = ahead + (run && known ? *runLeft : 0);
        check.left = *left;
    }
    m_state.setWindowCheck(check);
}
